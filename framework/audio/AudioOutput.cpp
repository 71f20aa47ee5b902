// Three threads meet here: the program's (Play, Shutdown), the output's feeder thread (Feed)
// and SDL's audio thread (Callback). Each field of AudioOutput says which lock guards it.
#include "framework/audio/AudioOutput.h"

#include <SDL.h>
#include <alsa/asoundlib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include "framework/audio/AudioVoice.h"
#include "framework/runtime/Reporter.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr Uint16 kBufferFrames = 512;
constexpr size_t kFrameBytes = AudioVoice::kChannels * sizeof(int16_t);
// How often the feeder looks at the ring and the device when nothing wakes it: the ring holds
// far more than this, so a sound never waits for it.
constexpr auto kFeederPeriod = 100ms;
// How often the real device is tried again while the output runs on the dummy driver.
constexpr auto kRetryPeriod = 1s;

// The sound library prints its own diagnostics while a device that is not there fails to open
// (and again at every retry); the output says what matters in one line of its own.
void SilentAlsaError(const char*, int, const char*, int, const char*, ...) {}

class AudioOutput {
 public:
  static AudioOutput& Instance() {
    // Never destroyed: the audio and feeder threads may still run while static objects go
    // away at exit.
    static AudioOutput* output = new AudioOutput;
    return *output;
  }

  void Play(const std::shared_ptr<AudioVoice>& voice) {
    // The voice goes in first, so that the very first buffer of an output that opens now
    // already has its samples.
    std::shared_ptr<AudioVoice> previous;
    {
      std::lock_guard<std::mutex> lock(voiceMutex_);
      previous = std::exchange(current_, voice);
    }
    if (previous) previous->Stop();
    if (!started_.load(std::memory_order_acquire)) {
      std::lock_guard<std::mutex> lock(deviceMutex_);
      if (!StartLocked()) {
        voice->Stop();
        return;
      }
    }
    if (!haveDevice_.load(std::memory_order_acquire)) {
      // Lost, and not even the dummy driver opened: nothing can play until the feeder has
      // found a device again.
      voice->Stop();
      return;
    }
    Wake();
    // The replaced voice goes here or on the feeder thread, never on the audio thread.
  }

  void Shutdown() {
    {
      std::lock_guard<std::mutex> lock(wakeMutex_);
      quit_ = true;
    }
    wake_.notify_all();
    if (feeder_.joinable()) feeder_.join();
    {
      std::lock_guard<std::mutex> lock(wakeMutex_);
      quit_ = false;
      woken_ = false;
    }
    {
      std::lock_guard<std::mutex> lock(deviceMutex_);
      CloseDriverLocked();
      started_.store(false, std::memory_order_release);
    }
    std::shared_ptr<AudioVoice> previous;
    {
      std::lock_guard<std::mutex> lock(voiceMutex_);
      previous = std::move(current_);
    }
    if (previous) previous->Stop();
  }

  void LoseDevice() {
    std::lock_guard<std::mutex> lock(deviceMutex_);
    if (device_ != 0) SDL_CloseAudioDevice(device_);
  }

 private:
  enum class Driver { kNone, kReal, kFallback };

  // SDL's audio thread, once per buffer. Copies samples and nothing else: no file read, no
  // decoding, no allocation; the lock it takes is held elsewhere only for a pointer copy.
  static void Callback(void* userdata, Uint8* stream, int len) {
    auto* self = static_cast<AudioOutput*>(userdata);
    const size_t frames = static_cast<size_t>(len) / kFrameBytes;
    size_t written = 0;
    {
      std::lock_guard<std::mutex> lock(self->voiceMutex_);
      if (AudioVoice* voice = self->current_.get()) {
        written = voice->Render(reinterpret_cast<int16_t*>(stream), frames);
      }
    }
    const size_t used = written * kFrameBytes;
    std::memset(stream + used, 0, static_cast<size_t>(len) - used);
  }

  void Wake() {
    {
      std::lock_guard<std::mutex> lock(wakeMutex_);
      woken_ = true;
    }
    wake_.notify_one();
  }

  // The feeder thread: keeps the voice that plays decoded ahead, and looks after the device.
  void Feed() {
    std::unique_lock<std::mutex> wakeLock(wakeMutex_);
    while (!quit_) {
      woken_ = false;
      wakeLock.unlock();
      std::shared_ptr<AudioVoice> voice;
      {
        std::lock_guard<std::mutex> lock(voiceMutex_);
        voice = current_;
      }
      if (voice) voice->DecodeAhead();
      voice.reset();
      {
        std::lock_guard<std::mutex> lock(deviceMutex_);
        WatchLocked();
      }
      wakeLock.lock();
      if (!woken_ && !quit_) wake_.wait_for(wakeLock, kFeederPeriod);
    }
    wakeLock.unlock();
    // SDL keeps an error text per thread; a thread it did not start must let it go.
    SDL_TLSCleanup();
  }

  // Opens the output and starts the feeder; false when no device at all would open.
  bool StartLocked() {
    if (started_.load(std::memory_order_relaxed)) return true;
    // SDL must leave SIGINT and SIGTERM to the program.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    snd_lib_error_set_handler(&SilentAlsaError);
    std::string reason;
    if (!OpenRealLocked(&reason) && !OpenFallbackLocked(reason)) return false;
    feeder_ = std::thread([this] { Feed(); });
    started_.store(true, std::memory_order_release);
    // A process that ends without shutting the output down still stops its threads before
    // static objects go away.
    static const bool shutdownAtExit = std::atexit([] { Instance().Shutdown(); }) == 0;
    (void)shutdownAtExit;
    return true;
  }

