// Time from start to first sound: starts the built program (offscreen, audio through SDL's
// disk driver) in a folder of short tones, the size of the demo folders (3 PSAs, 4 music
// files), and in one whose music folder holds 100,000 files (hard links of one tone), and
// measures when its first sound is played: the wall time from exec until the output opens
// (its capture file appears) plus the time from there to the first sound on the capture's
// own timeline, so that the disk driver's buffered writes do not count.
//   bench_startup [--runs N] [--big-runs M] [BUNDLE ...]
// A BUNDLE is LABEL=PATH or PATH, PATH the executable or its .app folder; without one, the
// bundle LUMIVOX_BUNDLE names, else the one built here. Runs alternate between the bundles.
// N runs (10) with the small folders, M (5) with the large one. Prints figures.
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchProgram.h"
#include "tests/support/Pcm.h"

namespace fs = std::filesystem;

namespace {

constexpr int kBigFolder = 100'000;

struct Scenario {
  std::string name;
  fs::path folder;
  int runs = 0;
  double timeout = 0;
};

// One start: seconds from exec to the output's opening and from there to the first sound;
// negative when no sound came within the timeout.
struct Start {
  double toOutput = -1;
  double toSound = -1;
  double Total() const { return toOutput + toSound; }
};

// The capture's first sound, in seconds from its start; negative while there is none.
double FirstSound(const fs::path& capture) {
  pcm::Capture audio = pcm::Capture::ReadFile(capture.string());
  auto sounds = audio.Sounds(0.02, 0.004);
  return sounds.empty() ? -1 : sounds.front().StartSeconds();
}

Start RunOnce(const bench::Bundle& bundle, const Scenario& scenario) {
  const fs::path capture = scenario.folder / "capture.raw";
  std::error_code ignored;
  fs::remove(capture, ignored);
  bench::Child program;
  Start start;
  if (!program.Start(bundle.executable, scenario.folder,
                     {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", capture.string()}})) {
    return start;
  }
  while (program.Elapsed() < scenario.timeout && program.Running()) {
    if (start.toOutput < 0 && fs::exists(capture, ignored)) start.toOutput = program.Elapsed();
    if (start.toOutput >= 0) {
      start.toSound = FirstSound(capture);
      if (start.toSound >= 0) break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  program.Stop();
  if (start.toSound < 0) {
    std::fprintf(stderr, "bench_startup: %s, %s: no sound within %.0f s: %s\n",
                 bundle.label.c_str(), scenario.name.c_str(), scenario.timeout,
                 program.Errors().c_str());
    start.toOutput = -1;
  }
  fs::remove(capture, ignored);
  return start;
}

// A folder with `psas` copies of one tone in PSAs/ and `music` of another in music/, the music
// mostly as hard links (fast to make and to remove; a file takes some 65,000 links at most on
// ext4, so a fresh copy starts every 50,000).
bool MakeFolder(const fs::path& folder, int psas, int music) {
  const fs::path fixtures = fs::path(LUMIVOX_SOURCE_DIR) / "tests" / "fixtures";
  std::error_code error;
  fs::create_directories(folder / "PSAs", error);
  fs::create_directories(folder / "music", error);
  for (int i = 0; i < psas && !error; ++i) {
    fs::copy_file(fixtures / "tone-880.mp3",
                  folder / "PSAs" / ("psa-" + std::to_string(i) + ".mp3"), error);
  }
  fs::path source;
  char name[32];
  for (int i = 0; i < music && !error; ++i) {
    std::snprintf(name, sizeof name, "track-%06d.mp3", i);
    const fs::path file = folder / "music" / name;
    if (i % 50'000 == 0) {
      source = file;
      fs::copy_file(fixtures / "tone-440.mp3", file, error);
    } else {
      fs::create_hard_link(source, file, error);
    }
  }
  if (error) std::fprintf(stderr, "bench_startup: %s\n", error.message().c_str());
  return !error;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 10;
  int bigRuns = 5;
  std::vector<std::string> bundleArgs;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--big-runs") == 0 && i + 1 < argc) {
      bigRuns = std::max(0, std::atoi(argv[++i]));
    } else {
      bundleArgs.push_back(argv[i]);
    }
  }
  const std::vector<bench::Bundle> bundles = bench::Bundles(bundleArgs, "bench_startup");
  if (bundles.empty()) return 1;

  const fs::path work = bench::MakeTempFolder("bench-startup");
  std::vector<Scenario> scenarios = {
      {"demo-sized folders (3 PSAs, 4 music)", work / "demo", runs, 10},
      {"100,000 music files", work / "big", bigRuns, 120},
  };
  if (work.empty() || !MakeFolder(scenarios[0].folder, 3, 4) ||
      (bigRuns > 0 && !MakeFolder(scenarios[1].folder, 3, kBigFolder))) {
    std::fprintf(stderr, "bench_startup: cannot make the folders to run in\n");
    if (!work.empty()) fs::remove_all(work);
    return 1;
  }

  std::printf(
      "start to first sound (offscreen, disk driver): exec to output open + output open "
      "to first sound\n");
  for (const Scenario& scenario : scenarios) {
    if (scenario.runs == 0) continue;
    std::map<std::string, std::vector<Start>> starts;
    for (int run = 0; run < scenario.runs; ++run) {
      for (const bench::Bundle& b : bundles) {
        const Start s = RunOnce(b, scenario);
        if (s.toOutput >= 0) starts[b.label].push_back(s);
      }
    }
    std::printf(" %s, %d runs each\n", scenario.name.c_str(), scenario.runs);
    for (const bench::Bundle& b : bundles) {
      const std::vector<Start>& s = starts[b.label];
      if (s.empty()) {
        std::printf("  %-24s no sound in any run\n", b.label.c_str());
        continue;
      }
      std::vector<double> total, output, sound;
      for (const Start& one : s) {
        total.push_back(one.Total() * 1000);
        output.push_back(one.toOutput * 1000);
        sound.push_back(one.toSound * 1000);
      }
      std::printf(
          "  %-24s first sound: median %7.1f ms, max %7.1f ms   (exec to output open: median "
          "%7.1f ms; output open to sound: median %4.1f ms, max %4.1f ms)%s\n",
          b.label.c_str(), Median(total), *std::max_element(total.begin(), total.end()),
          Median(output), Median(sound), *std::max_element(sound.begin(), sound.end()),
          s.size() < static_cast<size_t>(scenario.runs) ? "  [some runs had no sound]" : "");
    }
  }
  fs::remove_all(work);
  return 0;
}
