// The main of every test executable: brings the framework up headless, with the program's
// guarded call installed as the program's main routine installs it, then runs the tests.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/Main.h"
#include "framework/Dispatch.h"
#include "framework/FrameworkTypes.h"
#include "framework/Runtime.h"
#include "framework/TypeRegistry.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  if (!getenv("XDG_RUNTIME_DIR")) {
    // Qt wants a private runtime folder; CI machines running as root often have none.
    std::string runtime = "/tmp/lumivox-tests-runtime-" + std::to_string(getuid());
    mkdir(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  }
  ::testing::InitGoogleTest(&argc, argv);
  RuntimeInit();
  RuntimeSetExceptionHelper(CallFunctionWithExceptionHandling);
  RuntimeInitFrameworkTypes();
  RegisterProgramTypes();
  RuntimeLoadPlugin("BevelButton");
  int status = RUN_ALL_TESTS();
  RuntimeReleaseGlobals();
  RuntimeExit();
  return status;
}
