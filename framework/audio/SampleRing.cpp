// Threads: Write and Free on the producer's thread, Read and Available on the consumer's (the
// audio callback); the two positions are the only shared state (SampleRing.h).
#include "framework/audio/SampleRing.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

// The buffers of rings that have gone, kept for the next ones. A ring of a second and more is
// larger than what malloc serves from its heap: mapped for every Play and unmapped after, it
// costs the program's thread milliseconds on a busy machine, since every unmap stops the CPUs
// of the process's other threads.
class SpareBuffers {
 public:
  static SpareBuffers& Instance() {
    // Never destroyed: a voice may still go away on the feeder thread at exit.
    static SpareBuffers* spares = new SpareBuffers;
    return *spares;
  }

  std::unique_ptr<int16_t[]> Take(size_t samples) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
      if (it->samples == samples) {
        std::unique_ptr<int16_t[]> buffer = std::move(it->buffer);
        kept_.erase(it);
        return buffer;
      }
    }
    return std::make_unique_for_overwrite<int16_t[]>(samples);
  }

  void Give(std::unique_ptr<int16_t[]> buffer, size_t samples) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (kept_.size() < kMaxKept) kept_.push_back({std::move(buffer), samples});
  }

 private:
  // Enough for the voice that plays, the one it replaced and the one that replaces it.
  static constexpr size_t kMaxKept = 4;
  struct Kept {
    std::unique_ptr<int16_t[]> buffer;
    size_t samples;
  };
  std::mutex mutex_;
  std::vector<Kept> kept_;  // under mutex_
};

size_t FramesFor(size_t capacity) {
  return std::bit_ceil(std::max<size_t>(capacity, 2));
}

}  // namespace

SampleRing::SampleRing(size_t capacity)
    : samples_(SpareBuffers::Instance().Take(FramesFor(capacity) * kChannels)),
      mask_(FramesFor(capacity) - 1) {}

SampleRing::~SampleRing() {
  SpareBuffers::Instance().Give(std::move(samples_), Capacity() * kChannels);
}

size_t SampleRing::Free() const {
  const uint64_t used =
      written_.load(std::memory_order_relaxed) - read_.load(std::memory_order_acquire);
  return Capacity() - static_cast<size_t>(used);
}

size_t SampleRing::Available() const {
  return static_cast<size_t>(written_.load(std::memory_order_acquire) -
                             read_.load(std::memory_order_relaxed));
}

size_t SampleRing::Write(const int16_t* samples, size_t frames) {
  const uint64_t at = written_.load(std::memory_order_relaxed);
  const size_t n = std::min(frames, Free());
  const size_t start = static_cast<size_t>(at) & mask_;
  const size_t first = std::min(n, Capacity() - start);
  std::memcpy(samples_.get() + start * kChannels, samples, first * kChannels * sizeof(int16_t));
  std::memcpy(samples_.get(), samples + first * kChannels,
              (n - first) * kChannels * sizeof(int16_t));
  written_.store(at + n, std::memory_order_release);
  return n;
}

size_t SampleRing::Read(int16_t* samples, size_t frames) {
  const uint64_t at = read_.load(std::memory_order_relaxed);
  const size_t n = std::min(frames, Available());
  const size_t start = static_cast<size_t>(at) & mask_;
  const size_t first = std::min(n, Capacity() - start);
  std::memcpy(samples, samples_.get() + start * kChannels, first * kChannels * sizeof(int16_t));
  std::memcpy(samples + first * kChannels, samples_.get(),
              (n - first) * kChannels * sizeof(int16_t));
  read_.store(at + n, std::memory_order_release);
  return n;
}