  bool OpenDeviceLocked() {
    SDL_AudioSpec want{};
    want.freq = AudioVoice::kRate;
    want.format = AUDIO_S16SYS;
    want.channels = AudioVoice::kChannels;
    want.samples = kBufferFrames;
    want.callback = &AudioOutput::Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) return false;
    SDL_PauseAudioDevice(device_, 0);
    haveDevice_.store(true, std::memory_order_release);
    return true;
  }

  // The driver SDL_AUDIODRIVER names, or the first of SDL's that works.
  bool OpenRealLocked(std::string* reason) {
    CloseDriverLocked();
    if (SDL_AudioInit(nullptr) == 0) {
      if (OpenDeviceLocked()) {
        driver_ = Driver::kReal;
        return true;
      }
      *reason = SDL_GetError();
      SDL_AudioQuit();
    } else {
      *reason = SDL_GetError();
    }
    return false;
  }

  // SDL's dummy driver, which takes each buffer's time without a device.
  bool OpenFallbackLocked(const std::string& reason) {
    CloseDriverLocked();
    if (SDL_AudioInit("dummy") == 0 && OpenDeviceLocked()) {
      driver_ = Driver::kFallback;
      nextTry_ = Clock::now() + kRetryPeriod;
      if (!toldFallback_) {
        ReportProblem("Audio: no sound device (" + reason + "); playing silently in real time");
        toldFallback_ = true;
      }
      return true;
    }
    if (!toldFailure_) {
      ReportProblem(std::string("Audio: no audio output at all: ") + SDL_GetError());
      toldFailure_ = true;
    }
    SDL_AudioQuit();
    return false;
  }

  void CloseDriverLocked() {
    haveDevice_.store(false, std::memory_order_release);
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    device_ = 0;
    if (driver_ != Driver::kNone) SDL_AudioQuit();
    driver_ = Driver::kNone;
  }

  // Feeder thread: notices a lost device and reopens it, and brings the output back from the
  // dummy driver to the real device once that opens. The voice that plays goes on from where
  // it was.
  void WatchLocked() {
    if (!started_.load(std::memory_order_relaxed)) return;
    const bool lost =
        driver_ == Driver::kNone || SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED;
    if (lost) {
      const Driver was = driver_;
      if (was != Driver::kNone) {
        SDL_CloseAudioDevice(device_);
        device_ = 0;
        haveDevice_.store(false, std::memory_order_release);
        if (OpenDeviceLocked()) {
          ReportProblem("Audio: the sound device was lost and has been reopened");
          return;
        }
      }
      if (was == Driver::kNone && Clock::now() < nextTry_) return;
      std::string reason = SDL_GetError();
      if (OpenRealLocked(&reason)) {
        ReportProblem("Audio: the sound device was lost and has been reopened");
        return;
      }
      if (was == Driver::kReal) {
        ReportProblem("Audio: the sound device was lost (" + reason +
                      "); playing silently in real time until it is back");
        toldFallback_ = true;
      }
      if (!OpenFallbackLocked(reason)) {
        nextTry_ = Clock::now() + kRetryPeriod;
        StopCurrent();
      }
      return;
    }
    if (driver_ == Driver::kFallback && Clock::now() >= nextTry_) {
      std::string reason;
      if (OpenRealLocked(&reason)) {
        ReportProblem("Audio: the sound device is back");
        return;
      }
      OpenFallbackLocked(reason);
    }
  }

  void StopCurrent() {
    std::lock_guard<std::mutex> lock(voiceMutex_);
    if (current_) current_->Stop();
  }

  // The device and SDL's audio driver. Taken by the program's thread to start and shut down
  // the output, and by the feeder thread to watch it; never by the audio callback.
  std::mutex deviceMutex_;
  Driver driver_ = Driver::kNone;  // under deviceMutex_
  SDL_AudioDeviceID device_ = 0;   // under deviceMutex_
  Clock::time_point nextTry_{};    // under deviceMutex_: the next try of the real device
  bool toldFallback_ = false;      // under deviceMutex_
  bool toldFailure_ = false;       // under deviceMutex_
  std::thread feeder_;             // under deviceMutex_ to start; joined by Shutdown
  // Read by Play without a lock; written under deviceMutex_.
  std::atomic<bool> started_{false};
  std::atomic<bool> haveDevice_{false};

  // The voice that plays: read by the callback at every buffer, copied by the feeder, replaced
  // by Play; each holds the lock only for that.
  std::mutex voiceMutex_;
  std::shared_ptr<AudioVoice> current_;  // under voiceMutex_

  // Wakes the feeder early: a new voice to decode, or the end.
  std::mutex wakeMutex_;
  std::condition_variable wake_;  // waited on by the feeder under wakeMutex_
  bool woken_ = false;            // under wakeMutex_
  bool quit_ = false;             // under wakeMutex_
};

}  // namespace

void AudioOutputPlay(const std::shared_ptr<AudioVoice>& voice) {
  if (voice) AudioOutput::Instance().Play(voice);
}
void AudioOutputShutdown() {
  AudioOutput::Instance().Shutdown();
}
void AudioOutputLoseDevice() {
  AudioOutput::Instance().LoseDevice();
}
