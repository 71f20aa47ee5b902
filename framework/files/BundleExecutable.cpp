#include "framework/files/BundleExecutable.h"

#include "framework/FolderItem.h"

namespace {

std::string& ExecutableOverride() {
  static std::string path;
  return path;
}

}  // namespace

std::shared_ptr<FolderItem> BundleExecutable() {
  return ExecutableOverride().empty() ? ExecutableFile()
                                      : std::make_shared<FolderItem>(ExecutableOverride());
}

void SetBundleExecutable(const std::string& path) {
  ExecutableOverride() = path;
}
