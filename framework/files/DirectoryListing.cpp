#include "framework/files/DirectoryListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "framework/TextUtil.h"
#include "framework/files/TextFold.h"
#include "framework/runtime/Reporter.h"

namespace {

bool SameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

int64_t Nanoseconds(const timespec& t) {
  return static_cast<int64_t>(t.tv_sec) * 1000000000 + static_cast<int64_t>(t.tv_nsec);
}

// How close to the read a change must be for its times to be in doubt: twice the tick of the
// coarse clock from which the kernel stamps files, and at least 10 ms.
int64_t RacyWindowNanoseconds() {
  static const int64_t window = [] {
    timespec resolution{};
    int64_t tick = 0;
    if (clock_getres(CLOCK_REALTIME_COARSE, &resolution) == 0) tick = Nanoseconds(resolution);
    return std::max<int64_t>(2 * tick, 10000000);
  }();
  return window;
}

unsigned long readCount = 0;

void ReportReadFailure(const std::string& path, int error) {
  ReportProblem("FolderItem: cannot read the folder " + PrintablePath(path) + ": " +
                std::strerror(error));
}

}  // namespace

DirectorySignature DirectorySignature::Of(const struct stat& info) {
  DirectorySignature s;
  s.device = info.st_dev;
  s.inode = info.st_ino;
  s.modified = info.st_mtim;
  s.changed = info.st_ctim;
  s.size = info.st_size;
  return s;
}

bool DirectorySignature::operator==(const DirectorySignature& other) const {
  return device == other.device && inode == other.inode && SameTime(modified, other.modified) &&
         SameTime(changed, other.changed) && size == other.size;
}

unsigned long DirectoryReadCount() {
  return readCount;
}

DirectoryReadResult ReadDirectoryListing(const std::string& path, DirectoryListing& listing) {
  listing = DirectoryListing();
  listing.confirmed = std::chrono::steady_clock::now();
  ++readCount;
  timespec readStart{};
  clock_gettime(CLOCK_REALTIME, &readStart);

  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    if (error == ENOTDIR) return DirectoryReadResult::kNotAFolder;
    if (error == ENOENT) return DirectoryReadResult::kGone;
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) listing.signature = DirectorySignature::Of(info);
    listing.failed = true;
    ReportReadFailure(path, error);
    return DirectoryReadResult::kFailed;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0) {
    const int error = errno;
    close(fd);
    listing.failed = true;
    ReportReadFailure(path, error);
    return DirectoryReadResult::kFailed;
  }
  listing.signature = DirectorySignature::Of(info);
  const int64_t since = Nanoseconds(readStart) - RacyWindowNanoseconds();
  listing.racy = Nanoseconds(info.st_mtim) >= since || Nanoseconds(info.st_ctim) >= since;

  DIR* dir = fdopendir(fd);
  if (!dir) {
    const int error = errno;
    close(fd);
    listing.failed = true;
    ReportReadFailure(path, error);
    return DirectoryReadResult::kFailed;
  }
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(dir);
    if (!entry) {
      if (errno != 0) {
        // Keep what was read; say that the listing is incomplete.
        ReportReadFailure(path, errno);
        listing.failed = true;
      }
      break;
    }
    const char* name = entry->d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
    listing.names.Add(name);
  }
  closedir(dir);
  listing.names.Sort();
  return listing.failed ? DirectoryReadResult::kFailed : DirectoryReadResult::kRead;
}

void NameList::Add(std::string_view name) {
  spans_.push_back({buffer_.size(), name.size()});
  buffer_.append(name);
}

void NameList::Sort() {
  // One fold key per name, computed once, all in one buffer. Each entry carries eight bytes
  // of its key as a number, taken after the prefix that all keys share (names in a folder
  // often begin alike), which settles most comparisons without reading the buffer. Equal
  // keys fall back to the names' bytes (string_view compares them as unsigned char).
  struct Entry {
    uint64_t head;
    std::size_t offset;
    std::size_t length;
    std::size_t span;
  };
  if (spans_.size() < 2) return;
  std::string keys;
  keys.reserve(buffer_.size() + buffer_.size() / 4);
  std::vector<Entry> entries;
  entries.reserve(spans_.size());
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    const std::size_t offset = keys.size();
    AppendTextFoldKey((*this)[i], keys);
    entries.push_back({0, offset, keys.size() - offset, i});
  }
  const std::string_view all(keys);
  const auto key = [&](const Entry& e) { return all.substr(e.offset, e.length); };
  const std::string_view first = key(entries[0]);
  std::size_t shared = first.size();
  for (const Entry& e : entries) {
    const std::string_view k = key(e);
    std::size_t n = 0;
    const std::size_t limit = std::min(shared, k.size());
    while (n < limit && k[n] == first[n]) ++n;
    shared = n;
  }
  for (Entry& e : entries) {
    const std::string_view k = key(e);
    uint64_t head = 0;
    for (std::size_t b = shared; b < shared + 8; ++b) {
      head = (head << 8) | (b < k.size() ? static_cast<unsigned char>(k[b]) : 0u);
    }
    e.head = head;
  }
  std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    if (a.head != b.head) return a.head < b.head;
    const int byKey = key(a).compare(key(b));
    return byKey != 0 ? byKey < 0 : (*this)[a.span] < (*this)[b.span];
  });
  std::vector<Span> sorted;
  sorted.reserve(spans_.size());
  for (const Entry& entry : entries) sorted.push_back(spans_[entry.span]);
  spans_ = std::move(sorted);
}
