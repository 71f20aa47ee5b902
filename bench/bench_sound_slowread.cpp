// Output lost to slow storage: plays a long continuous tone through SDL's disk driver for 20 s
// of wall time, once with the decoder's reads as they are and once with every read stalling
// 150 ms first (the decoder reads its file in 16 KB blocks, about a second of 128 kbit/s
// audio each), and compares what was captured: its length (what the device was given) and
// the sound in it (what a listener hears; a starved ring plays silence). The tone, 40 s of
// 128 kbit/s 44.1 kHz stereo, is made here with sox and lame, or given as the first argument.
//   bench_sound_slowread [--rounds N] [--together] [file.mp3]
// --together plays both at once in two processes, so that a busy machine slows both alike.
// Uses only Sound::Open, Play and IsPlaying, AudioOutputShutdown and the decoder's read seam,
// so the same source builds against an older sound layer for a comparison. Prints figures;
// takes 40 s a round.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "bench/SoundInsides.h"
#include "framework/Sound.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kBytesPerSecond = 44100.0 * 4;
constexpr auto kWall = std::chrono::seconds(20);
constexpr auto kStall = std::chrono::milliseconds(150);
// A frame is loud when a channel reaches 0.5% of full scale (the tone peaks at half of it).
constexpr int kThreshold = 160;
// Quieter runs shorter than this are the tone's zero crossings, not silence.
constexpr size_t kMinSilenceFrames = 8;

std::atomic<int> readCount{0};

ssize_t CountingRead(int fd, void* buffer, size_t bytes) {
  ++readCount;
  return ::read(fd, buffer, bytes);
}

ssize_t StallingRead(int fd, void* buffer, size_t bytes) {
  ++readCount;
  std::this_thread::sleep_for(kStall);
  return ::read(fd, buffer, bytes);
}

struct Result {
  double captured = 0;  // seconds the device was given in the 20 s
  double sound = 0;     // seconds of them that hold sound
  int silences = 0;     // runs of silence after the first sound
  double longestSilence = 0;
  double playMs = 0;  // how long Play took to return
  int reads = 0;      // the decoder's reads from Play to 20 s
};

long FileSize(const fs::path& file) {
  struct stat st {};
  return stat(file.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : 0;
}

// The first `bytes` of a raw S16LE stereo capture.
Result Analyse(const fs::path& capture, long bytes) {
  std::ifstream in(capture, std::ios::binary);
  std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (static_cast<long>(data.size()) > bytes) data.resize(static_cast<size_t>(bytes));
  Result r;
  const size_t frames = data.size() / 4;
  r.captured = static_cast<double>(frames) / 44100.0;
  size_t silent = 0;   // frames in silences of at least kMinSilenceFrames
  size_t quiet = 0;    // the current run of quiet frames
  bool heard = false;  // a loud frame came before the current run
  auto endRun = [&](bool atEnd) {
    if (quiet >= kMinSilenceFrames) {
      silent += quiet;
      if (heard && !atEnd) {
        ++r.silences;
        r.longestSilence = std::max(r.longestSilence, static_cast<double>(quiet) / 44100.0);
      }
    }
    quiet = 0;
  };
  for (size_t f = 0; f < frames; ++f) {
    const auto* p = reinterpret_cast<const unsigned char*>(data.data() + f * 4);
    const auto left = static_cast<int16_t>(p[0] | (p[1] << 8));
    const auto right = static_cast<int16_t>(p[2] | (p[3] << 8));
    if (std::abs(left) < kThreshold && std::abs(right) < kThreshold) {
      ++quiet;
      continue;
    }
    endRun(false);
    heard = true;
  }
  endRun(true);
  r.sound = static_cast<double>(frames - silent) / 44100.0;
  return r;
}

// One 20 s playing of the file into `capture`; false when it cannot be opened.
bool PlayFor20s(const fs::path& file, const fs::path& capture, DecoderReadFunction read,
                Result* result) {
  setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
  SetDecoderReadForTesting(read);
  auto sound = Sound::Open(file.string());
  if (!sound) {
    SetDecoderReadForTesting(nullptr);
    return false;
  }
  readCount = 0;
  const auto start = Clock::now();
  sound->Play();
  const double playMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  // The program's poll. The tone is longer than the 20 s, so it plays all along.
  while (Clock::now() - start < kWall) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!sound->IsPlaying()) sound->Play();
  }
  // What the device had been given at 20 s (stdio may hold back a few KB of it).
  const long bytes = FileSize(capture);
  const int readsIn20s = readCount;
  AudioOutputShutdown();
  SetDecoderReadForTesting(nullptr);
  sound.reset();
  *result = Analyse(capture, bytes);
  result->playMs = playMs;
  result->reads = readsIn20s;
  fs::remove(capture);
  return true;
}

