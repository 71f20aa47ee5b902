// One playing of a sound: its stream decoded and converted to the output's format (44.1 kHz,
// stereo, signed 16-bit) into a ring about a second ahead of the audio callback, which only
// copies samples out of it. Private to the framework's sound code.
//
// Threads: a voice is made and begun on the program's thread (Begin decodes its first frames
// there), then handed to the audio output. From then on the output's feeder thread alone
// calls DecodeAhead, and the audio callback alone calls Render. Playing and Stop use an atomic
// that any thread may use. Whoever holds the last reference destroys the voice:
// the program's thread or the feeder thread, never the callback.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/audio/SampleRing.h"

class SoundStream;
struct _SDL_AudioStream;

class AudioVoice {
 public:
  static constexpr int kRate = 44100;
  static constexpr int kChannels = 2;

  explicit AudioVoice(std::shared_ptr<SoundStream> stream);
  ~AudioVoice();
  AudioVoice(const AudioVoice&) = delete;
  AudioVoice& operator=(const AudioVoice&) = delete;

  // Program's thread, before the voice goes to the output: takes the stream over (a voice that
  // had it ends with what it has decoded), rewinds it and decodes the first frames, so that the
  // first buffer after Play has sound. False, with `why`, when the stream cannot be played.
  bool Begin(std::string* why);

  // Feeder thread: decodes and converts until the ring is full or the whole sound is in it.
  void DecodeAhead();
  // True once everything this voice will play has been decoded into its ring.
  bool Decoded() const { return decoded_.load(std::memory_order_acquire); }

  // Audio callback: copies up to `frames` frames into `out`; gives how many. When the last
  // frame of the sound has been copied, Playing() turns false. A ring that runs dry before
  // that gives fewer frames (the caller plays silence).
  size_t Render(int16_t* out, size_t frames);

  // True from Begin until the callback has copied the last sample, or until Stop.
  bool Playing() const { return playing_.load(std::memory_order_acquire); }
  void Stop() { playing_.store(false, std::memory_order_release); }

 private:
  // Under the stream's mutex, as its owner: decodes until `limit` frames wait in the ring (or
  // the ring is full) or the sound has been decoded to its end.
  void FillLocked(size_t limit);
  void FinishLocked();

  const std::shared_ptr<SoundStream> stream_;  // constant; shared with the Sound and its voices
  const uint64_t id_;                          // constant: this voice's claim on the stream
  // Written by the decoding side (Begin, then DecodeAhead), read by the callback; lock-free.
  SampleRing ring_;
  std::atomic<bool> playing_{false};  // any thread
  std::atomic<bool> decoded_{false};  // set by the decoding side after its last write to ring_

  // The decoding side, under the stream's mutex while this voice owns the stream.
  _SDL_AudioStream* converter_ = nullptr;  // null when the stream has the output's format
  std::vector<int16_t> decodedSamples_;    // one chunk at the stream's rate and channels
  std::vector<int16_t> convertedSamples_;
  bool flushed_ = false;
  int64_t framesIn_ = 0;   // frames decoded
  int64_t framesOut_ = 0;  // frames put into the ring
};
