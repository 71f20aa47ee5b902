// Threads: Write and Free on the producer's thread, Read and Available on the consumer's (the
// audio callback); the two positions are the only shared state (SampleRing.h).
#include "framework/audio/SampleRing.h"

#include <algorithm>
#include <bit>
#include <cstring>

SampleRing::SampleRing(size_t capacity)
    : samples_(
          std::make_unique<int16_t[]>(std::bit_ceil(std::max<size_t>(capacity, 2)) * kChannels)),
      mask_(std::bit_ceil(std::max<size_t>(capacity, 2)) - 1) {}

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
