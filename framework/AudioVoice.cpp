#include "framework/AudioVoice.h"

#include <SDL.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "framework/Mp3Decoder.h"

namespace {
// Decoded frames per conversion step: one MPEG layer II/III frame's worth.
constexpr size_t kChunkFrames = 1152;
}  // namespace

struct AudioVoice::Impl {
  std::unique_ptr<Mp3Decoder> decoder;
  std::string name;
  // Null when the decoder's format already is the output's.
  SDL_AudioStream* converter = nullptr;
  std::vector<int16_t> scratch;
  bool flushed = false;

  ~Impl() {
    if (converter) SDL_FreeAudioStream(converter);
  }
};

AudioVoice::AudioVoice(std::unique_ptr<Mp3Decoder> decoder, std::string name)
    : impl_(std::make_unique<Impl>()) {
  Impl& v = *impl_;
  v.decoder = std::move(decoder);
  v.name = std::move(name);
  if (v.decoder->Rate() != kRate || v.decoder->Channels() != kChannels) {
    v.converter = SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(v.decoder->Channels()),
                                     v.decoder->Rate(), AUDIO_S16SYS, kChannels, kRate);
    if (!v.converter) {
      std::fprintf(stderr, "Sound: cannot convert %s to the output format: %s\n", v.name.c_str(),
                   SDL_GetError());
    }
    v.scratch.resize(kChunkFrames * static_cast<size_t>(v.decoder->Channels()));
  }
}

AudioVoice::~AudioVoice() = default;

size_t AudioVoice::Render(int16_t* out, size_t frames) {
  Impl& v = *impl_;
  size_t written = 0;
  bool finished = false;
  if (v.decoder->Rate() == kRate && v.decoder->Channels() == kChannels) {
    written = v.decoder->Read(out, frames);
    finished = written < frames;
  } else if (v.converter) {
    const int want = static_cast<int>(frames * kChannels * sizeof(int16_t));
    while (!v.flushed && SDL_AudioStreamAvailable(v.converter) < want) {
      const size_t n = v.decoder->Read(v.scratch.data(), kChunkFrames);
      const int bytes = static_cast<int>(n * v.decoder->Channels() * sizeof(int16_t));
      if (bytes > 0 && SDL_AudioStreamPut(v.converter, v.scratch.data(), bytes) != 0) break;
      if (v.decoder->Ended()) {
        SDL_AudioStreamFlush(v.converter);
        v.flushed = true;
      }
    }
    const int got = SDL_AudioStreamGet(v.converter, out, want);
    written = got > 0 ? static_cast<size_t>(got) / (kChannels * sizeof(int16_t)) : 0;
    finished = written < frames;
  } else {
    finished = true;
  }
  if (finished) {
    if (v.decoder->Failed()) {
      std::fprintf(stderr, "Sound: %s stopped early: %s\n", v.name.c_str(),
                   v.decoder->Error().c_str());
    }
    Stop();
  }
  return written;
}
