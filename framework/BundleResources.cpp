#include "framework/BundleResources.h"

#include "framework/Exceptions.h"
#include "framework/FolderItem.h"
#include "framework/files/BundleExecutable.h"

std::shared_ptr<FolderItem> GetApplicationBundleResources() {
  std::shared_ptr<FolderItem> folder = NilCheck(BundleExecutable())->Parent();
  std::shared_ptr<FolderItem> contents = NilCheck(folder)->Parent();
  return NilCheck(contents)->Child("Resources");
}
