// A file or folder of the file system, by path. Names and paths are kept as the file
// system's bytes, so names that are not valid UTF-8 pass through unchanged. Use from the
// program's thread: a folder keeps its listing in the item without locking.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Object.h"

class Sound;

class FolderItem : public Object {
 public:
  // An absolute path (a relative one is taken as it is, relative to the working directory at
  // each use).
  explicit FolderItem(std::string path);
  ~FolderItem() override;

  // The item's name: the last part of its path, without the folder.
  std::string Name() const;
  // The full path (framework use and messages).
  const std::string& NativePath() const { return path_; }
  bool Exists() const;
  bool Directory() const;
  // The number of items in the folder; 0 for an item that is not a folder. The listing is
  // read once and kept until the folder changes. A folder whose listing cannot be read
  // counts 0 and says so once on stderr.
  int32_t Count() const;
  // The item at an index from 1, in name order (case-insensitive, ties by bytes); null for an
  // index outside 1 to Count.
  std::shared_ptr<FolderItem> Item(int32_t index) const;
  // The item of that name in this folder; it need not exist. A name that no folder can hold
  // (empty, ".", "..", or with a "/") gives an item that never exists.
  std::shared_ptr<FolderItem> Child(const std::string& name) const;
  // The folder that holds the item; null for the root.
  std::shared_ptr<FolderItem> Parent() const;
  // The item opened as a sound, or null when it is not one.
  std::shared_ptr<Sound> OpenAsSound() const;

  struct Listing;

 protected:
  std::string ClassNameForMessages() const override;

 private:
  struct Unreachable {};
  FolderItem(std::string path, Unreachable);

  std::string path_;
  bool unreachable_ = false;
  mutable std::shared_ptr<Listing> listing_;
};

// The item of a name; a bare name is looked up in the current working directory. Gives an
// item, which may not exist (pathType 0: a native path); null for an empty name or another
// path type.
std::shared_ptr<FolderItem> GetFolderItem(const std::string& name, int32_t pathType = 0);

// The running executable's own item; null when the system does not tell.
std::shared_ptr<FolderItem> ExecutableFile();
