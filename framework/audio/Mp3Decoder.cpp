// Threads: a decoder and its file are used by one thread at a time, the program's or the output's
// feeder thread, as SoundStream hands them over; only the read function is shared, an atomic.
#include "framework/audio/Mp3Decoder.h"

#include <fcntl.h>
#include <mpg123.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

// How many frames the probe decodes: about a quarter of a second at 44.1 kHz, enough to
// tell a real stream from a stray sync pattern in other data.
constexpr int kProbeFrames = 10;
// The probe lets the stream change its format, so that such a change shows; playing does
// not: a stream that changes format in the middle ends there.
constexpr long kProbeFlags = MPG123_QUIET | MPG123_NO_RESYNC | MPG123_GAPLESS | MPG123_SKIP_ID3V2;
constexpr long kPlayFlags = kProbeFlags | MPG123_NO_FRANKENSTEIN;
// A read that makes no progress this many times in a row is treated as a decoding error.
constexpr int kMaxIdleReads = 16;

// Set by tests from their own thread; read at every read, on whichever thread decodes.
std::atomic<Mp3Decoder::ReadFunction> readFunction{nullptr};

ssize_t ReadFile(int fd, void* buffer, size_t bytes) {
  const Mp3Decoder::ReadFunction read = readFunction.load(std::memory_order_relaxed);
  return read ? read(fd, buffer, bytes) : ::read(fd, buffer, bytes);
}

bool SetWhy(std::string* why, std::string text) {
  if (why) *why = std::move(text);
  return false;
}

int ChannelsOf(const mpg123_frameinfo2& info) {
  return info.mode == MPG123_M_MONO ? 1 : 2;
}

// The decoder's reads, through a buffer: the library looks for a frame header a byte or a few
// at a time, which on a bare descriptor is one system call per byte of junk. The file's first
// block stays kept, so that going back to the start reads nothing (a replay must not wait for
// slow storage on the program's thread). Belongs to its decoder, and to that decoder's thread.
class BufferedFile {
 public:
  explicit BufferedFile(int fd) : fd_(fd) {}

  static mpg123_ssize_t Read(void* self, void* to, size_t bytes) {
    return static_cast<BufferedFile*>(self)->DoRead(static_cast<unsigned char*>(to), bytes);
  }
  static off_t Seek(void* self, off_t offset, int whence) {
    return static_cast<BufferedFile*>(self)->DoSeek(offset, whence);
  }

 private:
  mpg123_ssize_t DoRead(unsigned char* to, size_t bytes) {
    size_t done = 0;
    while (done < bytes) {
      if (pos_ == len_) {
        start_ += static_cast<off_t>(len_);
        pos_ = len_ = 0;
        const ssize_t got = ReadFile(fd_, buffer_, sizeof buffer_);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return done > 0 ? static_cast<mpg123_ssize_t>(done) : -1;
        if (got == 0) break;
        len_ = static_cast<size_t>(got);
        if (start_ == 0 && headLen_ == 0) {
          std::memcpy(head_, buffer_, len_);
          headLen_ = len_;
        }
      }
      const size_t n = std::min(bytes - done, len_ - pos_);
      std::memcpy(to + done, buffer_ + pos_, n);
      pos_ += n;
      done += n;
    }
    return static_cast<mpg123_ssize_t>(done);
  }

  off_t DoSeek(off_t offset, int whence) {
    off_t target = offset;
    if (whence == SEEK_CUR) target = start_ + static_cast<off_t>(pos_) + offset;
    if (whence == SEEK_END) {
      const off_t end = lseek(fd_, 0, SEEK_END);
      if (end < 0) return -1;
      // The descriptor has moved: the buffer now stands, empty, at the end.
      start_ = end;
      pos_ = len_ = 0;
      target = end + offset;
    }
    if (target < 0) return -1;
    if (target >= start_ && target <= start_ + static_cast<off_t>(len_)) {
      pos_ = static_cast<size_t>(target - start_);
      return target;
    }
    if (target < static_cast<off_t>(headLen_)) {
      // Back into the first block: from the copy, with the descriptor right after it.
      if (lseek(fd_, static_cast<off_t>(headLen_), SEEK_SET) < 0) return -1;
      std::memcpy(buffer_, head_, headLen_);
      start_ = 0;
      len_ = headLen_;
      pos_ = static_cast<size_t>(target);
      return target;
    }
    if (lseek(fd_, target, SEEK_SET) < 0) return -1;
    start_ = target;
    pos_ = len_ = 0;
    return target;
  }

