// What the audio output really plays, from SDL's disk driver. The output is opened once per
// process, so each case runs this test program again as a child (the SoundCaptureChild test,
// which does nothing in a normal run) with the disk driver writing to a file, then analyses
// the file here.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <random>
#include <sstream>
#include <thread>
#include <vector>

#include "framework/Sound.h"
#include "framework/Testing.h"
#include "framework/audio/AudioOutput.h"
#include "framework/audio/Mp3Decoder.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Pcm.h"

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

constexpr const char* kScenarioVariable = "LUMIVOX_SOUND_CAPTURE_SCENARIO";
constexpr const char* kFolderVariable = "LUMIVOX_SOUND_CAPTURE_FOLDER";
const std::vector<double> kCandidates = {220, 330, 440, 550, 660, 770, 880, 990, 1320};

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Every sample of the file, as the decoder gives it.
pcm::Capture Decoded(const fs::path& path) {
  auto decoder = Mp3Decoder::Open(path.string());
  if (!decoder) return pcm::Capture();
  std::vector<int16_t> samples(static_cast<size_t>(pcm::kRate) * 2 * 4);
  samples.resize(decoder->Read(samples.data(), pcm::kRate * 4) * 2);
  return pcm::Capture(samples);
}

// The first frame at or after `from` that reaches the level the capture's analysis calls
// sound; the end when there is none.
size_t FirstLoud(const std::vector<float>& mono, size_t from) {
  const auto it =
      std::find_if(mono.begin() + static_cast<std::ptrdiff_t>(std::min(from, mono.size())),
                   mono.end(), [](float sample) { return std::fabs(sample) >= 0.02f; });
  return static_cast<size_t>(it - mono.begin());
}

// ---- the child's side ------------------------------------------------------------------------

