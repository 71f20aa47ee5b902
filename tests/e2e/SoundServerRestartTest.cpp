// The built program on a real sound server: a private PulseAudio server with a null sink, whose
// monitor is recorded, goes away while the programme plays and comes back on the same socket.
// The program must find it again and keep rotating.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/Pcm.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/PulseServer.h"

namespace {

using Clock = std::chrono::steady_clock;

void SleepFor(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

double SecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// The tones of a recording's sounds in order, one per sound: 20 ms windows of its loud parts
// classified by tone, and a run of one tone taken as one sound. PSAs and music alternate and
// differ in tone, so a sound cut by a dropout still counts once.
std::vector<double> TonesHeard(const pcm::Capture& capture) {
  const std::vector<double> candidates = {440, 660, 880};
  const size_t step = pcm::kRate / 50;
  std::vector<double> tones;
  for (const pcm::Segment& sound : capture.Sounds(0.02, 0.0005)) {
    for (size_t start = sound.start; start < sound.end; start += step) {
      const pcm::Segment window{start, std::min(start + step, sound.end)};
      const double tone = capture.DominantFrequency(window, candidates);
      if (tones.empty() || tone != tones.back()) tones.push_back(tone);
    }
  }
  return tones;
}

size_t LineCount(const std::string& text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

// How the server goes away: an orderly stop (a session's sound server restarted) or a crash,
// which leaves its socket file behind.
struct Loss {
  const char* name;
  void (PulseServer::*end)();
  friend void PrintTo(const Loss& loss, std::ostream* out) { *out << loss.name; }
};

class SoundServerRestartTest : public ::testing::TestWithParam<Loss> {
 protected:
  void SetUp() override {
    if (!PulseServer::Available()) {
      GTEST_SKIP() << "pulseaudio, parec or pactl is not installed (scripts/setup installs them)";
    }
  }
};

TEST_P(SoundServerRestartTest, SoundComesBackAndTheRotationGoesOn) {
  PulseServer server;
  ASSERT_TRUE(server.Start()) << server.Log();
  ProgramRun run;
  run.AddFixture("tone-440.mp3", "music/a.mp3");
  run.AddFixture("tone-660.mp3", "music/b.mp3");
  run.AddFixture("tone-880.mp3", "PSAs/p.mp3");
  const std::string before = (run.Folder() / "before.raw").string();
  const std::string after = (run.Folder() / "after.raw").string();
  ASSERT_TRUE(server.Record(before)) << server.Log();
  auto env = server.ClientEnvironment();
  env["SDL_AUDIODRIVER"] = "pulseaudio";
  run.Start("", env);

  // The harness hears the program on the server before anything goes wrong.
  const Clock::time_point started = Clock::now();
  while (pcm::Capture::ReadFile(before).Sounds().empty() &&
         SecondsBetween(started, Clock::now()) < 5) {
    SleepFor(0.05);
  }
  SleepFor(1.5);
  const size_t soundsBefore = TonesHeard(pcm::Capture::ReadFile(before)).size();
  ASSERT_GE(soundsBefore, 2u) << "the program was not heard on the server at all\n"
                              << run.Errors() << server.Log();

  (server.*GetParam().end)();
  SleepFor(2.0);
  const Clock::time_point restarted = Clock::now();
  ASSERT_TRUE(server.Start()) << server.Log();
  ASSERT_TRUE(server.Record(after)) << server.Log();
  const double recordingLag = SecondsBetween(restarted, Clock::now());
  SleepFor(3.5);
  server.StopRecording();
  const bool running = run.Wait(0) == -1;

  const pcm::Capture capture = pcm::Capture::ReadFile(after);
  const std::vector<pcm::Segment> sounds = capture.Sounds();
  const std::vector<double> tones = TonesHeard(capture);
  const std::string errors = run.Errors();
  RecordProperty("sounds_before", std::to_string(soundsBefore));
  RecordProperty("sounds_after", std::to_string(tones.size()));
  EXPECT_TRUE(running) << errors;
  // The loss is worth a line or two, not one per tick or per retry.
  EXPECT_LE(LineCount(errors), 4u) << errors;
  ASSERT_FALSE(sounds.empty()) << "silence for " << capture.Seconds()
                               << " s after the server came back\nprogram stderr:\n"
                               << errors << server.Log();
  const double back = recordingLag + sounds.front().StartSeconds();
  RecordProperty("back_after_ms", std::to_string(back * 1000));
  EXPECT_LE(back, 2.0) << "program stderr:\n" << errors;
  // The rotation went on: several sounds since, of both kinds.
  EXPECT_GE(tones.size(), 3u) << errors;
  EXPECT_NE(std::find(tones.begin(), tones.end(), 880), tones.end()) << "no PSA since";
  EXPECT_NE(std::find_if(tones.begin(), tones.end(), [](double t) { return t != 880; }),
            tones.end())
      << "no music since";
  if (running) {
    EXPECT_EQ(run.Stop(), 128 + SIGTERM) << errors;
  }
}

INSTANTIATE_TEST_SUITE_P(Losses, SoundServerRestartTest,
                         ::testing::Values(Loss{"Stopped", &PulseServer::Stop},
                                           Loss{"Killed", &PulseServer::Kill}),
                         [](const ::testing::TestParamInfo<Loss>& info) {
                           return info.param.name;
                         });

}  // namespace
