// Threads: Begin runs on the program's thread, DecodeAhead on the output's feeder thread, both
// under the stream's mutex; Render runs on SDL's audio thread and takes no lock (AudioVoice.h).
#include "framework/audio/AudioVoice.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "framework/audio/Mp3Decoder.h"
#include "framework/audio/SoundStream.h"
#include "framework/runtime/Reporter.h"

namespace {

// Decoded frames per step: one MPEG layer II/III frame's worth.
constexpr size_t kChunkFrames = 1152;
// The ring: about a second and a half at 44.1 kHz, kept as full as the decoding allows.
constexpr size_t kRingFrames = 65536;
// What Begin decodes before Play returns: several of the output's 512-frame buffers.
constexpr size_t kFirstFrames = 2048;
constexpr size_t kFrameBytes = AudioVoice::kChannels * sizeof(int16_t);

std::atomic<uint64_t> lastVoiceId{0};  // any thread; voices are made on the program's thread

}  // namespace

AudioVoice::AudioVoice(std::shared_ptr<SoundStream> stream)
    : stream_(std::move(stream)), id_(++lastVoiceId), ring_(kRingFrames) {}

AudioVoice::~AudioVoice() {
  if (converter_) SDL_FreeAudioStream(converter_);
}

bool AudioVoice::Begin(std::string* why) {
  SoundStream& s = *stream_;
  std::lock_guard<std::mutex> lock(s.Mutex());
  s.SetOwner(id_);
  if (!s.Decoder().Rewind(why)) return false;
  const bool native = s.Rate() == kRate && s.Channels() == kChannels;
  if (!native) {
    converter_ = SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(s.Channels()), s.Rate(),
                                    AUDIO_S16SYS, kChannels, kRate);
    if (!converter_) {
      if (why) *why = std::string("cannot convert it to the output format: ") + SDL_GetError();
      return false;
    }
    convertedSamples_.resize(kChunkFrames * 8 * kChannels);
  }
  decodedSamples_.resize(kChunkFrames * static_cast<size_t>(native ? kChannels : s.Channels()));
  playing_.store(true, std::memory_order_release);
  FillLocked(kFirstFrames);
  return true;
}

void AudioVoice::DecodeAhead() {
  if (Decoded() || !Playing()) return;
  std::lock_guard<std::mutex> lock(stream_->Mutex());
  if (stream_->Owner() != id_) {
    // A later Play of the same sound has the stream: this one ends with what it has.
    FinishLocked();
    return;
  }
  FillLocked(ring_.Capacity());
}

void AudioVoice::FinishLocked() {
  decoded_.store(true, std::memory_order_release);
}

void AudioVoice::FillLocked(size_t limit) {
  Mp3Decoder& decoder = stream_->Decoder();
  const int rate = stream_->Rate();
  while (!Decoded() && Playing() && ring_.Available() < limit) {
    if (!converter_) {
      const size_t room = std::min(ring_.Free(), kChunkFrames);
      if (room == 0) break;
      const size_t n = decoder.Read(decodedSamples_.data(), room);
      framesIn_ += static_cast<int64_t>(n);
      framesOut_ += static_cast<int64_t>(ring_.Write(decodedSamples_.data(), n));
      if (n < room) FinishLocked();
      continue;
    }
    // Converted frames waiting in the converter go first; after the flush only as many as
    // the input is long at the output's rate (the resampler's padding is cut off).
    size_t ready = static_cast<size_t>(SDL_AudioStreamAvailable(converter_)) / kFrameBytes;
    if (flushed_) {
      const int64_t total = (framesIn_ * kRate + rate / 2) / rate;
      ready = static_cast<size_t>(std::clamp<int64_t>(total - framesOut_, 0, ready));
      if (ready == 0) {
        FinishLocked();
        break;
      }
    }
    if (ready > 0) {
      const size_t n =
          std::min({ready, ring_.Free(), convertedSamples_.size() / AudioVoice::kChannels});
      if (n == 0) break;
      const int got = SDL_AudioStreamGet(converter_, convertedSamples_.data(),
                                         static_cast<int>(n * kFrameBytes));
      if (got <= 0) {
        FinishLocked();
        break;
      }
      framesOut_ += static_cast<int64_t>(
          ring_.Write(convertedSamples_.data(), static_cast<size_t>(got) / kFrameBytes));
      continue;
    }
    const size_t n = decoder.Read(decodedSamples_.data(), kChunkFrames);
    framesIn_ += static_cast<int64_t>(n);
    const int bytes =
        static_cast<int>(n * static_cast<size_t>(stream_->Channels()) * sizeof(int16_t));
    if (bytes > 0 && SDL_AudioStreamPut(converter_, decodedSamples_.data(), bytes) != 0) {
      FinishLocked();
      break;
    }
    if (decoder.Ended()) {
      // The resampler holds back its last frames even when flushed: feed it silence to push
      // them out; the total above cuts that silence off again.
      std::fill(decodedSamples_.begin(), decodedSamples_.end(), int16_t{0});
      for (int pad = 0; pad < 4; ++pad) {
        SDL_AudioStreamPut(converter_, decodedSamples_.data(),
                           static_cast<int>(decodedSamples_.size() * sizeof(int16_t)));
      }
      SDL_AudioStreamFlush(converter_);
      flushed_ = true;
    }
  }
  if (Decoded() && decoder.Failed()) {
    char at[32];
    std::snprintf(at, sizeof at, "%.2f", static_cast<double>(framesIn_) / rate);
    ReportProblem("Sound: " + stream_->Name() + ": decoding error after " + at +
                  " s, the rest is skipped: " + decoder.Error());
  }
}

size_t AudioVoice::Render(int16_t* out, size_t frames) {
  if (!Playing()) return 0;
  // Read the flag first: when it was set, everything it covers is in the ring already.
  const bool decoded = Decoded();
  const size_t n = ring_.Read(out, frames);
  if (decoded && ring_.Available() == 0) Stop();
  return n;
}
