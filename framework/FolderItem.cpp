#include "framework/FolderItem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <limits>

#include "framework/Sound.h"
#include "framework/files/DirectoryListing.h"

struct FolderItem::Listing : DirectoryListing {};

namespace {

// A path without trailing slashes (the root keeps its one).
std::string Normalized(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string Joined(const std::string& folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path += folder;
  if (!folder.empty() && folder.back() != '/') path += '/';
  path += name;
  return path;
}

// The folder's current listing: the kept one while the folder has not changed, else a new
// read. Null when the item is not a folder or is gone.
const DirectoryListing* CurrentListing(const std::string& path,
                                       std::shared_ptr<FolderItem::Listing>& listing) {
  const auto now = std::chrono::steady_clock::now();
  if (listing && !listing->racy && now - listing->confirmed < kListingTrustWindow) {
    return listing.get();
  }
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    listing.reset();
    return nullptr;
  }
  // A failed read was reported; it is tried again once the folder changes.
  if (listing && (!listing->racy || listing->failed) &&
      listing->signature == DirectorySignature::Of(info)) {
    listing->confirmed = now;
    return listing.get();
  }
  auto fresh = std::make_shared<FolderItem::Listing>();
  switch (ReadDirectoryListing(path, *fresh)) {
    case DirectoryReadResult::kRead:
    case DirectoryReadResult::kFailed:
      listing = std::move(fresh);
      return listing.get();
    case DirectoryReadResult::kNotAFolder:
    case DirectoryReadResult::kGone:
      break;
  }
  listing.reset();
  return nullptr;
}

}  // namespace

FolderItem::FolderItem(std::string path) : path_(Normalized(std::move(path))) {}

FolderItem::FolderItem(std::string path, Unreachable)
    : path_(std::move(path)), unreachable_(true) {}

FolderItem::~FolderItem() = default;

std::string FolderItem::Name() const {
  if (path_ == "/") return path_;
  const std::size_t slash = path_.rfind('/');
  return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

bool FolderItem::Exists() const {
  struct stat info {};
  return !unreachable_ && stat(path_.c_str(), &info) == 0;
}

bool FolderItem::Directory() const {
  struct stat info {};
  return !unreachable_ && stat(path_.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int32_t FolderItem::Count() const {
  if (unreachable_) return 0;
  const DirectoryListing* listing = CurrentListing(path_, listing_);
  if (!listing) return 0;
  const std::size_t count = listing->names.Size();
  constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(count > kMax ? kMax : count);
}

std::shared_ptr<FolderItem> FolderItem::Item(int32_t index) const {
  if (unreachable_ || index < 1) return nullptr;
  const DirectoryListing* listing = CurrentListing(path_, listing_);
  if (!listing || static_cast<std::size_t>(index) > listing->names.Size()) return nullptr;
  return std::make_shared<FolderItem>(
      Joined(path_, listing->names[static_cast<std::size_t>(index) - 1]));
}

std::shared_ptr<FolderItem> FolderItem::Child(const std::string& name) const {
  const std::string path = Joined(path_, name);
  if (unreachable_ || name.empty() || name == "." || name == ".." ||
      name.find('/') != std::string::npos || name.find('\0') != std::string::npos) {
    return std::shared_ptr<FolderItem>(new FolderItem(path, Unreachable{}));
  }
  return std::make_shared<FolderItem>(path);
}

std::shared_ptr<FolderItem> FolderItem::Parent() const {
  if (path_ == "/") return nullptr;
  const std::size_t slash = path_.rfind('/');
  if (slash == std::string::npos) return nullptr;
  return std::make_shared<FolderItem>(slash == 0 ? std::string("/") : path_.substr(0, slash));
}

std::shared_ptr<Sound> FolderItem::OpenAsSound() const {
  if (unreachable_) return nullptr;
  return Sound::Open(NativePath());
}

std::string FolderItem::ClassNameForMessages() const {
  return "FolderItem";
}

std::shared_ptr<FolderItem> GetFolderItem(const std::string& name, int32_t pathType) {
  if (pathType != 0 || name.empty() || name.find('\0') != std::string::npos) return nullptr;
  if (name.front() == '/') return std::make_shared<FolderItem>(name);
  char* cwd = getcwd(nullptr, 0);
  if (!cwd) return nullptr;
  std::string folder(cwd);
  std::free(cwd);
  return std::make_shared<FolderItem>(Joined(folder, name));
}

std::shared_ptr<FolderItem> ExecutableFile() {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return nullptr;
    if (static_cast<std::size_t>(length) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(length));
      return std::make_shared<FolderItem>(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}
