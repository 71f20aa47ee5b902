#include "framework/AudioVoice.h"

#include <SDL.h>

#include <algorithm>
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
  // Frames decoded, and frames taken from the converter: the output is exactly as long as
  // the input at the output's rate.
  int64_t framesIn = 0;
  int64_t framesOut = 0;

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
    v.framesIn += static_cast<int64_t>(written);
    finished = written < frames;
  } else if (v.converter) {
    const int rate = v.decoder->Rate();
    const size_t frameBytes = kChannels * sizeof(int16_t);
    while (!v.flushed &&
           static_cast<size_t>(SDL_AudioStreamAvailable(v.converter)) < frames * frameBytes) {
      const size_t n = v.decoder->Read(v.scratch.data(), kChunkFrames);
      v.framesIn += static_cast<int64_t>(n);
      const int bytes = static_cast<int>(n * v.decoder->Channels() * sizeof(int16_t));
      if (bytes > 0 && SDL_AudioStreamPut(v.converter, v.scratch.data(), bytes) != 0) break;
      if (v.decoder->Ended()) {
        // The resampler holds back its last frames even when flushed: feed it silence to
        // push them out; the total below cuts that silence off again.
        std::fill(v.scratch.begin(), v.scratch.end(), int16_t{0});
        for (int pad = 0; pad < 4; ++pad) {
          SDL_AudioStreamPut(v.converter, v.scratch.data(),
                             static_cast<int>(v.scratch.size() * sizeof(int16_t)));
        }
        SDL_AudioStreamFlush(v.converter);
        v.flushed = true;
      }
    }
    size_t allowed = frames;
    if (v.flushed) {
      const int64_t total = (v.framesIn * kRate + rate / 2) / rate;
      allowed = static_cast<size_t>(
          std::clamp<int64_t>(total - v.framesOut, 0, static_cast<int64_t>(frames)));
    }
    const int got =
        allowed ? SDL_AudioStreamGet(v.converter, out, static_cast<int>(allowed * frameBytes)) : 0;
    written = got > 0 ? static_cast<size_t>(got) / frameBytes : 0;
    v.framesOut += static_cast<int64_t>(written);
    finished = written < frames;
  } else {
    finished = true;
  }
  if (finished) {
    if (v.decoder->Failed()) {
      std::fprintf(stderr, "Sound: %s: decoding error after %.2f s, the rest is skipped: %s\n",
                   v.name.c_str(), static_cast<double>(v.framesIn) / v.decoder->Rate(),
                   v.decoder->Error().c_str());
    }
    Stop();
  }
  return written;
}
