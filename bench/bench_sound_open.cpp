// The cost of the calls the program makes often: Sound::Open on a good file and on 100 KB of
// junk named ".mp3" (files warm in the page cache), and one IsPlaying, while a sound plays and
// while none does. Prints figures.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "framework/Sound.h"
#include "framework/audio/AudioOutput.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// Median microseconds of one Open over `runs` runs; `opened` tells whether it gave a sound.
double OpenMicros(const fs::path& path, int runs, bool* opened) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    const auto sound = Sound::Open(path.string());
    times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    *opened = sound != nullptr;
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

double IsPlayingNanos(const Sound& sound, bool* result) {
  constexpr int kCalls = 2'000'000;
  int playing = 0;
  const auto start = Clock::now();
  for (int i = 0; i < kCalls; ++i) playing += sound.IsPlaying();
  const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
  *result = playing > kCalls / 2;
  return ns / kCalls;
}

}  // namespace

int main() {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const fs::path fixtures = fs::path(LUMIVOX_SOURCE_DIR) / "tests" / "fixtures";
  const fs::path junk =
      fs::temp_directory_path() / ("bench-sound-junk-" + std::to_string(getpid()) + ".mp3");
  {
    std::mt19937 rng(1);
    std::ofstream out(junk, std::ios::binary);
    for (int i = 0; i < 100 * 1024; ++i) out.put(static_cast<char>(rng()));
  }

  std::printf("Sound::Open, median of 200\n");
  for (const fs::path& path : {fixtures / "tone-440.mp3", fixtures / "tone-440-48k.mp3", junk}) {
    bool opened = false;
    const double us = OpenMicros(path, 200, &opened);
    std::printf("  %-22s %8.1f us  (%s, %ju bytes)\n", path.filename().c_str(), us,
                opened ? "a sound" : "null", static_cast<uintmax_t>(fs::file_size(path)));
  }
  fs::remove(junk);

  const auto sound = Sound::Open((fixtures / "tone-880-1s.mp3").string());
  if (!sound) return 1;
  bool result = false;
  std::printf("IsPlaying, mean of 2,000,000 calls\n");
  const double idle = IsPlayingNanos(*sound, &result);
  std::printf("  never played:  %6.1f ns  (%s)\n", idle, result ? "true" : "false");
  sound->Play();
  const double busy = IsPlayingNanos(*sound, &result);
  std::printf("  while playing: %6.1f ns  (%s)\n", busy, result ? "true" : "false");
  AudioOutputShutdown();
  return 0;
}