// Polls every millisecond until the sound has ended. A sound that does not end within its
// length and two seconds more fails the child: the program would wait for it forever.
bool WaitUntilEnd(const Sound& sound) {
  const auto limit = std::chrono::duration<double>(std::max(0.0, sound.Duration()) + 2.0);
  const auto start = Clock::now();
  while (sound.IsPlaying()) {
    if (Clock::now() - start > limit) {
      ADD_FAILURE() << "the sound did not end within " << limit.count() << " s";
      return false;
    }
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

// Opens every sound first, then plays each to its end, `pause` after one ends starting the
// next (at once for none).
void PlayInTurn(const std::vector<fs::path>& paths, std::chrono::milliseconds pause) {
  std::vector<std::shared_ptr<Sound>> sounds;
  for (const fs::path& path : paths) {
    sounds.push_back(Sound::Open(path.string()));
    ASSERT_TRUE(sounds.back()) << path;
  }
  for (const auto& sound : sounds) {
    sound->Play();
    if (!WaitUntilEnd(*sound)) return;
    std::this_thread::sleep_for(pause);
  }
}

// A copy of the one-second 880 Hz tone cut at 40% of its bytes, and one whose bytes from 50%
// to 60% are replaced by noise.
std::vector<fs::path> DamagedCopies(const fs::path& folder) {
  const std::string mp3 = ReadFileBytes(FixturePath("tone-880-1s.mp3"));
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

// Short tones back to back, with the damaged copies among them: each starts the moment the
// one before has ended.
std::vector<fs::path> HandoffPaths(const fs::path& folder) {
  const fs::path tone = FixturePath("tone-440-20ms.mp3");
  const std::vector<fs::path> damaged = DamagedCopies(folder);
  std::vector<fs::path> paths(12, tone);
  for (const fs::path& path : damaged) {
    paths.push_back(path);
    paths.push_back(tone);
  }
  return paths;
}

// The name of a damaged file whose message must not forge a line or reach the terminal raw,
// and how a message prints it.
const std::string kHostileName = "bad\nSound: forged \x1b[31m \xff.mp3";
const std::string kHostileNameEscaped = "bad\\x0ASound: forged \\x1B[31m \\xFF.mp3";

// Storage that stalls before every read, as a network share or a disk waking up does.
ssize_t StallingRead(int fd, void* buffer, size_t bytes) {
  std::this_thread::sleep_for(150ms);
  return read(fd, buffer, bytes);
}

enum class FileChange { kRenamedOver, kRewritten, kDeleted };

// A copy of the 440 Hz tone, opened, then changed on disk (before its first Play, or right
// after it) and played `plays` times, each to its end.
std::function<void(const fs::path&)> PlayChangedFile(FileChange change, bool afterFirstPlay,
                                                     int plays) {
  return [=](const fs::path& folder) {
    const fs::path path = folder / "alert.mp3";
    fs::copy_file(FixturePath("tone-440.mp3"), path);
    auto sound = Sound::Open(path.string());
    ASSERT_TRUE(sound);
    auto changeFile = [&] {
      switch (change) {
        case FileChange::kRenamedOver:
          fs::copy_file(FixturePath("tone-880.mp3"), folder / "alert.mp3.new");
          fs::rename(folder / "alert.mp3.new", path);
          break;
        case FileChange::kRewritten:
          fs::remove(path);
          fs::copy_file(FixturePath("tone-660.mp3"), path);
          break;
        case FileChange::kDeleted:
          fs::remove(path);
          break;
      }
    };
    if (!afterFirstPlay) changeFile();
    for (int i = 0; i < plays; ++i) {
      sound->Play();
      if (i == 0 && afterFirstPlay) changeFile();
      if (!WaitUntilEnd(*sound)) return;
      std::this_thread::sleep_for(60ms);
    }
  };
}

const std::map<std::string, std::function<void(const fs::path&)>>& Scenarios() {
  static const std::map<std::string, std::function<void(const fs::path&)>> scenarios = {
      {"tone", [](const fs::path&) { PlayInTurn({FixturePath("tone-440.mp3")}, 60ms); }},
      {"again",
       [](const fs::path&) {
         auto sound = Sound::Open(FixturePath("tone-660.mp3").string());
         ASSERT_TRUE(sound);
         for (int i = 0; i < 2; ++i) {
           sound->Play();
           WaitUntilEnd(*sound);
           std::this_thread::sleep_for(60ms);
         }
       }},
      {"formats",
       [](const fs::path&) {
         PlayInTurn({FixturePath("tone-440-mono-22k.mp3"), FixturePath("tone-440-48k.mp3"),
                     FixturePath("tone-440-layer2.mp3")},
                    60ms);
       }},
      {"damaged",
       [](const fs::path& folder) {
         std::vector<fs::path> paths = DamagedCopies(folder);
         paths.push_back(FixturePath("tone-440.mp3"));
         PlayInTurn(paths, 60ms);
       }},
      {"handoff", [](const fs::path& folder) { PlayInTurn(HandoffPaths(folder), 0ms); }},
      {"hostileName",
       [](const fs::path& folder) {
         const fs::path path = folder / kHostileName;
         fs::rename(DamagedCopies(folder)[1], path);
         PlayInTurn({path}, 60ms);
       }},
      {"renamedOver", PlayChangedFile(FileChange::kRenamedOver, false, 2)},
      {"rewritten", PlayChangedFile(FileChange::kRewritten, false, 2)},
      {"deleted", PlayChangedFile(FileChange::kDeleted, false, 2)},
      {"deletedWhileRepeating", PlayChangedFile(FileChange::kDeleted, true, 5)},
      {"stalled",
       [](const fs::path&) {
         auto tone = Sound::Open(FixturePath("tone-660-3s.mp3").string());
         auto next = Sound::Open(FixturePath("tone-440.mp3").string());
         ASSERT_TRUE(tone && next);
         SetDecoderReadForTesting(&StallingRead);
         tone->Play();
         // About eight reads of the tone's file stall. Decoded ahead of the output, the tone
         // has ended well before the next sound starts; decoded as the output asks for samples,
         // every stall holds the output back and the next sound cuts the tone short.
         std::this_thread::sleep_for(3500ms);
         SetDecoderReadForTesting(nullptr);
         next->Play();
         WaitUntilEnd(*next);
         std::this_thread::sleep_for(60ms);
       }},
      {"released",
       [](const fs::path&) {
         auto sound = Sound::Open(FixturePath("tone-440.mp3").string());
         ASSERT_TRUE(sound);
         sound->Play();
         sound.reset();
         std::this_thread::sleep_for(500ms);
       }},
      {"replace",
       [](const fs::path&) {
         auto first = Sound::Open(FixturePath("tone-880-1s.mp3").string());
         auto second = Sound::Open(FixturePath("tone-440.mp3").string());
         ASSERT_TRUE(first && second);
         first->Play();
         std::this_thread::sleep_for(150ms);
         second->Play();
         WaitUntilEnd(*second);
         std::this_thread::sleep_for(60ms);
       }},
      {"timing",
       [](const fs::path&) {
         auto sound = Sound::Open(FixturePath("tone-440.mp3").string());
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
  std::string errors;  // what the program wrote on stderr (SDL's note on its disk driver left out)
  pcm::Capture capture;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// SDL's disk driver says on stderr that it is in use, and where it writes.
std::string WithoutDiskDriverNote(const std::string& errors) {
  std::string kept;
  for (const std::string& line : Lines(errors)) {
    if (line.rfind("CRITICAL: You are using the SDL disk i/o audio driver!", 0) == 0 ||
        line.rfind("CRITICAL:  Writing to file [", 0) == 0) {
      continue;
    }
    kept += line + "\n";
  }
  return kept;
}

ChildRun RunChild(const std::string& scenario, const std::string& driver) {
  const fs::path folder =
      fs::temp_directory_path() / ("lumivox-capture-" + std::to_string(getpid()) + "-" + scenario);
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path capture = folder / "capture.raw";
  const fs::path output = folder / "output.txt";
  const fs::path errors = folder / "errors.txt";

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
  posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
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
  const std::string stderrText = ReadFileBytes(errors);
  run.output = ReadFileBytes(output) + stderrText;
  run.errors = WithoutDiskDriverNote(stderrText);
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
  bool quiet = false;          // the program writes nothing at all on stderr
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
  if (c.quiet) {
    EXPECT_EQ(run.errors, "");
  }
  const std::vector<pcm::Segment> sounds = run.capture.Sounds();
  std::ostringstream found;
  for (const pcm::Segment& s : sounds) {
    found << ' ' << s.Seconds() << " s at " << s.StartSeconds() << ';';
  }
  ASSERT_EQ(sounds.size(), c.sounds.size())
      << "capture of " << run.capture.Seconds() << " s, sounds:" << found.str();
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
        CaptureCase{"released", {{440, 0.29, 0.31}}, ""},
        // A sound plays the file as it was opened, whatever happens to the file after that.
        CaptureCase{"renamedOver", {{440, 0.29, 0.31}, {440, 0.29, 0.31}}, "", true},
        CaptureCase{"rewritten", {{440, 0.29, 0.31}, {440, 0.29, 0.31}}, "", true},
        CaptureCase{"deleted", {{440, 0.29, 0.31}, {440, 0.29, 0.31}}, "", true},
        CaptureCase{"deletedWhileRepeating",
                    {{440, 0.29, 0.31},
                     {440, 0.29, 0.31},
                     {440, 0.29, 0.31},
                     {440, 0.29, 0.31},
                     {440, 0.29, 0.31}},
                    "",
                    true},
        // Reads that stall lose nothing: the whole tone, unbroken, in its own time.
        CaptureCase{"stalled", {{660, 2.99, 3.01}, {440, 0.29, 0.31}}, "", true}),
    [](const auto& info) { return info.param.scenario; });

TEST(SoundCaptureTest, CapturedSamplesAreExactlyTheDecodedOnes) {
  const ChildRun run = RunChild("tone", "disk");
  ASSERT_EQ(run.status, 0) << run.output;
  auto decoder = Mp3Decoder::Open(FixturePath("tone-440.mp3").string());
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

// The child plays the second tone 150 ms after the first. How much of the first reaches the
// capture depends on how fast the loaded machine opens the output and writes its buffers, so
// the cut is found where the tone changes: some of the first, never all of it, then the whole
// of the second.
TEST(SoundCaptureTest, PlayOfAnotherSoundCutsTheFirstShort) {
  constexpr double kWindow = 0.01;
  const ChildRun run = RunChild("replace", "disk");
  ASSERT_EQ(run.status, 0) << run.output;
  const std::vector<pcm::Segment> sounds = run.capture.Sounds();
  ASSERT_FALSE(sounds.empty());
  const pcm::Segment all{sounds.front().start, sounds.back().end};
  double cut = 0;
  while (cut + kWindow <= all.Seconds() &&
         run.capture.DominantFrequency(all.Part(cut, cut + kWindow), kCandidates) != 440) {
    cut += kWindow;
  }
  ASSERT_LT(cut + kWindow, all.Seconds()) << "the second sound is missing";
  EXPECT_GE(cut, 0.02) << "the first sound is missing";
  EXPECT_LT(cut, 0.6) << "the first sound was not cut short";
  EXPECT_EQ(run.capture.DominantFrequency(all.Part(0, cut), kCandidates), 880);
  EXPECT_NEAR(all.Seconds() - cut, 0.3, 0.02);
  EXPECT_EQ(run.capture.DominantFrequency(all.Part(cut + kWindow, all.Seconds()), kCandidates),
            440);
}

// Each sound is played the moment the one before has ended (IsPlaying turning false, polled
// every millisecond). In the capture each must hold exactly its decoded samples, and the
// silence from its last sample to the next sound's first is at most one 512-frame buffer:
// the rest of the buffer that held the last sample. A damaged file's sound ends where its
// decoding ends. The median is judged for the tones, so that a poll the loaded machine delays
// past a buffer's edge does not count; a sound that is reported playing a buffer after its
// last sample makes every silence a buffer longer.
TEST(SoundCaptureTest, EachSoundEndsAtItsLastSampleAndTheNextStartsWithinABuffer) {
  constexpr size_t kBufferFrames = 512;
  constexpr size_t kMargin = pcm::kRate / 1000;  // 1 ms
  const ChildRun run = RunChild("handoff", "disk");
  ASSERT_EQ(run.status, 0) << run.output;

  // The files the child played, decoded here.
  const fs::path folder =
      fs::temp_directory_path() / ("lumivox-capture-" + std::to_string(getpid()) + "-decoded");
  fs::create_directories(folder);
  const std::vector<fs::path> paths = HandoffPaths(folder);
  std::vector<pcm::Capture> decoded;
  for (const fs::path& path : paths) decoded.push_back(Decoded(path));
  fs::remove_all(folder);

  const std::vector<float>& played = run.capture.Mono();
  std::vector<size_t> afterTones, afterDamaged;  // the silences, in frames
  size_t end = 0;                                // where the sound before ended in the capture
  for (size_t i = 0; i < paths.size(); ++i) {
    const std::vector<float>& wanted = decoded[i].Mono();
    ASSERT_FALSE(wanted.empty()) << paths[i];
    const size_t lead = FirstLoud(wanted, 0);
    const size_t found = FirstLoud(played, end);
    ASSERT_LT(found, played.size()) << "sound " << i << " of " << paths.size() << " is missing";
    ASSERT_GE(found, end + lead) << "sound " << i << " starts before the one before has ended";
    const size_t start = found - lead;
    ASSERT_LE(start + wanted.size(), played.size()) << "sound " << i << " is cut short";
    size_t differing = 0;
    for (size_t k = 0; k < wanted.size(); ++k) differing += played[start + k] != wanted[k];
    EXPECT_EQ(differing, 0u) << "sound " << i << " is not played exactly as decoded";
    if (i > 0) {
      const bool damaged = paths[i - 1].parent_path() == folder;
      (damaged ? afterDamaged : afterTones).push_back(start - end);
    }
    end = start + wanted.size();
  }

  auto list = [](const std::vector<size_t>& frames) {
    std::ostringstream text;
    for (size_t f : frames) text << ' ' << f;
    return text.str();
  };
  ASSERT_FALSE(afterTones.empty());
  std::vector<size_t> sorted = afterTones;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_LE(sorted[sorted.size() / 2], kBufferFrames + kMargin)
      << "frames of silence after each tone:" << list(afterTones);
  for (size_t silence : afterDamaged) {
    EXPECT_LE(silence, 2 * kBufferFrames + kMargin)
        << "frames of silence after each damaged sound:" << list(afterDamaged);
  }
}

// A name with a newline, an escape sequence and a byte that is not UTF-8, in the message of a
// sound that fails: one line, the name escaped, nothing raw for the terminal.
TEST(SoundCaptureTest, AFileNameInAMessageIsEscapedOnOneLine) {
  const ChildRun run = RunChild("hostileName", "disk");
  ASSERT_EQ(run.status, 0) << run.output;
  // What the program wrote, shown escaped here too.
  SCOPED_TRACE(::testing::PrintToString(run.errors));
  EXPECT_EQ(run.errors.find('\x1b'), std::string::npos);
  EXPECT_EQ(run.errors.find('\xff'), std::string::npos);
  size_t mentions = 0;
  for (const std::string& line : Lines(run.errors)) {
    if (line.find("bad") == std::string::npos && line.find("forged") == std::string::npos) {
      continue;
    }
    ++mentions;
    EXPECT_NE(line.find(kHostileNameEscaped), std::string::npos);
    EXPECT_NE(line.find("decoding error"), std::string::npos);
  }
  EXPECT_EQ(mentions, 1u);
}

TEST(SoundCaptureTest, WithoutADeviceSoundsStillTakeTheirTimeAndTheFallbackIsToldOnce) {
  const ChildRun run = RunChild("timing", "no-such-driver");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(Count(run.output, "no sound device"), 1u) << run.output;
}

}  // namespace
