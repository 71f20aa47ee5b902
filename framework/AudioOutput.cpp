#include "framework/AudioOutput.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>

#include "framework/AudioVoice.h"

namespace {

constexpr Uint16 kBufferFrames = 512;

class AudioOutput {
 public:
  static AudioOutput& Instance() {
    // Never destroyed: the audio thread may still run while static objects go away at exit.
    static AudioOutput* output = new AudioOutput;
    return *output;
  }

  void Play(const std::shared_ptr<AudioVoice>& voice) {
    std::shared_ptr<AudioVoice> previous;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!EnsureOpenLocked()) {
        voice->Stop();
        return;
      }
      CheckDeviceLocked(true);
      if (!open_.load(std::memory_order_relaxed)) {
        voice->Stop();
        return;
      }
      voice->Start();
      SDL_LockAudioDevice(device_);
      previous = std::exchange(current_, voice);
      SDL_UnlockAudioDevice(device_);
      if (previous) previous->Stop();
    }
    // The replaced voice (and its decoder) goes here, outside both locks.
  }

  void CheckDevice() {
    if (!open_.load(std::memory_order_acquire)) return;
    if (SDL_GetAudioDeviceStatus(device_id_.load(std::memory_order_relaxed)) != SDL_AUDIO_STOPPED) {
      return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    CheckDeviceLocked(false);
  }

  void Shutdown() {
    std::shared_ptr<AudioVoice> previous;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      CloseLocked();
      previous = std::move(current_);
      if (previous) previous->Stop();
    }
  }

  void LoseDevice() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (device_ != 0) SDL_CloseAudioDevice(device_);
  }

 private:
  static void Callback(void* userdata, Uint8* stream, int len) {
    auto* self = static_cast<AudioOutput*>(userdata);
    const size_t frames = static_cast<size_t>(len) / (AudioVoice::kChannels * sizeof(int16_t));
    size_t written = 0;
    const std::shared_ptr<AudioVoice>& voice = self->current_;
    if (voice && voice->Playing())
      written = voice->Render(reinterpret_cast<int16_t*>(stream), frames);
    const size_t used = written * AudioVoice::kChannels * sizeof(int16_t);
    std::memset(stream + used, 0, static_cast<size_t>(len) - used);
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
    device_id_.store(device_, std::memory_order_relaxed);
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }

  bool EnsureOpenLocked() {
    if (open_.load(std::memory_order_relaxed)) return true;
    // SDL must leave SIGINT and SIGTERM to the program.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (!events_) events_ = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
    std::string reason;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
      if (OpenDeviceLocked()) {
        subsystem_ = true;
        open_.store(true, std::memory_order_release);
        return true;
      }
      reason = SDL_GetError();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
    } else {
      reason = SDL_GetError();
    }
    return OpenFallbackLocked(reason);
  }

  // Runs on SDL's dummy driver, which takes each buffer's time without a device.
  bool OpenFallbackLocked(const std::string& reason) {
    if (SDL_AudioInit("dummy") == 0 && OpenDeviceLocked()) {
      open_.store(true, std::memory_order_release);
      if (!told_fallback_) {
        std::fprintf(stderr, "Audio: no sound device (%s); playing silently in real time\n",
                     reason.c_str());
        told_fallback_ = true;
      }
      return true;
    }
    if (!told_failure_) {
      std::fprintf(stderr, "Audio: no audio output at all: %s\n", SDL_GetError());
      told_failure_ = true;
    }
    SDL_AudioQuit();
    return false;
  }

  // Reopens the device when SDL reports it removed or stopped. The voice that plays goes
  // on from where it was on the new device.
  void CheckDeviceLocked(bool drainEvents) {
    if (!open_.load(std::memory_order_relaxed)) return;
    bool lost = SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED;
    if (drainEvents && events_) {
      SDL_Event events[8];
      int n = 0;
      while ((n = SDL_PeepEvents(events, 8, SDL_GETEVENT, SDL_AUDIODEVICEADDED,
                                 SDL_AUDIODEVICEREMOVED)) > 0) {
        for (int i = 0; i < n; ++i) {
          if (events[i].type == SDL_AUDIODEVICEREMOVED && events[i].adevice.iscapture == 0 &&
              events[i].adevice.which == device_) {
            lost = true;
          }
        }
      }
    }
    if (!lost) return;
    std::fprintf(stderr, "Audio: the sound device was lost; reopening it\n");
    SDL_CloseAudioDevice(device_);
    device_ = 0;
    if (OpenDeviceLocked()) return;
    const std::string reason = SDL_GetError();
    if (subsystem_) {
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      subsystem_ = false;
    } else {
      SDL_AudioQuit();
    }
    open_.store(false, std::memory_order_release);
    if (!OpenFallbackLocked(reason) && current_) current_->Stop();
  }

  void CloseLocked() {
    if (open_.load(std::memory_order_relaxed)) {
      if (device_ != 0) SDL_CloseAudioDevice(device_);
      device_ = 0;
      device_id_.store(0, std::memory_order_relaxed);
      if (subsystem_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
      } else {
        SDL_AudioQuit();
      }
      subsystem_ = false;
      open_.store(false, std::memory_order_release);
    }
    if (events_) SDL_QuitSubSystem(SDL_INIT_EVENTS);
    events_ = false;
  }

  std::mutex mutex_;
  std::atomic<bool> open_{false};
  std::atomic<SDL_AudioDeviceID> device_id_{0};
  SDL_AudioDeviceID device_ = 0;
  bool subsystem_ = false;  // audio came up through SDL_InitSubSystem, not the fallback
  bool events_ = false;
  bool told_fallback_ = false;
  bool told_failure_ = false;
  // Read by the callback under the device lock; changed only under it.
  std::shared_ptr<AudioVoice> current_;
};

}  // namespace

void AudioOutputPlay(const std::shared_ptr<AudioVoice>& voice) {
  if (voice) AudioOutput::Instance().Play(voice);
}
void AudioOutputCheckDevice() {
  AudioOutput::Instance().CheckDevice();
}
void AudioOutputShutdown() {
  AudioOutput::Instance().Shutdown();
}
void AudioOutputLoseDeviceForTesting() {
  AudioOutput::Instance().LoseDevice();
}
