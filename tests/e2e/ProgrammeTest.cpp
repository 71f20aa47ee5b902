// The built program on the real stack: real MP3 files, the real window and timer, the audio
// captured through SDL's disk driver and analysed by tone.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <thread>
#include <vector>

#include "tests/support/Fixtures.h"
#include "tests/support/Pcm.h"
#include "tests/support/ProgramRun.h"

namespace {

// One sound as heard in a capture: its tone and its place.
struct Heard {
  double frequency;
  double start;
  double seconds;
};

// Splits a capture into its sounds: first at every silence, then, within a stretch of
// sound, wherever the tone changes (20 ms windows classified among the candidates), so two
// sounds that follow each other without a gap still part.
std::vector<Heard> HeardTones(const pcm::Capture& capture, const std::vector<double>& candidates) {
  constexpr double kWindow = 0.02;
  const size_t step = static_cast<size_t>(kWindow * pcm::kRate);
  std::vector<Heard> heard;
  for (const pcm::Segment& sound : capture.Sounds(0.02, 0.0005)) {
    double previous = 0;
    for (size_t start = sound.start; start < sound.end; start += step) {
      pcm::Segment window{start, std::min(start + step, sound.end)};
      double seconds = window.Seconds();
      double tone = capture.DominantFrequency(window, candidates);
      if (tone == previous) {
        heard.back().seconds += seconds;
      } else {
        heard.push_back({tone, window.StartSeconds(), seconds});
      }
      previous = tone;
    }
  }
  return heard;
}

void SleepFor(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

TEST(ProgrammeTest, PlaysPsaThenMusicInStrictAlternation) {
  ProgramRun run;
  run.AddFixture("tone-440.mp3", "music/a.mp3");
  run.AddFixture("tone-660.mp3", "music/b.mp3");
  run.AddFixture("tone-880.mp3", "PSAs/p.mp3");
  run.AddFixture("tone-880.mp3", "PSAs/q.mp3");
  run.Start();
  SleepFor(4.0);
  EXPECT_EQ(run.Stop(), 128 + SIGTERM);

  pcm::Capture capture = pcm::Capture::ReadFile(run.CapturePath().string());
  std::vector<Heard> heard = HeardTones(capture, {440, 660, 880});
  ASSERT_GE(heard.size(), 6u) << run.Errors();
  heard.pop_back();  // the last may have been cut by the stop
  std::string order;
  for (size_t i = 0; i < heard.size(); ++i) {
    bool psa = heard[i].frequency == 880;
    order += psa ? "P" : "M";
    EXPECT_EQ(psa, i % 2 == 0) << "sound " << i << " at " << heard[i].start << " s";
    EXPECT_NEAR(heard[i].seconds, 0.3, 0.05) << "sound " << i;
  }
  // Between two sounds, only the wait for the next poll and the device's buffer.
  std::vector<pcm::Segment> silences = capture.Silences(0.02, 0.0005);
  double longest = 0;
  for (size_t i = 0; i < silences.size() && i + 1 < heard.size(); ++i) {
    longest = std::max(longest, silences[i].Seconds());
  }
  RecordProperty("order", order);
  RecordProperty("longest_gap_ms", std::to_string(longest * 1000));
  EXPECT_LT(longest, 0.05);
  EXPECT_EQ(run.Errors().find("Unhandled"), std::string::npos) << run.Errors();
}

TEST(ProgrammeTest, WithoutASoundDeviceOneLineSaysSoAndNothingElseIsPrinted) {
  ProgramRun run;
  run.AddFixture("tone-440.mp3", "music/a.mp3");
  run.AddFixture("tone-880.mp3", "PSAs/p.mp3");
  // The sound library with a configuration that knows no device: it would print its own
  // diagnostics at every attempt to open one.
  std::ofstream(run.Folder() / "no-devices.conf") << "# no cards, no PCMs\n";
  run.Start("", {{"SDL_AUDIODRIVER", "alsa"},
                 {"ALSA_CONFIG_PATH", (run.Folder() / "no-devices.conf").string()}});
  // Long enough for a few retries of the device, which must stay silent.
  SleepFor(2.5);
  run.Stop();
  const std::string errors = run.Errors();
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
  EXPECT_NE(errors.find("no sound device"), std::string::npos) << errors;
  EXPECT_NE(errors.find("playing silently in real time"), std::string::npos) << errors;
}

class ProgrammeDesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x.Running()) GTEST_SKIP() << "Xvfb is not available";
  }
  // The X window id of the first window with that exact title, waiting for it.
  std::string FindWindow(const std::string& title) {
    std::string file = "/tmp/lumivox-e2e-window-" + std::to_string(getpid());
    for (int i = 0; i < 100; ++i) {
      if (x.Run("xdotool search --onlyvisible --name '^" + title + "$' > " + file) == 0) {
        std::ifstream in(file);
        std::string id;
        in >> id;
        std::remove(file.c_str());
        if (!id.empty()) return id;
      }
      SleepFor(0.1);
    }
    return "";
  }
  // The window's size as the X server has it: "WIDTHxHEIGHT".
  std::string Geometry(const std::string& window) {
    std::string file = "/tmp/lumivox-e2e-geometry-" + std::to_string(getpid());
    x.Run("xdotool getwindowgeometry " + window + " > " + file);
    std::ifstream in(file);
    std::string line, size;
    while (std::getline(in, line)) {
      if (line.find("Geometry:") != std::string::npos) size = line.substr(line.find(':') + 2);
    }
    std::remove(file.c_str());
    return size;
  }
  XServer x;
};