  static constexpr size_t kBlock = 16 * 1024;

  int fd_;
  unsigned char buffer_[kBlock];
  unsigned char head_[kBlock];  // the file's first headLen_ bytes, once read
  size_t headLen_ = 0;
  off_t start_ = 0;  // the file offset of buffer_[0]; the descriptor stands at start_ + len_
  size_t pos_ = 0;
  size_t len_ = 0;
};

}  // namespace

// Every field belongs to the thread that uses the decoder (under the stream's mutex once a
// Sound shares it); the format and the length do not change after Open.
struct Mp3Decoder::Impl {
  int fd = -1;                         // the decoder's thread; open until the destruction
  std::unique_ptr<BufferedFile> file;  // the decoder's thread
  mpg123_handle* handle = nullptr;     // the decoder's thread
  int rate = 0;                        // constant after Open
  int channels = 0;                    // constant after Open
  int64_t lengthFrames = -1;           // constant after Open
  bool ended = false;                  // the decoder's thread
  bool failed = false;                 // the decoder's thread
  std::string error;                   // the decoder's thread

  ~Impl() {
    if (handle) {
      mpg123_close(handle);
      mpg123_delete(handle);
    }
    if (fd >= 0) close(fd);
  }

  bool OpenFile(const std::string& path, std::string* why) {
    // Non-blocking, so that a FIFO or a device in the file's place cannot hang the open; the
    // descriptor is checked for a regular file before anything reads from it.
    fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return SetWhy(why, std::strerror(errno));
    struct stat st {};
    if (fstat(fd, &st) != 0) return SetWhy(why, std::strerror(errno));
    if (!S_ISREG(st.st_mode)) return SetWhy(why, "not a regular file");
    if (st.st_size == 0) return SetWhy(why, "empty file");
    int fl = fcntl(fd, F_GETFL);
    if (fl == -1 || fcntl(fd, F_SETFL, fl & ~O_NONBLOCK) == -1) {
      return SetWhy(why, std::strerror(errno));
    }
    return true;
  }

  bool OpenDecoder(std::string* why) {
    int err = MPG123_OK;
    handle = mpg123_new(nullptr, &err);
    if (!handle) return SetWhy(why, mpg123_plain_strerror(err));
    if (mpg123_param2(handle, MPG123_FLAGS, kProbeFlags, 0) != MPG123_OK ||
        mpg123_format_none(handle) != MPG123_OK) {
      return SetWhy(why, mpg123_strerror(handle));
    }
    // Every rate the stream has, as it is, in 16-bit samples: converting to the output's
    // format is the output's business.
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i) {
      mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    }
    file = std::make_unique<BufferedFile>(fd);
    if (mpg123_replace_reader_handle(handle, &BufferedFile::Read, &BufferedFile::Seek, nullptr) !=
            MPG123_OK ||
        mpg123_open_handle(handle, file.get()) != MPG123_OK) {
      return SetWhy(why, mpg123_strerror(handle));
    }
    return true;
  }

  bool Probe(std::string* why) {
    bool haveFormat = false;
    mpg123_frameinfo2 first{};
    int frames = 0;
    int64_t samples = 0;
    while (frames < kProbeFrames) {
      off_t num = 0;
      unsigned char* audio = nullptr;
      size_t bytes = 0;
      const int result = mpg123_decode_frame(handle, &num, &audio, &bytes);
      if (result == MPG123_NEW_FORMAT) {
        if (haveFormat) return SetWhy(why, "the stream format changes");
        long r = 0;
        int ch = 0, enc = 0;
        if (mpg123_getformat(handle, &r, &ch, &enc) != MPG123_OK) {
          return SetWhy(why, mpg123_strerror(handle));
        }
        rate = static_cast<int>(r);
        channels = ch;
        haveFormat = true;
        continue;
      }
      if (result == MPG123_DONE) break;
      if (result != MPG123_OK) return SetWhy(why, mpg123_strerror(handle));
      mpg123_frameinfo2 info{};
      if (mpg123_info2(handle, &info) != MPG123_OK) return SetWhy(why, mpg123_strerror(handle));
      if (frames == 0) {
        first = info;
      } else if (info.rate != first.rate || ChannelsOf(info) != ChannelsOf(first) ||
                 info.layer != first.layer || info.version != first.version) {
        return SetWhy(why, "the stream format changes");
      }
      if (channels > 0) samples += static_cast<int64_t>(bytes / (2 * channels));
      ++frames;
    }
    if (!haveFormat || samples == 0) return SetWhy(why, "no audio samples");
    if (mpg123_param2(handle, MPG123_FLAGS, kPlayFlags, 0) != MPG123_OK ||
        mpg123_seek(handle, 0, SEEK_SET) < 0) {
      return SetWhy(why, mpg123_strerror(handle));
    }
    const off_t length = mpg123_length(handle);
    lengthFrames = length > 0 ? static_cast<int64_t>(length) : -1;
    return true;
  }

  void Fail(std::string text) {
    ended = true;
    failed = true;
    error = std::move(text);
  }
};

