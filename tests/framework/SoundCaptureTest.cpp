// What the audio output really plays, from SDL's disk driver. The output is opened once per
// process, so each case runs this test program again as a child (the SoundCaptureChild test,
// which does nothing in a normal run) with the disk driver writing to a file, then analyses
// the file here.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <random>
#include <thread>
#include <vector>

#include "framework/AudioOutput.h"
#include "framework/Mp3Decoder.h"
#include "framework/Sound.h"
#include "tests/support/Pcm.h"

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

constexpr const char* kScenarioVariable = "LUMIVOX_SOUND_CAPTURE_SCENARIO";
constexpr const char* kFolderVariable = "LUMIVOX_SOUND_CAPTURE_FOLDER";
const std::vector<double> kCandidates = {220, 330, 440, 550, 660, 770, 880, 990, 1320};

fs::path Fixture(const std::string& name) {
  return fs::path(LUMIVOX_SOURCE_DIR) / "tests" / "fixtures" / name;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// ---- the child's side ------------------------------------------------------------------------

void WaitUntilEnd(const Sound& sound) {
  const auto start = Clock::now();
  while (sound.IsPlaying() && Clock::now() - start < 5s) std::this_thread::sleep_for(1ms);
}

// Plays each sound to its end, with a clear silence between them.
void PlayInTurn(const std::vector<fs::path>& paths) {
  for (const fs::path& path : paths) {
    auto sound = Sound::Open(path.string());
    ASSERT_TRUE(sound) << path;
    sound->Play();
    WaitUntilEnd(*sound);
    std::this_thread::sleep_for(60ms);
  }
}

// A copy of the one-second 880 Hz tone cut at 40% of its bytes, and one whose bytes from 50%
// to 60% are replaced by noise.
std::vector<fs::path> DamagedCopies(const fs::path& folder) {
  const std::string mp3 = ReadText(Fixture("tone-880-1s.mp3"));
  const size_t size = mp3.size();
  std::string corrupt = mp3;
  std::mt19937 rng(3);
  for (size_t i = size / 2; i < size * 6 / 10; ++i) corrupt[i] = static_cast<char>(rng());
  const fs::path truncated = folder / "truncated.mp3";
  const fs::path corrupted = folder / "corrupted.mp3";
  std::ofstream(truncated, std::ios::binary) << mp3.substr(0, size * 4 / 10);
  std::ofstream(corrupted, std::ios::binary) << corrupt;
  return {truncated, corrupted};
}

const std::map<std::string, std::function<void(const fs::path&)>>& Scenarios() {
  static const std::map<std::string, std::function<void(const fs::path&)>> scenarios = {
      {"tone", [](const fs::path&) { PlayInTurn({Fixture("tone-440.mp3")}); }},
      {"again",
       [](const fs::path&) {
         auto sound = Sound::Open(Fixture("tone-660.mp3").string());
         ASSERT_TRUE(sound);
         for (int i = 0; i < 2; ++i) {
           sound->Play();
           WaitUntilEnd(*sound);
           std::this_thread::sleep_for(60ms);
         }
       }},
      {"formats",
       [](const fs::path&) {
         PlayInTurn({Fixture("tone-440-mono-22k.mp3"), Fixture("tone-440-48k.mp3"),
                     Fixture("tone-440-layer2.mp3")});
       }},
      {"damaged",
       [](const fs::path& folder) {
         std::vector<fs::path> paths = DamagedCopies(folder);
         paths.push_back(Fixture("tone-440.mp3"));
         PlayInTurn(paths);
       }},
      {"released",
       [](const fs::path&) {
         auto sound = Sound::Open(Fixture("tone-440.mp3").string());
         ASSERT_TRUE(sound);
         sound->Play();
         sound.reset();
         std::this_thread::sleep_for(500ms);
       }},
      {"replace",
       [](const fs::path&) {
         auto first = Sound::Open(Fixture("tone-880-1s.mp3").string());
         auto second = Sound::Open(Fixture("tone-440.mp3").string());
         ASSERT_TRUE(first && second);
         first->Play();
         std::this_thread::sleep_for(150ms);
         second->Play();
         WaitUntilEnd(*second);
         std::this_thread::sleep_for(60ms);
       }},
      {"timing",
       [](const fs::path&) {
         auto sound = Sound::Open(Fixture("tone-440.mp3").string());
         ASSERT_TRUE(sound);
         for (int i = 0; i < 2; ++i) {
           const auto start = Clock::now();
           sound->Play();
           WaitUntilEnd(*sound);
           const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
           EXPECT_GT(seconds, 0.25);
           EXPECT_LT(seconds, 0.5);
         }
       }},
  };
  return scenarios;
}

TEST(SoundCaptureChild, Run) {
  const char* scenario = std::getenv(kScenarioVariable);
  if (!scenario) GTEST_SKIP() << "runs only as the child of a SoundCaptureTest";
  const auto it = Scenarios().find(scenario);
  ASSERT_NE(it, Scenarios().end()) << scenario;
  const char* folder = std::getenv(kFolderVariable);
  it->second(folder ? fs::path(folder) : fs::temp_directory_path());
  // Closes the device, so the capture file is complete.
  AudioOutputShutdown();
}

// ---- the parent's side -----------------------------------------------------------------------

struct ChildRun {
  int status = -1;
  std::string output;  // the child's stdout and stderr
  pcm::Capture capture;
};

ChildRun RunChild(const std::string& scenario, const std::string& driver) {
  const fs::path folder =
      fs::temp_directory_path() / ("lumivox-capture-" + std::to_string(getpid()) + "-" + scenario);
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path capture = folder / "capture.raw";
  const fs::path output = folder / "output.txt";

  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    if (entry.rfind("SDL_AUDIODRIVER=", 0) == 0 || entry.rfind("SDL_DISKAUDIOFILE=", 0) == 0 ||
        entry.rfind("LUMIVOX_SOUND_CAPTURE_", 0) == 0) {
      continue;
    }
    env.push_back(entry);
  }
  env.push_back("SDL_AUDIODRIVER=" + driver);
  env.push_back("SDL_DISKAUDIOFILE=" + capture.string());
  env.push_back(std::string(kScenarioVariable) + "=" + scenario);
  env.push_back(std::string(kFolderVariable) + "=" + folder.string());
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  std::string exe = fs::read_symlink("/proc/self/exe").string();
  std::string filter = "--gtest_filter=SoundCaptureChild.Run";
  char* argv[] = {exe.data(), filter.data(), nullptr};

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t pid = -1;
  ChildRun run;
  const int spawned = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    ADD_FAILURE() << "cannot start the child: " << std::strerror(spawned);
    return run;
  }
  const auto start = Clock::now();
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (Clock::now() - start > 30s) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      ADD_FAILURE() << "the child did not finish";
      break;
    }
    std::this_thread::sleep_for(5ms);
  }
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.output = ReadText(output);
  run.capture = pcm::Capture::ReadFile(capture.string());
  fs::remove_all(folder);
  return run;
}

