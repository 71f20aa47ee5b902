// The dispatch point's exception policy and the reporter.
#include <gtest/gtest.h>

#include <sstream>

#include "framework/Application.h"
#include "framework/Dispatch.h"
#include "framework/Exceptions.h"
#include "framework/runtime/Reporter.h"

namespace {

class HandlingApp : public Application {
 public:
  int offered = 0;
  bool handle = false;
  bool UnhandledException(const RuntimeException&) override {
    ++offered;
    return handle;
  }
};

class ExceptionPolicyTest : public ::testing::Test {
 protected:
  void SetUp() override { SetReportStream(&out); }
  void TearDown() override {
    SetReportStream(nullptr);
    RuntimeRegisterAppObject(nullptr);
  }
  std::ostringstream out;
};

TEST_F(ExceptionPolicyTest, EndExceptionsAreDroppedWithoutAWord) {
  EXPECT_FALSE(RuntimeDispatch([] { throw EndException(); }));
  EXPECT_FALSE(RuntimeDispatch([] { throw ThreadEndException(); }));
  FlushReports();
  EXPECT_EQ(out.str(), "");
}

TEST_F(ExceptionPolicyTest, OtherExceptionsAreReportedAndDispatchGoesOn) {
  EXPECT_FALSE(RuntimeDispatch([] { throw NilObjectException("gone"); }));
  EXPECT_FALSE(RuntimeDispatch([] { throw std::logic_error("not ours"); }));
  bool ran = false;
  EXPECT_TRUE(RuntimeDispatch([&] { ran = true; }));
  EXPECT_TRUE(ran);
  EXPECT_EQ(out.str(),
            "Unhandled NilObjectException: gone\n"
            "Unhandled C++ exception: not ours\n");
}

TEST_F(ExceptionPolicyTest, RepeatsCollapseIntoOneLineWithACount) {
  for (int i = 0; i < 5; ++i) RuntimeDispatch([] { throw OutOfBoundsException("row 9"); });
  RuntimeDispatch([] { throw NilObjectException(); });
  FlushReports();
  EXPECT_EQ(out.str(),
            "Unhandled OutOfBoundsException: row 9\n"
            "Unhandled OutOfBoundsException: row 9 (repeated 4 more times)\n"
            "Unhandled NilObjectException\n");
}

TEST_F(ExceptionPolicyTest, ApplicationMayHandleAnExceptionFirst) {
  auto app = std::make_shared<HandlingApp>();
  RuntimeRegisterAppObject(app);
  RuntimeDispatch([] { throw NilObjectException("a"); });
  app->handle = true;
  RuntimeDispatch([] { throw NilObjectException("b"); });
  RuntimeDispatch([] { throw EndException(); });  // never offered
  EXPECT_EQ(app->offered, 2);
  EXPECT_EQ(out.str(), "Unhandled NilObjectException: a\n");
}

}  // namespace
