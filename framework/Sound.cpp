// Threads: a Sound is used from the program's thread; its stream is shared with the voices
// that play it, which the audio output's feeder thread decodes and may release (Sound.h).
#include "framework/Sound.h"

#include <utility>

#include "framework/TextUtil.h"
#include "framework/audio/AudioOutput.h"
#include "framework/audio/AudioVoice.h"
#include "framework/audio/Mp3Decoder.h"
#include "framework/audio/SoundStream.h"
#include "framework/runtime/Reporter.h"

struct Sound::Impl {
  // The file, open since Open; shared with the voices that play it. Set once, by Open.
  std::shared_ptr<SoundStream> stream;
  double duration = -1;  // set once, by Open
  // The voice of the last Play; the output holds it too while it plays. Program's thread only.
  std::shared_ptr<AudioVoice> voice;
};

Sound::Sound(Token, std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Sound::~Sound() = default;

std::shared_ptr<Sound> Sound::Open(const std::string& path) {
  auto decoder = Mp3Decoder::Open(path);
  if (!decoder) return nullptr;
  auto impl = std::make_unique<Impl>();
  const int64_t frames = decoder->LengthFrames();
  impl->duration = frames >= 0 ? static_cast<double>(frames) / decoder->Rate() : -1.0;
  impl->stream = std::make_shared<SoundStream>(std::move(decoder), PrintablePath(path));
  return std::make_shared<Sound>(Token{}, std::move(impl));
}

void Sound::Play() {
  auto voice = std::make_shared<AudioVoice>(impl_->stream);
  std::string why;
  if (!voice->Begin(&why)) {
    // Nothing new starts, and what plays goes on.
    ReportProblem("Sound: cannot play " + impl_->stream->Name() + ": " + why);
    return;
  }
  AudioOutputPlay(voice);
  impl_->voice = std::move(voice);
}

bool Sound::IsPlaying() const {
  const AudioVoice* voice = impl_->voice.get();
  return voice && voice->Playing();
}

double Sound::Duration() const {
  return impl_->duration;
}

std::string Sound::ClassNameForMessages() const {
  return "Sound";
}
