// A file or folder of the file system, by path. Names and paths are kept as the file
// system's bytes, so names that are not valid UTF-8 pass through unchanged.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Object.h"

class Sound;

class FolderItem : public Object {
 public:
  explicit FolderItem(std::string path);
  ~FolderItem() override;

  // The item's name: the last part of its path, without the folder.
  std::string Name() const;
  // The full path (framework use and messages).
  const std::string& NativePath() const { return path_; }
  bool Exists() const;
  bool Directory() const;
  // The number of items in the folder; 0 for an item that is not a folder. The listing is
  // read once and kept until the folder changes.
  int32_t Count() const;
  // The item at an index from 1, in name order (case-insensitive, ties by bytes); null for an
  // index outside 1 to Count.
  std::shared_ptr<FolderItem> Item(int32_t index) const;
  // The item of that name in this folder; it need not exist.
  std::shared_ptr<FolderItem> Child(const std::string& name) const;
  // The folder that holds the item; null for the root.
  std::shared_ptr<FolderItem> Parent() const;
  // The item opened as a sound, or null when it is not one.
  std::shared_ptr<Sound> OpenAsSound() const;

  struct Listing;

 private:
  std::string path_;
  mutable std::shared_ptr<Listing> listing_;
};

// The item of a name; a bare name is looked up in the current working directory. Gives an
// item, which may not exist (pathType 0: a native path).
std::shared_ptr<FolderItem> GetFolderItem(const std::string& name, int32_t pathType = 0);

// The running executable's own item.
std::shared_ptr<FolderItem> ExecutableFile();

// The user's folders, as the platform's standard locations give them.
namespace SpecialFolder {
std::shared_ptr<FolderItem> Music();
std::shared_ptr<FolderItem> Desktop();
}  // namespace SpecialFolder

// The application bundle's "Resources" folder: the executable's parent's parent's child of
// that name, or null. A missing executable item or parent raises NilObjectException.
std::shared_ptr<FolderItem> GetApplicationBundleResources();
