// The dispatch point without the program's guarded call: no program code runs, and one line
// says why.
#include <gtest/gtest.h>

#include <string>

#include "app/Main.h"
#include "framework/Dispatch.h"
#include "framework/Exceptions.h"
#include "framework/runtime/Reporter.h"

namespace {

TEST(DispatchTest, WithoutAGuardedCallDropsEveryCallAndSaysSoOnce) {
  RuntimeSetExceptionHelper(nullptr);
  ::testing::internal::CaptureStderr();
  bool ran = false;
  EXPECT_FALSE(RuntimeDispatch([&] { ran = true; }));
  EXPECT_FALSE(RuntimeDispatch([] { throw NilObjectException("never raised"); }));
  EXPECT_FALSE(RuntimeCallGuarded([&] { ran = true; }));
  FlushReports();
  const std::string said = ::testing::internal::GetCapturedStderr();
  RuntimeSetExceptionHelper(CallFunctionWithExceptionHandling);
  EXPECT_FALSE(ran);
  EXPECT_EQ(said, "Runtime: no exception helper is installed; events are dropped\n");

  EXPECT_TRUE(RuntimeDispatch([&] { ran = true; }));
  EXPECT_TRUE(ran);
}

}  // namespace
