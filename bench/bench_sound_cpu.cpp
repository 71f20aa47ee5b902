// CPU time and peak memory of a process that plays one MP3 in real time through the audio
// output, next to mpv playing the same file to its null output in the same run. The file is
// the first argument, or a 60-second stereo MP3 made here with sox and lame. Our side uses
// SDL's dummy driver unless SDL_AUDIODRIVER says otherwise. Prints figures.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "framework/Sound.h"
#include "framework/audio/AudioOutput.h"

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double CpuSeconds(const rusage& usage) {
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long StatusKb(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::string(field).size());
  }
  return -1;
}

// Plays the file in this process; gives false when it cannot be played.
bool PlayHere(const fs::path& file, double* wall, double* cpu, long* hwmKb, long* earlyHwmKb) {
  const auto start = Clock::now();
  auto sound = Sound::Open(file.string());
  if (!sound) return false;
  sound->Play();
  // The program's poll: a 10 ms timer asks whether the sound still plays.
  for (int ticks = 0; sound->IsPlaying(); ++ticks) {
    if (ticks == 100) *earlyHwmKb = StatusKb("VmHWM:");
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  *wall = std::chrono::duration<double>(Clock::now() - start).count();
  AudioOutputShutdown();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  *cpu = CpuSeconds(usage);
  *hwmKb = StatusKb("VmHWM:");
  return true;
}

bool PlayInMpv(const fs::path& file, double* wall, double* cpu, long* maxRssKb) {
  std::string exe = "mpv", a1 = "--no-video", a2 = "--ao=null", a3 = "--really-quiet",
              a4 = "--no-config", path = file.string();
  char* argv[] = {exe.data(), a1.data(), a2.data(), a3.data(), a4.data(), path.data(), nullptr};
  const auto start = Clock::now();
  pid_t pid = -1;
  if (posix_spawnp(&pid, "mpv", nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return false;
  }
  *wall = std::chrono::duration<double>(Clock::now() - start).count();
  *cpu = CpuSeconds(usage);
  *maxRssKb = usage.ru_maxrss;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  fs::path file;
  fs::path made;
  if (argc > 1) {
    file = argv[1];
  } else {
    made = fs::temp_directory_path() / ("bench-sound-cpu-" + std::to_string(getpid()));
    fs::create_directories(made);
    file = made / "sixty-seconds.mp3";
    const std::string command = "sox -D -n -r 44100 -c 2 -b 16 '" + (made / "music.wav").string() +
                                "' synth 60 pinknoise gain -12 && lame --quiet -b 192 '" +
                                (made / "music.wav").string() + "' '" + file.string() + "'";
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "bench_sound_cpu: needs sox and lame to make its file\n");
      return 1;
    }
    fs::remove(made / "music.wav");
  }

  double mpvWall = 0, mpvCpu = 0;
  long mpvRss = 0;
  const bool mpv = PlayInMpv(file, &mpvWall, &mpvCpu, &mpvRss);
  double wall = 0, cpu = 0;
  long hwm = 0, earlyHwm = 0;
  const bool ours = PlayHere(file, &wall, &cpu, &hwm, &earlyHwm);
  if (!made.empty()) fs::remove_all(made);
  if (!ours) {
    std::fprintf(stderr, "bench_sound_cpu: cannot play %s\n", file.c_str());
    return 1;
  }

  std::printf("playing %s in real time\n", file.filename().c_str());
  std::printf(
      "  this process: %6.2f s wall  %5.3f s CPU (%.2f%%)  VmHWM %ld KB (%ld KB after 1 s)\n", wall,
      cpu, 100 * cpu / wall, hwm, earlyHwm);
  if (mpv) {
    std::printf("  mpv --ao=null: %6.2f s wall  %5.3f s CPU (%.2f%%)  max RSS %ld KB\n", mpvWall,
                mpvCpu, 100 * mpvCpu / mpvWall, mpvRss);
  } else {
    std::printf("  mpv: not run (missing, or it failed on the file)\n");
  }
  return 0;
}
