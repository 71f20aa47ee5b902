#include "framework/Sound.h"

#include <cstdio>
#include <utility>

#include "framework/AudioOutput.h"
#include "framework/AudioVoice.h"
#include "framework/Mp3Decoder.h"

struct Sound::Impl {
  std::string path;
  double duration = -1;
  // The voice of the last Play; the output holds it too while it plays.
  std::shared_ptr<AudioVoice> voice;
};

Sound::Sound(Token, std::string path, double duration) : impl_(std::make_unique<Impl>()) {
  impl_->path = std::move(path);
  impl_->duration = duration;
}

Sound::~Sound() = default;

std::shared_ptr<Sound> Sound::Open(const std::string& path) {
  // The probe's decoder is not kept: a Sound holds no file open, so a program may keep many.
  const auto decoder = Mp3Decoder::Open(path);
  if (!decoder) return nullptr;
  const int64_t frames = decoder->LengthFrames();
  const double duration = frames >= 0 ? static_cast<double>(frames) / decoder->Rate() : -1.0;
  return std::make_shared<Sound>(Token{}, path, duration);
}

void Sound::Play() {
  std::string why;
  auto decoder = Mp3Decoder::Open(impl_->path, &why);
  if (!decoder) {
    // Nothing new starts, and what plays goes on.
    std::fprintf(stderr, "Sound: cannot play %s: %s\n", impl_->path.c_str(), why.c_str());
    return;
  }
  auto voice = std::make_shared<AudioVoice>(std::move(decoder), impl_->path);
  AudioOutputPlay(voice);
  impl_->voice = std::move(voice);
}

bool Sound::IsPlaying() const {
  const AudioVoice* voice = impl_->voice.get();
  if (!voice || !voice->Playing()) return false;
  AudioOutputCheckDevice();
  return voice->Playing();
}

double Sound::Duration() const {
  return impl_->duration;
}

std::string Sound::ClassNameForMessages() const {
  return "Sound";
}
