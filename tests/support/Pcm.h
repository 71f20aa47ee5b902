// Analysis of captured audio for tests: reads what SDL's disk driver wrote (raw signed 16-bit
// little-endian stereo at 44.1 kHz), splits it into sounds and silences, and tells the
// frequency of a tone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pcm {

constexpr int kRate = 44100;

// A run of frames [start, end) of a capture.
struct Segment {
  size_t start = 0;
  size_t end = 0;
  size_t Frames() const { return end - start; }
  double StartSeconds() const { return static_cast<double>(start) / kRate; }
  double EndSeconds() const { return static_cast<double>(end) / kRate; }
  double Seconds() const { return static_cast<double>(Frames()) / kRate; }
  // The part from `from` to `to` seconds after this segment's start, clipped to it.
  Segment Part(double from, double to) const;
};

class Capture {
 public:
  Capture() = default;
  // From interleaved stereo samples.
  explicit Capture(const std::vector<int16_t>& stereo);
  // The file's samples; an empty capture when it cannot be read.
  static Capture ReadFile(const std::string& path);

  size_t Frames() const { return mono_.size(); }
  double Seconds() const { return static_cast<double>(Frames()) / kRate; }
  // Left and right mixed, full scale 1.0.
  const std::vector<float>& Mono() const { return mono_; }

  // The sounds: runs that reach `threshold` (of full scale), split where the signal stays
  // below it for at least `minSilence` seconds.
  std::vector<Segment> Sounds(double threshold = 0.02, double minSilence = 0.004) const;
  // The silences between consecutive sounds.
  std::vector<Segment> Silences(double threshold = 0.02, double minSilence = 0.004) const;

  // Of the candidate frequencies, the one with the most energy in the segment (Goertzel).
  double DominantFrequency(const Segment& segment, const std::vector<double>& candidates) const;
  // The frequency from the rate of upward zero crossings, for a single tone.
  double ZeroCrossingFrequency(const Segment& segment) const;

 private:
  std::vector<float> mono_;
};

}  // namespace pcm
