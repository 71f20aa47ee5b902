// The executable that the bundle lookup (GetApplicationBundleResources) starts from: the
// running one, unless a test has put another path in its place. Program's thread only.
#pragma once

#include <memory>
#include <string>

class FolderItem;

// The running executable's item (ExecutableFile), or an item for the path put in its place.
std::shared_ptr<FolderItem> BundleExecutable();
// Puts a path in the running executable's place; an empty path restores the executable.
// Tests reach this through SetBundleExecutableForTesting (framework/Testing.h).
void SetBundleExecutable(const std::string& path);
