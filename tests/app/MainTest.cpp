// The roads out of the process, each run in a child process: the exit status is what the
// runtime's shutdown gives, and an exception out of the start-up is reported once.
#include "app/Main.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/EventLoop.h"
#include "framework/Exceptions.h"
#include "framework/Runtime.h"
#include "framework/TypeRegistry.h"
#include "framework/Window.h"

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

TEST_F(MainTest, ClosingTheLastWindowEndsTheProgramWithStatusZero) {
  EXPECT_EXIT(RunAndExit(
                  [] {
                    auto window = std::make_shared<Window>();
                    window->Constructor();  // the framework holds it
                    QTimer::singleShot(5, [window] { window->CloseWindow(); });
                  },
                  true),
              ::testing::ExitedWithCode(0), "");
}

TEST(MainTypeInformationTest, FrameworkClassesComeFirstThenTheProgramsInOrder) {
  std::vector<std::string> names = RuntimeTypeNames();
  auto app = std::find(names.begin(), names.end(), "App");
  ASSERT_NE(app, names.end());
  EXPECT_EQ(std::vector<std::string>(app, names.end()),
            (std::vector<std::string>{"App", "Window1", "Window1.AlertButton", "Window1.Poller",
                                      "MenuBar1"}));
  EXPECT_EQ(names.front(), "Object");
  EXPECT_NE(std::find(names.begin(), app, "BevelButton"), app);
}

}  // namespace
