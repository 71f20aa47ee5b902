#include "framework/DirectoryListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <numeric>

#include "framework/TextFold.h"
#include "framework/TextUtil.h"

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
  std::fprintf(stderr, "FolderItem: cannot read the folder %s: %s\n", PrintablePath(path).c_str(),
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
    listing.names.emplace_back(name);
  }
  closedir(dir);
  SortNames(listing.names);
  return listing.failed ? DirectoryReadResult::kFailed : DirectoryReadResult::kRead;
}

void SortNames(std::vector<std::string>& names) {
  // One fold key per name, computed once; the sort then compares keys and, for equal keys,
  // the names' bytes.
  std::vector<std::u32string> keys;
  keys.reserve(names.size());
  for (const std::string& name : names) keys.push_back(TextFoldKey(name));
  std::vector<std::size_t> order(names.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const int byKey = keys[a].compare(keys[b]);
    if (byKey != 0) return byKey < 0;
    return names[a] < names[b];  // std::string compares bytes as unsigned char
  });
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (std::size_t i : order) sorted.push_back(std::move(names[i]));
  names = std::move(sorted);
}

std::string PrintablePath(const std::string& path) {
  std::string out;
  out.reserve(path.size());
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t start = pos;
    const char32_t c = DecodeNext(path, pos);
    if (c >= kInvalidByteBase || c < 0x20 || c == 0x7F) {
      for (std::size_t i = start; i < pos; ++i) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(path[i]));
        out += hex;
      }
    } else {
      out.append(path, start, pos - start);
    }
  }
  return out;
}
