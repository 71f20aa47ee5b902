#include "framework/Exceptions.h"
#include "framework/FolderItem.h"

std::shared_ptr<FolderItem> GetApplicationBundleResources() {
  std::shared_ptr<FolderItem> executable = ExecutableFile();
  std::shared_ptr<FolderItem> folder = NilCheck(executable)->Parent();
  std::shared_ptr<FolderItem> contents = NilCheck(folder)->Parent();
  return NilCheck(contents)->Child("Resources");
}
