// The silence between one sound's end and the next one's start, as the program makes it: a
// 10 ms poll of IsPlaying starts the next sound. Plays short tones in turn through SDL's disk
// driver and measures every gap in the capture. The tones (made here with sox and lame) have
// lengths that end at 32 evenly spread places within an output buffer, as real files do.
//   bench_sound_gap [sounds]   (65 by default, at least 51: at least 50 transitions)
// Uses only Sound::Open, Play and IsPlaying and AudioOutputShutdown, so the same source builds
// against an older sound layer for a comparison. Prints figures; takes about 20 seconds.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

constexpr double kRate = 44100;
constexpr int kThreshold = 160;  // 0.5% of full scale; the tones peak at half of it

// Silences (in frames) between the loud runs of a raw S16LE stereo capture.
std::vector<size_t> Gaps(const fs::path& capture) {
  std::ifstream in(capture, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  std::vector<size_t> gaps;
  bool seen = false;
  size_t last = 0;
  for (size_t frame = 0; frame * 4 + 3 < bytes.size(); ++frame) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + frame * 4);
    const auto left = static_cast<int16_t>(p[0] | (p[1] << 8));
    const auto right = static_cast<int16_t>(p[2] | (p[3] << 8));
    if (std::abs(left) < kThreshold && std::abs(right) < kThreshold) continue;
    // A zero crossing of the tone stays below the threshold for a frame or two.
    if (seen && frame - last > 6) gaps.push_back(frame - last - 1);
    seen = true;
    last = frame;
  }
  return gaps;
}

double Ms(size_t frames) {
  return static_cast<double>(frames) * 1000.0 / kRate;
}

}  // namespace

int main(int argc, char** argv) {
  // At least 51 sounds, for at least 50 transitions.
  const int sounds = argc > 1 ? std::max(51, std::atoi(argv[1])) : 65;
  const fs::path capture =
      fs::temp_directory_path() / ("bench-sound-gap-" + std::to_string(getpid()) + ".raw");
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);

  const fs::path folder =
      fs::temp_directory_path() / ("bench-sound-gap-" + std::to_string(getpid()));
  fs::create_directories(folder);
  std::vector<std::shared_ptr<Sound>> tones;
  for (int i = 0; i < 32; ++i) {
    // Ends 8 + 16 i frames before a buffer's end (8820 % 512 = 116, 528 % 512 = 16).
    const int frames = 8820 + 388 + 528 * i;
    const fs::path wav = folder / "tone.wav";
    const fs::path mp3 = folder / ("tone-" + std::to_string(i) + ".mp3");
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.7f", frames / kRate);
    const std::string command = "sox -D -n -r 44100 -c 2 -b 16 '" + wav.string() + "' synth " +
                                seconds + " sine " + std::to_string(440 + 10 * i) +
                                " gain -6 && lame --quiet -b 96 --resample 44.1 '" + wav.string() +
                                "' '" + mp3.string() + "'";
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "bench_sound_gap: needs sox and lame to make its tones\n");
      return 1;
    }
    tones.push_back(Sound::Open(mp3.string()));
    if (!tones.back()) {
      std::fprintf(stderr, "bench_sound_gap: cannot open %s\n", mp3.c_str());
      return 1;
    }
  }

  // The program's rotation: a 10 ms timer; when nothing plays, the next sound starts.
  const auto tick = std::chrono::milliseconds(10);
  auto next = Clock::now();
  int started = 0;
  std::shared_ptr<Sound> current;
  std::vector<double> playMs;  // how long each Play took to return
  while (true) {
    std::this_thread::sleep_until(next += tick);
    if (current && current->IsPlaying()) continue;
    if (started == sounds) break;
    current = tones[static_cast<size_t>(started++) % tones.size()];
    const auto before = Clock::now();
    current->Play();
    playMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - before).count());
  }
  AudioOutputShutdown();
  fs::remove_all(folder);

  std::vector<size_t> gaps = Gaps(capture);
  fs::remove(capture);
  if (gaps.empty()) {
    std::fprintf(stderr, "bench_sound_gap: no gaps found in the capture\n");
    return 1;
  }
  // Every transition leaves one gap in the capture; another count means that sounds ran
  // together or that one broke up, and the figures are not only about the transitions.
  if (gaps.size() != static_cast<size_t>(sounds - 1)) {
    std::fprintf(stderr, "bench_sound_gap: %d sounds played but %zu gaps found in the capture\n",
                 sounds, gaps.size());
  }
  std::sort(gaps.begin(), gaps.end());
  const size_t median = gaps[gaps.size() / 2];
  double mean = 0;
  for (size_t g : gaps) mean += Ms(g) / static_cast<double>(gaps.size());
  std::printf(
      "silence between sounds, 10 ms poll, %zu transitions (disk driver, 512-frame buffer)\n",
      gaps.size());
  std::printf("  min %.2f ms  median %.2f ms  mean %.2f ms  p90 %.2f ms  max %.2f ms\n",
              Ms(gaps.front()), Ms(median), mean, Ms(gaps[gaps.size() * 9 / 10]), Ms(gaps.back()));
  const auto over = std::count_if(gaps.begin(), gaps.end(), [](size_t g) { return Ms(g) > 12; });
  std::printf("  %td of %zu over 12 ms; target: median <= 6 ms, max <= 12 ms\n", over, gaps.size());
  // The poll sees an end up to 10 ms late, and the next buffer is due one buffer (11.6 ms)
  // after the last sample's: what Play does before the new sound reaches the output eats into
  // the millisecond or so left, and when it overruns, the gap grows by a whole buffer.
  std::sort(playMs.begin(), playMs.end());
  std::printf("  Play returned after: median %.2f ms, p90 %.2f ms, max %.2f ms\n",
              playMs[playMs.size() / 2], playMs[playMs.size() * 9 / 10], playMs.back());
  return 0;
}
