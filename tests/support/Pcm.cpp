#include "tests/support/Pcm.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>

#include "tests/support/Fixtures.h"

namespace pcm {

Segment Segment::Part(double from, double to) const {
  auto at = [this](double seconds) {
    const double frame = static_cast<double>(start) + std::max(0.0, seconds) * kRate;
    return std::clamp(static_cast<size_t>(frame), start, end);
  };
  return Segment{at(from), at(to)};
}

Capture::Capture(const std::vector<int16_t>& stereo) {
  mono_.reserve(stereo.size() / 2);
  for (size_t i = 0; i + 1 < stereo.size(); i += 2) {
    mono_.push_back((static_cast<float>(stereo[i]) + static_cast<float>(stereo[i + 1])) / 65536.0f);
  }
}

Capture Capture::ReadFile(const std::string& path) {
  const std::string bytes = ReadFileBytes(path);
  std::vector<int16_t> samples(bytes.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i) {
    const auto lo = static_cast<uint8_t>(bytes[2 * i]);
    const auto hi = static_cast<uint8_t>(bytes[2 * i + 1]);
    samples[i] = static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
  }
  return Capture(samples);
}

std::vector<Segment> Capture::Sounds(double threshold, double minSilence) const {
  const auto gap = static_cast<size_t>(minSilence * kRate);
  std::vector<Segment> sounds;
  bool inSound = false;
  size_t lastLoud = 0;
  for (size_t i = 0; i < mono_.size(); ++i) {
    if (std::fabs(mono_[i]) < threshold) continue;
    if (inSound && i - lastLoud > gap) {
      sounds.back().end = lastLoud + 1;
      inSound = false;
    }
    if (!inSound) {
      sounds.push_back(Segment{i, i + 1});
      inSound = true;
    }
    lastLoud = i;
  }
  if (inSound) sounds.back().end = lastLoud + 1;
  return sounds;
}

std::vector<Segment> Capture::Silences(double threshold, double minSilence) const {
  const std::vector<Segment> sounds = Sounds(threshold, minSilence);
  std::vector<Segment> silences;
  for (size_t i = 1; i < sounds.size(); ++i) {
    silences.push_back(Segment{sounds[i - 1].end, sounds[i].start});
  }
  return silences;
}

double Capture::DominantFrequency(const Segment& segment,
                                  const std::vector<double>& candidates) const {
  double best = 0;
  double bestPower = -1;
  for (double f : candidates) {
    const double coeff = 2 * std::cos(2 * std::numbers::pi * f / kRate);
    double s1 = 0, s2 = 0;
    for (size_t i = segment.start; i < segment.end && i < mono_.size(); ++i) {
      const double s0 = mono_[i] + coeff * s1 - s2;
      s2 = s1;
      s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - coeff * s1 * s2;
    if (power > bestPower) {
      bestPower = power;
      best = f;
    }
  }
  return best;
}

double Capture::ZeroCrossingFrequency(const Segment& segment) const {
  size_t crossings = 0;
  size_t first = 0, last = 0;
  const size_t end = std::min(segment.end, mono_.size());
  for (size_t i = segment.start + 1; i < end; ++i) {
    if (mono_[i - 1] < 0 && mono_[i] >= 0) {
      if (crossings == 0) first = i;
      last = i;
      ++crossings;
    }
  }
  if (crossings < 2) return 0;
  return static_cast<double>(crossings - 1) * kRate / static_cast<double>(last - first);
}

}  // namespace pcm
