// CPU time and peak memory of the whole program playing a 60-second MP3 in real time, next to
// mpv playing the same file to its null output in the same run. Each bundle runs headless
// (offscreen, SDL's dummy driver, which takes each buffer's real time) in a temporary folder
// whose music/ and PSAs/ each hold the file, and gets SIGTERM once the first sound has had its
// 60 s; the figures are the child's from wait4 (user + system CPU, ru_maxrss).
//   bench_sound_cpu [--rounds N] [--together] [--file F.mp3] [BUNDLE ...]
// By default they run one after the other, in the opposite order in even rounds; --together
// starts mpv and every bundle at once, so that all of them see the same load on a busy
// machine. Also prints each thread's CPU time and how often it was scheduled.
// A BUNDLE is LABEL=PATH or PATH, PATH the executable or its .app folder; without one, the
// bundle LUMIVOX_BUNDLE names, else the one built here. The file is a 60-second stereo MP3 of
// pink noise made here with sox and lame unless --file gives one (then it should be about 60 s
// long). Prints figures; takes a minute per bundle and round, and one for mpv.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchProgram.h"

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kPlaySeconds = 60;

struct Figures {
  bool ok = false;
  double wall = 0;
  double user = 0;
  double sys = 0;
  long maxRssKb = 0;
  std::vector<bench::ThreadTime> threads;  // ours, just before the stop
  double Cpu() const { return user + sys; }
};