// The two playings one after the other in this process, or at once in two child processes
// (`together`), so that both see the same load on a busy machine.
bool PlayBoth(const fs::path& file, const fs::path& work, bool together, Result* normal,
              Result* slow) {
  if (!together) {
    return PlayFor20s(file, work / "normal.raw", &CountingRead, normal) &&
           PlayFor20s(file, work / "slow.raw", &StallingRead, slow);
  }
  struct Child {
    pid_t pid = -1;
    int fd = -1;
    Result* result = nullptr;
  };
  Child children[2];
  for (int i = 0; i < 2; ++i) {
    int out[2];
    if (pipe(out) != 0) return false;
    children[i].result = i == 0 ? normal : slow;
    children[i].fd = out[0];
    children[i].pid = fork();
    if (children[i].pid == 0) {
      close(out[0]);
      Result r;
      const bool ok = i == 0 ? PlayFor20s(file, work / "normal.raw", &CountingRead, &r)
                             : PlayFor20s(file, work / "slow.raw", &StallingRead, &r);
      if (ok && write(out[1], &r, sizeof r) != static_cast<ssize_t>(sizeof r)) _exit(1);
      _exit(ok ? 0 : 1);
    }
    close(out[1]);
  }
  bool ok = true;
  for (Child& child : children) {
    ok = read(child.fd, child.result, sizeof(Result)) == static_cast<ssize_t>(sizeof(Result)) && ok;
    close(child.fd);
    int status = 0;
    if (child.pid > 0) waitpid(child.pid, &status, 0);
    ok = ok && child.pid > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  return ok;
}

void Print(const char* name, const Result& r) {
  std::printf(
      "  %-20s captured %6.2f s  sound %6.2f s  %2d silences (longest %5.1f ms)  "
      "Play took %5.1f ms  %d reads\n",
      name, r.captured, r.sound, r.silences, r.longestSilence * 1000, r.playMs, r.reads);
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 1;
  bool together = false;
  fs::path file;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--together") == 0) {
      together = true;
    } else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
      rounds = std::max(1, std::atoi(argv[++i]));
    } else {
      file = argv[i];
    }
  }
  setenv("SDL_AUDIODRIVER", "disk", 1);
  const fs::path work =
      fs::temp_directory_path() / ("bench-sound-slowread-" + std::to_string(getpid()));
  fs::create_directories(work);
  if (file.empty()) {
    file = work / "tone-40s.mp3";
    const fs::path wav = work / "tone.wav";
    const std::string command = "sox -D -n -r 44100 -c 2 -b 16 '" + wav.string() +
                                "' synth 40 sine 440 gain -6 && lame --quiet --cbr -b 128 '" +
                                wav.string() + "' '" + file.string() + "'";
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "bench_sound_slowread: needs sox and lame to make its file\n");
      fs::remove_all(work);
      return 1;
    }
    fs::remove(wav);
  }

  std::printf("%s, 20 s of wall time each (%s), SDL disk driver (512-frame buffer)\n",
              file.filename().c_str(), together ? "both at once" : "one after the other");
  bool ok = true;
  for (int round = 1; round <= rounds && ok; ++round) {
    Result normal, slow;
    ok = PlayBoth(file, work, together, &normal, &slow);
    if (!ok) break;
    if (rounds > 1) std::printf(" round %d\n", round);
    Print("normal reads:", normal);
    Print("reads stall 150 ms:", slow);
    std::printf("  slow/normal: captured %.3f   sound %.3f   (target: equal within 3%%)\n",
                slow.captured / normal.captured, slow.sound / normal.sound);
  }
  fs::remove_all(work);
  if (!ok) {
    std::fprintf(stderr, "bench_sound_slowread: cannot open %s\n", file.c_str());
    return 1;
  }
  return 0;
}
