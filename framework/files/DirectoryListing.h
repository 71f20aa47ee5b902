// Framework-internal: one read of a folder's listing, and the cheap test that tells whether
// the folder has changed since.
#pragma once

#include <sys/stat.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

// What a stat of a folder tells about its contents: any entry added, removed or renamed
// changes the modification or status-change time (the inode and device catch a folder that
// was replaced by another).
struct DirectorySignature {
  dev_t device = 0;
  ino_t inode = 0;
  timespec modified{};
  timespec changed{};
  off_t size = 0;

  static DirectorySignature Of(const struct stat& info);
  bool operator==(const DirectorySignature& other) const;
};

// How long a kept listing is taken as current after a stat last confirmed it. A walk over a
// folder asks for its count and items many thousand times a second; a stat for each would cost
// far more than the read itself. Within this window a change to the folder may go unseen.
inline constexpr std::chrono::microseconds kListingTrustWindow{1000};

// A folder's names, kept in one buffer (one allocation for the lot, not one per name).
class NameList {
 public:
  void Add(std::string_view name);
  std::size_t Size() const { return spans_.size(); }
  std::string_view operator[](std::size_t index) const {
    return std::string_view(buffer_).substr(spans_[index].offset, spans_[index].length);
  }
  // Puts the names into the folders' order: case-insensitive, ties broken by bytes.
  void Sort();

 private:
  struct Span {
    std::size_t offset;
    std::size_t length;
  };
  std::string buffer_;
  std::vector<Span> spans_;
};

struct DirectoryListing {
  DirectorySignature signature;
  // When a stat last found the folder unchanged (or the listing was read).
  std::chrono::steady_clock::time_point confirmed;
  // The names, without "." and "..", in name order: case-insensitive, ties by bytes.
  NameList names;
  // The folder changed so shortly before the read that a further change could leave its
  // times as they are (file system times are coarse): the next use reads it again.
  bool racy = false;
  // The read failed (the reason went to stderr); the listing is empty.
  bool failed = false;
};

// The outcome of reading a folder's listing.
enum class DirectoryReadResult { kRead, kNotAFolder, kGone, kFailed };

// Reads the listing of the folder at path into listing (replacing what it held). A failure
// other than "not a folder" or "gone" writes one line on stderr naming the folder.
DirectoryReadResult ReadDirectoryListing(const std::string& path, DirectoryListing& listing);

// How many listings have been read in this process (tests: a walk over a folder that does not
// change reads it once).
unsigned long DirectoryReadCount();
