// The user's folders, as the platform's standard locations give them (the XDG ones here).
#pragma once

#include <memory>

class FolderItem;

namespace SpecialFolder {
// Each gives null when the platform has no such folder.
std::shared_ptr<FolderItem> Music();
std::shared_ptr<FolderItem> Desktop();
}  // namespace SpecialFolder
