// Time from start to first sound: starts the built program (offscreen, audio through SDL's
// disk driver) in a folder of short tones, and measures when the capture first holds sound,
// on the wall clock and on the capture's own timeline. Prints figures; about 15 seconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "tests/support/Pcm.h"
#include "tests/support/ProgramRun.h"

using Clock = std::chrono::steady_clock;

namespace {

// The capture's first sound, in seconds from its start; negative while there is none.
double FirstSound(const std::filesystem::path& capture) {
  pcm::Capture audio = pcm::Capture::ReadFile(capture.string());
  auto sounds = audio.Sounds(0.02, 0.004);
  return sounds.empty() ? -1 : sounds.front().StartSeconds();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  constexpr int kRuns = 10;
  std::vector<double> wall, timeline;
  for (int run = 0; run < kRuns; ++run) {
    ProgramRun program;
    program.AddFixture("tone-440.mp3", "music/a.mp3");
    program.AddFixture("tone-880.mp3", "PSAs/p.mp3");
    auto start = Clock::now();
    program.Start();
    double first = -1;
    while (first < 0 && Clock::now() - start < std::chrono::seconds(10)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      first = FirstSound(program.CapturePath());
    }
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    program.Stop();
    if (first < 0) {
      std::printf("run %d: no sound within 10 s\n", run);
      continue;
    }
    wall.push_back(seconds);
    timeline.push_back(first);
  }
  if (wall.empty()) return 1;
  std::printf("start to first sound, %zu runs\n", wall.size());
  std::printf("  wall clock (exec to first sound in the capture): median %.1f ms, max %.1f ms\n",
              Median(wall) * 1000, *std::max_element(wall.begin(), wall.end()) * 1000);
  std::printf("  capture timeline (device open to first sound):   median %.1f ms, max %.1f ms\n",
              Median(timeline) * 1000, *std::max_element(timeline.begin(), timeline.end()) * 1000);
  return 0;
}
