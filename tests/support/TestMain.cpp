// The main of every test executable: brings the framework up headless, then runs the tests.
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/Runtime.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ::testing::InitGoogleTest(&argc, argv);
  RuntimeInit();
  RuntimeInitFrameworkTypes();
  RuntimeLoadPlugin("BevelButton");
  int status = RUN_ALL_TESTS();
  RuntimeReleaseGlobals();
  RuntimeExit();
  return status;
}