void Mp3Decoder::SetReadFunction(ReadFunction read) {
  readFunction.store(read, std::memory_order_relaxed);
}

Mp3Decoder::Mp3Decoder(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Mp3Decoder::~Mp3Decoder() = default;

std::unique_ptr<Mp3Decoder> Mp3Decoder::Open(const std::string& path, std::string* why) {
  auto impl = std::make_unique<Impl>();
  if (!impl->OpenFile(path, why) || !impl->OpenDecoder(why) || !impl->Probe(why)) return nullptr;
  return std::unique_ptr<Mp3Decoder>(new Mp3Decoder(std::move(impl)));
}

bool Mp3Decoder::Rewind(std::string* why) {
  Impl& d = *impl_;
  if (mpg123_seek(d.handle, 0, SEEK_SET) < 0) return SetWhy(why, mpg123_strerror(d.handle));
  d.ended = false;
  d.failed = false;
  d.error.clear();
  return true;
}

int Mp3Decoder::Rate() const {
  return impl_->rate;
}
int Mp3Decoder::Channels() const {
  return impl_->channels;
}
int64_t Mp3Decoder::LengthFrames() const {
  return impl_->lengthFrames;
}
bool Mp3Decoder::Ended() const {
  return impl_->ended;
}
bool Mp3Decoder::Failed() const {
  return impl_->failed;
}
const std::string& Mp3Decoder::Error() const {
  return impl_->error;
}

size_t Mp3Decoder::Read(int16_t* out, size_t maxFrames) {
  Impl& d = *impl_;
  if (d.ended || maxFrames == 0) return 0;
  const size_t frameBytes = sizeof(int16_t) * static_cast<size_t>(d.channels);
  const size_t want = maxFrames * frameBytes;
  auto* bytes = reinterpret_cast<unsigned char*>(out);
  size_t got = 0;
  int idle = 0;
  while (got < want) {
    size_t done = 0;
    const int result = mpg123_read(d.handle, bytes + got, want - got, &done);
    got += done;
    if (result == MPG123_OK) {
      idle = done == 0 ? idle + 1 : 0;
      if (idle > kMaxIdleReads) {
        d.Fail("the decoder makes no progress");
        break;
      }
      continue;
    }
    if (result == MPG123_DONE) {
      d.ended = true;
      break;
    }
    if (result == MPG123_NEW_FORMAT) {
      long r = 0;
      int ch = 0, enc = 0;
      if (mpg123_getformat(d.handle, &r, &ch, &enc) == MPG123_OK && r == d.rate &&
          ch == d.channels) {
        continue;
      }
      d.Fail("the stream format changes");
      break;
    }
    d.Fail(mpg123_strerror(d.handle));
    break;
  }
  return got / frameBytes;
}
