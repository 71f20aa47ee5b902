// The open, probed stream of one Sound: its file's descriptor and decoder, kept for as long as
// the Sound or one of its voices lives, so that every Play of the Sound plays what was opened,
// whatever happens to the file by its name afterwards.
//
// Threads and ownership: the Sound and each voice that plays it share the stream. Its decoder
// is used by one voice at a time, the owner, and only under Mutex(): by the program's thread
// while Play rewinds it and decodes the first frames, then by the audio output's feeder thread
// as it decodes ahead. A Play takes the stream over; the voice that had it then ends with what
// it has already decoded.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

class Mp3Decoder;

class SoundStream {
 public:
  // `name` is the file's name as messages print it (already made printable).
  SoundStream(std::unique_ptr<Mp3Decoder> decoder, std::string name);
  ~SoundStream();
  SoundStream(const SoundStream&) = delete;
  SoundStream& operator=(const SoundStream&) = delete;

  std::mutex& Mutex() { return mutex_; }
  // Under Mutex().
  Mp3Decoder& Decoder() { return *decoder_; }
  uint64_t Owner() const { return owner_; }
  void SetOwner(uint64_t voice) { owner_ = voice; }

  // Constant after construction; any thread.
  const std::string& Name() const { return name_; }
  int Rate() const { return rate_; }
  int Channels() const { return channels_; }

 private:
  std::mutex mutex_;
  std::unique_ptr<Mp3Decoder> decoder_;  // under mutex_
  uint64_t owner_ = 0;                   // under mutex_: the id of the voice that decodes it
  const std::string name_;               // constant; any thread
  const int rate_;                       // constant; any thread
  const int channels_;                   // constant; any thread
};