struct ExpectedSound {
  double frequency;
  double minSeconds;
  double maxSeconds;
};

struct CaptureCase {
  std::string scenario;
  std::vector<ExpectedSound> sounds;
  std::string outputMentions;  // a line the child must have written, if any
};

void PrintTo(const CaptureCase& c, std::ostream* os) {
  *os << c.scenario;
}

class SoundCaptureTest : public ::testing::TestWithParam<CaptureCase> {};

TEST_P(SoundCaptureTest, PlaysTheExpectedTones) {
  const CaptureCase& c = GetParam();
  const ChildRun run = RunChild(c.scenario, "disk");
  ASSERT_EQ(run.status, 0) << run.output;
  if (!c.outputMentions.empty()) {
    EXPECT_NE(run.output.find(c.outputMentions), std::string::npos) << run.output;
  }
  const std::vector<pcm::Segment> sounds = run.capture.Sounds();
  ASSERT_EQ(sounds.size(), c.sounds.size()) << "capture of " << run.capture.Seconds() << " s";
  for (size_t i = 0; i < sounds.size(); ++i) {
    const pcm::Segment& s = sounds[i];
    const ExpectedSound& e = c.sounds[i];
    EXPECT_GE(s.Seconds(), e.minSeconds) << "sound " << i;
    EXPECT_LE(s.Seconds(), e.maxSeconds) << "sound " << i;
    const pcm::Segment middle = s.Part(0.05, s.Seconds() - 0.05);
    EXPECT_EQ(run.capture.DominantFrequency(middle, kCandidates), e.frequency) << "sound " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, SoundCaptureTest,
    ::testing::Values(
        CaptureCase{"tone", {{440, 0.29, 0.31}}, ""},
        CaptureCase{"again", {{660, 0.29, 0.31}, {660, 0.29, 0.31}}, ""},
        CaptureCase{"formats", {{440, 0.29, 0.31}, {440, 0.29, 0.31}, {440, 0.29, 0.33}}, ""},
        // Cut at 40% and spoilt from 50%: both end early, and what follows plays in full.
        CaptureCase{"damaged",
                    {{880, 0.3, 0.45}, {880, 0.4, 0.6}, {440, 0.29, 0.31}},
                    "decoding error after"},
        // Released at once after Play: it plays on to its end.
        CaptureCase{"released", {{440, 0.29, 0.31}}, ""}),
    [](const auto& info) { return info.param.scenario; });

TEST(SoundCaptureTest, CapturedSamplesAreExactlyTheDecodedOnes) {
  const ChildRun run = RunChild("tone", "disk");
  ASSERT_EQ(run.status, 0) << run.output;
  auto decoder = Mp3Decoder::Open(Fixture("tone-440.mp3").string());
  ASSERT_TRUE(decoder);
  std::vector<int16_t> decoded(44100 * 2);
  decoded.resize(decoder->Read(decoded.data(), 44100) * 2);
  const pcm::Capture expected(decoded);

  auto firstNonZero = [](const pcm::Capture& c) {
    size_t i = 0;
    while (i < c.Frames() && c.Mono()[i] == 0) ++i;
    return i;
  };
  const size_t offset = firstNonZero(run.capture) - firstNonZero(expected);
  ASSERT_LE(offset + expected.Frames(), run.capture.Frames());
  size_t differing = 0;
  for (size_t i = 0; i < expected.Frames(); ++i) {
    differing += run.capture.Mono()[offset + i] != expected.Mono()[i];
  }
  EXPECT_EQ(differing, 0u);
  for (size_t i = offset + expected.Frames(); i < run.capture.Frames(); ++i) {
    ASSERT_EQ(run.capture.Mono()[i], 0) << "only silence follows the sound";
  }
}

TEST(SoundCaptureTest, PlayOfAnotherSoundCutsTheFirstShort) {
  const ChildRun run = RunChild("replace", "disk");
  ASSERT_EQ(run.status, 0) << run.output;
  const std::vector<pcm::Segment> sounds = run.capture.Sounds();
  ASSERT_FALSE(sounds.empty());
  const pcm::Segment all{sounds.front().start, sounds.back().end};
  // About 150 ms of the first, then all of the second.
  EXPECT_NEAR(all.Seconds(), 0.15 + 0.3, 0.04);
  EXPECT_EQ(run.capture.DominantFrequency(all.Part(0, 0.1), kCandidates), 880);
  EXPECT_EQ(
      run.capture.DominantFrequency(all.Part(all.Seconds() - 0.28, all.Seconds()), kCandidates),
      440);
}

TEST(SoundCaptureTest, WithoutADeviceSoundsStillTakeTheirTimeAndTheFallbackIsToldOnce) {
  const ChildRun run = RunChild("timing", "no-such-driver");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(Count(run.output, "no sound device"), 1u) << run.output;
}

}  // namespace
