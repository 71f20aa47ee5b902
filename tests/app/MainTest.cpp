// The roads out of the process, each run in a child process: the exit status is what the
// runtime's shutdown gives, and an exception out of the start-up is reported once.
#include "app/Main.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <cstdlib>

#include "framework/Exceptions.h"

namespace {

bool loopRan = false;

// The process's life after the framework is up, as main has it, with a start-up of the
// test's choosing. Exits with 99 when the event loop ran although it should not have.
[[noreturn]] void RunAndExit(void (*startup)(), bool loopMayRun) {
  Main(startup);
  ReleaseProcessGlobals();
  int32_t status = RuntimeExit();
  if (loopRan && !loopMayRun) std::exit(99);
  std::exit(status);
}

void MarkLoop() {
  QTimer::singleShot(0, [] { loopRan = true; });
}

class MainTest : public ::testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(MainTest, ExceptionOutOfStartupIsReportedOnceAndFailsTheRun) {
  EXPECT_EXIT(RunAndExit(
                  [] {
                    MarkLoop();
                    throw NilObjectException("no window");
                  },
                  false),
              ::testing::ExitedWithCode(1), "^Unhandled NilObjectException: no window\n$");
}

TEST_F(MainTest, QuitBeforeTheLoopEndsAtOnceWithItsCode) {
  EXPECT_EXIT(RunAndExit(
                  [] {
                    MarkLoop();
                    Quit(0);
                    // A control event after the quit is not raised.
                    RuntimeDispatch([] { std::exit(98); });
                  },
                  false),
              ::testing::ExitedWithCode(0), "");
}

TEST_F(MainTest, QuitFromTheLoopGivesItsCode) {
  EXPECT_EXIT(
      RunAndExit([] { QTimer::singleShot(5, [] { RuntimeDispatch([] { Quit(0); }); }); }, true),
      ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(
      RunAndExit([] { QTimer::singleShot(5, [] { RuntimeDispatch([] { Quit(7); }); }); }, true),
      ::testing::ExitedWithCode(7), "");
}

TEST_F(MainTest, ExceptionInAnEventHandlerIsReportedAndTheProgramGoesOn) {
  EXPECT_EXIT(RunAndExit(
                  [] {
                    QTimer::singleShot(5, [] {
                      RuntimeDispatch([] { throw NilObjectException("tick"); });
                      RuntimeDispatch([] { throw EndException("quiet"); });
                      RuntimeDispatch([] { Quit(0); });
                    });
                  },
                  true),
              ::testing::ExitedWithCode(0), "^Unhandled NilObjectException: tick\n$");
}

}  // namespace
