#include "framework/BundleResources.h"

#include "framework/Exceptions.h"
#include "framework/FolderItem.h"

namespace {

std::string& ExecutableOverride() {
  static std::string path;
  return path;
}

}  // namespace

void SetBundleExecutableForTests(const std::string& path) {
  ExecutableOverride() = path;
}

std::shared_ptr<FolderItem> GetApplicationBundleResources() {
  std::shared_ptr<FolderItem> executable = ExecutableOverride().empty()
                                               ? ExecutableFile()
                                               : std::make_shared<FolderItem>(ExecutableOverride());
  std::shared_ptr<FolderItem> folder = NilCheck(executable)->Parent();
  std::shared_ptr<FolderItem> contents = NilCheck(folder)->Parent();
  return NilCheck(contents)->Child("Resources");
}
