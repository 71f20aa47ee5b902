// The framework's own problem lines: one line each on stderr, a run of the same line collapsed
// into a count, whichever threads report it.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "framework/runtime/Reporter.h"

namespace {

TEST(ReporterTest, ProblemsFromSeveralThreadsCollapseIntoOneLineAndACount) {
  testing::internal::CaptureStderr();
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([] {
      for (int i = 0; i < 50; ++i) ReportProblem("Sound: cannot play /a.mp3: gone");
    });
  }
  for (std::thread& thread : threads) thread.join();
  ReportProblem("Audio: the sound device is back");
  FlushReports();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Sound: cannot play /a.mp3: gone\n"
            "Sound: cannot play /a.mp3: gone (repeated 199 more times)\n"
            "Audio: the sound device is back\n");
}

}  // namespace
