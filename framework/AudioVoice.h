// One playing of a sound: a decoder and the conversion of its samples to the output's format
// (44.1 kHz, stereo, signed 16-bit). Private to the framework's sound code.
//
// Threads: a voice is made on the program's thread, then handed to the audio output, whose
// callback alone calls Render, always under the output's device lock. Playing() is an atomic
// read that any thread may make. The output keeps the voice it plays alive, so releasing the
// Sound that started it does not pull the decoder from under the audio thread.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class Mp3Decoder;

class AudioVoice {
 public:
  static constexpr int kRate = 44100;
  static constexpr int kChannels = 2;

  AudioVoice(std::unique_ptr<Mp3Decoder> decoder, std::string name);
  ~AudioVoice();
  AudioVoice(const AudioVoice&) = delete;
  AudioVoice& operator=(const AudioVoice&) = delete;

  // True from Start until the callback has handed the last sample to the device, or until
  // the voice is stopped.
  bool Playing() const { return playing_.load(std::memory_order_acquire); }
  void Start() { playing_.store(true, std::memory_order_release); }
  void Stop() { playing_.store(false, std::memory_order_release); }

  // Audio thread: writes up to `frames` stereo frames into `out`; gives the number written.
  // Fewer than asked means the sound has ended (or failed), and Playing() turns false.
  size_t Render(int16_t* out, size_t frames);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::atomic<bool> playing_{false};
};
