// A single-producer, single-consumer ring of stereo 16-bit sample frames between a voice's
// decoding (the producer: the thread that holds the voice's stream) and the audio callback
// (the consumer). Neither side locks, allocates or waits: the two positions are atomics, each
// written by one side only.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

class SampleRing {
 public:
  static constexpr size_t kChannels = 2;

  // Room for `capacity` frames, rounded up to a power of two. Make and destroy rings on any
  // thread but the audio callback's: their storage comes from, and goes back to, a small
  // store of spare buffers.
  explicit SampleRing(size_t capacity);
  ~SampleRing();
  SampleRing(const SampleRing&) = delete;
  SampleRing& operator=(const SampleRing&) = delete;

  size_t Capacity() const { return mask_ + 1; }
  // Producer: how many frames fit now, and writes up to `frames` of them; gives how many.
  size_t Free() const;
  size_t Write(const int16_t* samples, size_t frames);
  // Consumer: how many frames wait, and reads up to `frames` of them; gives how many.
  size_t Available() const;
  size_t Read(int16_t* samples, size_t frames);

 private:
  // The frames from read_ to written_ belong to the consumer, the others to the producer.
  std::unique_ptr<int16_t[]> samples_;
  size_t mask_;  // constant after construction
  // Frames written and read since the start; they only grow (and wrap together in 64 bits).
  std::atomic<uint64_t> written_{0};  // written by the producer only
  std::atomic<uint64_t> read_{0};     // written by the consumer only
};
