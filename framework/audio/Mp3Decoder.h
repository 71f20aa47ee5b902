// Reads one MPEG audio file (layer I, II or III) as signed 16-bit interleaved samples at the
// file's own rate and channel count. Private to the framework's sound code and its tests.
// The decoder keeps its file open from Open to its destruction and reads nothing by name
// after Open. A decoder is used by one thread at a time (SoundStream says how it is handed
// from one to another).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <sys/types.h>

class Mp3Decoder {
 public:
  ~Mp3Decoder();
  Mp3Decoder(const Mp3Decoder&) = delete;
  Mp3Decoder& operator=(const Mp3Decoder&) = delete;

  // Opens a regular file and decodes its first frames with resynchronisation off. Gives null
  // when that fails, when the stream format changes within those frames or when they hold no
  // samples; `why` (if given) then says what was wrong. A good decoder is left at the start.
  static std::unique_ptr<Mp3Decoder> Open(const std::string& path, std::string* why = nullptr);

  // Every read that a decoder makes from its file goes through `read` (the system's read when
  // null), so that a test can make reads slow or fail. Any thread: the feeder thread reads it
  // at every read. Tests reach this through SetDecoderReadForTesting (framework/Testing.h).
  using ReadFunction = ssize_t (*)(int fd, void* buffer, size_t bytes);
  static void SetReadFunction(ReadFunction read);

  int Rate() const;
  int Channels() const;
  // The expected length in sample frames, from the file's headers; -1 when unknown.
  int64_t LengthFrames() const;

  // Decodes up to `maxFrames` sample frames into `out` (room for maxFrames * Channels()
  // samples). Gives the number of frames written; fewer than asked only at the end of the
  // stream, which is final. Failed() then tells whether the end was a decoding error.
  size_t Read(int16_t* out, size_t maxFrames);
  // Back to the first sample, ready to decode the stream again from its start. Reads nothing
  // from the file: the first block of the file is kept from Open on. False, with `why`, when
  // the decoder cannot seek.
  bool Rewind(std::string* why = nullptr);
  bool Ended() const;
  bool Failed() const;
  const std::string& Error() const;

 private:
  struct Impl;
  explicit Mp3Decoder(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};