TEST_F(ProgrammeDesktopTest, AlertTakesOverAtTheEndOfTheTrackAndGivesItBack) {
  ProgramRun run;
  auto bundle = run.CopyBundle();
  std::filesystem::copy_file(FixturePath("tone-880-1s.mp3"),
                             bundle / "Contents/Resources/amber-alert.mp3",
                             std::filesystem::copy_options::overwrite_existing);
  run.AddFixture("tone-440.mp3", "music/a.mp3");
  run.AddFixture("tone-660.mp3", "PSAs/p.mp3");
  run.Start(x.Display());
  std::string window = FindWindow("Lumivox");
  ASSERT_FALSE(window.empty()) << run.Errors();
  // 800 by 480 below the menu bar.
  std::string size = Geometry(window);
  ASSERT_EQ(size.substr(0, 4), "800x") << size;
  int height = std::stoi(size.substr(4));
  EXPECT_GT(height, 480);
  EXPECT_LT(height, 540);
  SleepFor(1.0);
  // "Amber Alert" is the first alert button: 410, 304, 116 by 116 in the content area, which
  // starts below the menu bar.
  std::string click = "xdotool mousemove --window " + window + " 468 390 click 1";
  ASSERT_EQ(x.Run(click), 0);
  SleepFor(3.0);
  ASSERT_EQ(x.Run(click), 0);
  SleepFor(1.6);
  // Keys go to the window under the pointer (no window manager runs).
  ASSERT_EQ(x.Run("xdotool mousemove --window " + window + " 200 200 key ctrl+q"), 0);
  EXPECT_EQ(run.Wait(10), 0) << run.Errors();

  std::vector<Heard> heard =
      HeardTones(pcm::Capture::ReadFile(run.CapturePath().string()), {440, 660, 880});
  auto first = std::find_if(heard.begin(), heard.end(), [](auto& h) { return h.frequency == 880; });
  ASSERT_NE(first, heard.end());
  ASSERT_NE(first, heard.begin());
  // The track that played at the click played to its end.
  EXPECT_NEAR((first - 1)->seconds, 0.3, 0.05);
  auto last = first;
  int alerts = 0;
  while (last != heard.end() && last->frequency == 880) {
    EXPECT_NEAR(last->seconds, 1.0, 0.1);
    ++alerts, ++last;
  }
  EXPECT_GE(alerts, 2);  // it repeats while the button is on
  ASSERT_NE(last, heard.end());
  EXPECT_EQ(last->frequency, 440);  // then the rotation resumes with music
}

TEST_F(ProgrammeDesktopTest, CancellingTheFolderDialogEndsTheProgramWithStatusZero) {
  ProgramRun run;
  run.AddFixture("tone-440.mp3", "music/a.mp3");  // no "PSAs" folder
  run.Start(x.Display(), {{"HOME", run.Folder().string()}});
  std::string dialog = FindWindow("Find Music");
  ASSERT_FALSE(dialog.empty()) << run.Errors();
  ASSERT_EQ(x.Run("xdotool mousemove --window " + dialog + " 20 20 key Escape"), 0);
  EXPECT_EQ(run.Wait(10), 0) << run.Errors();
  EXPECT_LT(pcm::Capture::ReadFile(run.CapturePath().string()).Sounds().size(), 1u);
}

}  // namespace