double Seconds(const timeval& t) {
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

Figures FromUsage(const rusage& usage, double wall) {
  Figures f;
  f.ok = true;
  f.wall = wall;
  f.user = Seconds(usage.ru_utime);
  f.sys = Seconds(usage.ru_stime);
  f.maxRssKb = usage.ru_maxrss;
  return f;
}

// mpv on the file, to its end.
class MpvRun {
 public:
  bool Start(const fs::path& file) {
    std::string exe = "mpv", a1 = "--no-config", a2 = "--no-video", a3 = "--ao=null",
                a4 = "--really-quiet", path = file.string();
    char* argv[] = {exe.data(), a1.data(), a2.data(), a3.data(), a4.data(), path.data(), nullptr};
    start_ = Clock::now();
    return posix_spawnp(&pid_, "mpv", nullptr, nullptr, argv, environ) == 0;
  }
  Figures Finish() {
    if (pid_ <= 0) return {};
    int status = 0;
    rusage usage{};
    const bool ended = wait4(pid_, &status, 0, &usage) == pid_;
    pid_ = -1;
    if (!ended || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    return FromUsage(usage, std::chrono::duration<double>(Clock::now() - start_).count());
  }

 private:
  pid_t pid_ = -1;
  Clock::time_point start_;
};

// A bundle in a folder of its own whose music/ and PSAs/ hold the file, stopped after 60 s.
class BundleRun {
 public:
  ~BundleRun() {
    program_.Stop();
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
  }
  bool Start(const bench::Bundle& bundle, const fs::path& file) {
    label_ = bundle.label;
    folder_ = bench::MakeTempFolder("bench-sound-cpu-run");
    if (folder_.empty()) return false;
    for (const char* list : {"music", "PSAs"}) {
      fs::create_directories(folder_ / list);
      fs::copy_file(file, folder_ / list / file.filename());
    }
    return program_.Start(bundle.executable, folder_, {{"SDL_AUDIODRIVER", "dummy"}});
  }
  Figures Finish() {
    while (program_.Running() && program_.Elapsed() < kPlaySeconds) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const bool ranToTheEnd = program_.Running();
    const pid_t pid = program_.Pid();
    std::vector<bench::ThreadTime> threads = program_.Threads();
    for (bench::ThreadTime& t : threads) {
      if (t.tid == pid) t.name = "main";
    }
    program_.Stop();
    if (ranToTheEnd) {
      Figures f = FromUsage(program_.Usage(), program_.WallSeconds());
      f.threads = std::move(threads);
      return f;
    }
    std::fprintf(stderr, "bench_sound_cpu: %s ended after %.1f s (status %d): %s\n", label_.c_str(),
                 program_.WallSeconds(), program_.Status(), program_.Errors().c_str());
    return {};
  }

 private:
  std::string label_;
  fs::path folder_;
  bench::Child program_;
};

void Print(const std::string& name, const Figures& f) {
  std::printf(
      "  %-28s %6.2f s wall  CPU %6.3f s (user %6.3f, sys %6.3f) = %5.2f%%  max RSS %6.1f MiB\n",
      name.c_str(), f.wall, f.Cpu(), f.user, f.sys, 100 * f.Cpu() / f.wall,
      static_cast<double>(f.maxRssKb) / 1024);
  if (f.threads.empty()) return;
  std::printf("  %-28s threads (CPU s / times scheduled):", "");
  for (const bench::ThreadTime& t : f.threads) {
    if (t.cpuSeconds >= 0.0005)
      std::printf("  %s %.3f/%ld", t.name.c_str(), t.cpuSeconds, t.slices);
  }
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 1;
  bool together = false;
  fs::path file;
  std::vector<std::string> bundleArgs;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
      rounds = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--together") == 0) {
      together = true;
    } else if (std::strcmp(argv[i], "--file") == 0 && i + 1 < argc) {
      file = argv[++i];
    } else {
      bundleArgs.push_back(argv[i]);
    }
  }
  const std::vector<bench::Bundle> bundles = bench::Bundles(bundleArgs, "bench_sound_cpu");
  if (bundles.empty()) return 1;

  fs::path made;
  if (file.empty()) {
    made = bench::MakeTempFolder("bench-sound-cpu");
    file = made / "sixty-seconds.mp3";
    const std::string command = "sox -D -n -r 44100 -c 2 -b 16 '" + (made / "music.wav").string() +
                                "' synth 60 pinknoise gain -12 && lame --quiet -b 192 '" +
                                (made / "music.wav").string() + "' '" + file.string() + "'";
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "bench_sound_cpu: needs sox and lame to make its file\n");
      fs::remove_all(made);
      return 1;
    }
    fs::remove(made / "music.wav");
  }

  std::printf("playing %s in real time (whole program, offscreen, SDL dummy driver; %s)\n",
              file.filename().c_str(), together ? "all at once" : "one after the other");
  bool ok = true;
  for (int round = 1; round <= rounds; ++round) {
    if (rounds > 1) std::printf(" round %d\n", round);
    // One after the other (mpv first in odd rounds, last in even ones, the bundles in turn
    // reversed), or all started at once and so under the same load.
    MpvRun mpvRun;
    std::vector<std::unique_ptr<BundleRun>> runs(bundles.size());
    Figures mpv;
    std::vector<Figures> ours(bundles.size());
    bool mpvStarted = false;
    const bool reversed = !together && round % 2 == 0;
    if (!reversed) {
      mpvStarted = mpvRun.Start(file);
      if (!together) mpv = mpvRun.Finish();
    }
    for (size_t k = 0; k < bundles.size(); ++k) {
      const size_t i = reversed ? bundles.size() - 1 - k : k;
      runs[i] = std::make_unique<BundleRun>();
      const bool started = runs[i]->Start(bundles[i], file);
      if (!together) {
        if (started) ours[i] = runs[i]->Finish();
        runs[i].reset();  // its folder goes before the next run
      }
    }
    if (reversed) {
      mpvStarted = mpvRun.Start(file);
      mpv = mpvRun.Finish();
    }
    if (together) {
      for (size_t i = 0; i < bundles.size(); ++i) ours[i] = runs[i]->Finish();
      mpv = mpvRun.Finish();
    }
    if (mpv.ok) {
      Print("mpv --ao=null", mpv);
    } else {
      std::printf("  mpv: %s\n", mpvStarted ? "failed on the file" : "not found");
    }
    for (size_t i = 0; i < bundles.size(); ++i) {
      if (!ours[i].ok) {
        ok = false;
        continue;
      }
      Print(bundles[i].label, ours[i]);
      if (mpv.ok) {
        std::printf("  %-28s CPU ours/mpv %.3f (target <= 0.55), max RSS %.1f MiB (target <= 40)\n",
                    "", ours[i].Cpu() / mpv.Cpu(), static_cast<double>(ours[i].maxRssKb) / 1024);
      }
    }
  }
  if (!made.empty()) fs::remove_all(made);
  return ok ? 0 : 1;
}
