// Playing through the process's audio output on SDL's dummy driver, which takes each buffer's
// real time: when sounds start and end, replacing one, releasing one while it plays, its file
// going away, how often its file is opened, losing the device. What was actually played is
// checked from a capture in SoundCaptureTest.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "framework/FolderItem.h"
#include "framework/Sound.h"
#include "framework/Testing.h"
#include "framework/audio/AudioOutput.h"
#include "tests/support/Fixtures.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

std::shared_ptr<Sound> OpenFixture(const std::string& name) {
  auto sound = Sound::Open(FixturePath(name).string());
  EXPECT_TRUE(sound) << name;
  return sound;
}

// Seconds until the sound stops playing, polling every millisecond; a large value when it
// does not stop within `limit`.
double SecondsUntilEnd(const Sound& sound, double limit = 3.0) {
  const auto start = Clock::now();
  while (sound.IsPlaying()) {
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    if (elapsed > limit) return 1e9;
    std::this_thread::sleep_for(1ms);
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The dummy driver sleeps a whole number of milliseconds per 512-frame buffer (11 ms for
// 11.6 ms of sound), and the end is seen at a buffer's edge: a 0.3 s sound ends about 0.28-0.31 s
// on; the bounds leave room for a loaded machine.
constexpr double kShortest = 0.25;
constexpr double kLongest = 0.5;

TEST(SoundPlayTest, PlaysForItsLengthAndAgainFromTheStartAfterItsEnd) {
  auto sound = OpenFixture("tone-440.mp3");
  ASSERT_TRUE(sound);
  EXPECT_FALSE(sound->IsPlaying()) << "nothing plays before Play";
  for (int round = 0; round < 2; ++round) {
    sound->Play();
    EXPECT_TRUE(sound->IsPlaying()) << "Play returns while the sound plays, round " << round;
    const double seconds = SecondsUntilEnd(*sound);
    EXPECT_GT(seconds, kShortest) << "round " << round;
    EXPECT_LT(seconds, kLongest) << "round " << round;
  }
}

TEST(SoundPlayTest, PlayOfAnotherSoundReplacesTheOneThatPlays) {
  auto longer = OpenFixture("tone-880-1s.mp3");
  auto shorter = OpenFixture("tone-440.mp3");
  ASSERT_TRUE(longer && shorter);
  longer->Play();
  std::this_thread::sleep_for(50ms);
  shorter->Play();
  EXPECT_FALSE(longer->IsPlaying());
  EXPECT_TRUE(shorter->IsPlaying());
  const double seconds = SecondsUntilEnd(*shorter);
  EXPECT_GT(seconds, kShortest);
  EXPECT_LT(seconds, kLongest);
  EXPECT_FALSE(longer->IsPlaying()) << "a replaced sound does not come back";
}

TEST(SoundPlayTest, PlayWhileItPlaysStartsItAgain) {
  auto sound = OpenFixture("tone-440.mp3");
  ASSERT_TRUE(sound);
  sound->Play();
  std::this_thread::sleep_for(150ms);
  sound->Play();
  const double seconds = SecondsUntilEnd(*sound);
  EXPECT_GT(seconds, kShortest);
  EXPECT_LT(seconds, kLongest);
}

TEST(SoundPlayTest, ReleasingSoundsWhileTheyPlayIsSafe) {
  // Each Play replaces the last, and each Sound goes away while the audio thread may be
  // reading its decoder; the last one is released mid-play and must play on.
  for (int i = 0; i < 40; ++i) {
    auto sound = OpenFixture(i % 2 ? "tone-440-mono-22k.mp3" : "tone-880.mp3");
    ASSERT_TRUE(sound);
    sound->Play();
    std::this_thread::sleep_for(std::chrono::microseconds(500 * (i % 7)));
  }
  auto last = OpenFixture("tone-660.mp3");
  ASSERT_TRUE(last);
  last->Play();
  last.reset();
  std::this_thread::sleep_for(100ms);
}

TEST(SoundPlayTest, AFileRemovedAfterOpenStillPlays) {
  const fs::path path = fs::temp_directory_path() / "lumivox-sound-removed.mp3";
  fs::copy_file(FixturePath("tone-440.mp3"), path, fs::copy_options::overwrite_existing);
  auto sound = Sound::Open(path.string());
  ASSERT_TRUE(sound);
  fs::remove(path);
  sound->Play();
  EXPECT_TRUE(sound->IsPlaying());
  const double seconds = SecondsUntilEnd(*sound);
  EXPECT_GT(seconds, kShortest);
  EXPECT_LT(seconds, kLongest);
}

// Opening a pick and playing it twice opens its file once: inotify reports every open.
TEST(SoundPlayTest, APickOpensItsFileOnce) {
  const fs::path path =
      fs::temp_directory_path() / ("lumivox-sound-opens-" + std::to_string(getpid()) + ".mp3");
  fs::copy_file(FixturePath("tone-440.mp3"), path, fs::copy_options::overwrite_existing);
  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  // Closes are watched too, and the events read after each step: the kernel merges an event
  // into the one before it when they are alike and unread.
  ASSERT_GE(inotify_add_watch(watch, path.c_str(), IN_OPEN | IN_CLOSE), 0);
  int opens = 0;
  auto countOpens = [&] {
    alignas(inotify_event) char buffer[4096];
    ssize_t n = 0;
    while ((n = read(watch, buffer, sizeof buffer)) > 0) {
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        opens += (event->mask & IN_OPEN) != 0;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
  };

  auto sound = std::make_shared<FolderItem>(path.string())->OpenAsSound();
  countOpens();
  ASSERT_TRUE(sound);
  for (int round = 0; round < 2; ++round) {
    sound->Play();
    countOpens();
    EXPECT_LT(SecondsUntilEnd(*sound), kLongest) << "round " << round;
    countOpens();
  }
  sound.reset();
  countOpens();
  EXPECT_EQ(opens, 1);
  close(watch);
  fs::remove(path);
}

TEST(SoundPlayTest, ALostDeviceIsReopenedAndTheSoundPlaysOn) {
  auto sound = OpenFixture("tone-880-1s.mp3");
  ASSERT_TRUE(sound);
  sound->Play();
  std::this_thread::sleep_for(100ms);
  AudioOutputLoseDeviceForTesting();
  EXPECT_TRUE(sound->IsPlaying());
  const double seconds = SecondsUntilEnd(*sound);
  EXPECT_GT(seconds, 0.7);
  EXPECT_LT(seconds, 1.3);
  auto next = OpenFixture("tone-440.mp3");
  ASSERT_TRUE(next);
  next->Play();
  EXPECT_TRUE(next->IsPlaying());
  EXPECT_LT(SecondsUntilEnd(*next), kLongest);
}

TEST(SoundPlayTest, ShutdownStopsPlayingAndMayBeRepeated) {
  auto sound = OpenFixture("tone-880-1s.mp3");
  ASSERT_TRUE(sound);
  sound->Play();
  AudioOutputShutdown();
  EXPECT_FALSE(sound->IsPlaying());
  AudioOutputShutdown();
  // The output opens again on the next Play.
  sound->Play();
  EXPECT_TRUE(sound->IsPlaying());
  AudioOutputShutdown();
}

}  // namespace
