// The timer: modes, period, Reset, receivers, held-back ticks during a modal session, and
// its Action connection to a window that is gone.
#include "framework/Timer.h"

#include <gtest/gtest.h>

#include <QTest>

#include "framework/EventLoop.h"
#include "framework/Exceptions.h"
#include "tests/support/WindowFixture.h"

namespace {

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    timer = std::make_shared<Timer>();
    timer->Action.Connect([this](std::shared_ptr<Timer> sender) {
      EXPECT_EQ(sender, timer);
      ++ticks;
    });
  }
  std::shared_ptr<Timer> timer;
  int ticks = 0;
};

TEST_F(TimerTest, RepeatingTimerTicksOverAndOver) {
  SetProperties(*timer, {{"Mode", 2}, {"Period", 10}});
  EXPECT_EQ(timer->Mode(), 2);
  EXPECT_EQ(timer->Period(), 10);
  EXPECT_EQ(ticks, 0);  // nothing before the event loop runs
  QTRY_VERIFY_WITH_TIMEOUT(ticks >= 3, 5000);
  EXPECT_TRUE(timer->IsRunning());
}

TEST_F(TimerTest, OnceFiresOneTimeThenTheModeIsOff) {
  SetProperties(*timer, {{"Period", 5}, {"Mode", 1}});
  QTRY_VERIFY_WITH_TIMEOUT(ticks == 1, 5000);
  QTest::qWait(50);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(timer->Mode(), 0);
  EXPECT_FALSE(timer->IsRunning());
}

TEST_F(TimerTest, OffRaisesNothingAndAnUnknownModeIsRefused) {
  SetProperties(*timer, {{"Period", 1}, {"Mode", 0}});
  QTest::qWait(30);
  EXPECT_EQ(ticks, 0);
  EXPECT_THROW(timer->Mode(3), OutOfBoundsException);
  EXPECT_THROW(timer->Mode(-1), OutOfBoundsException);
  EXPECT_EQ(timer->Mode(), 0);
}

TEST_F(TimerTest, ModalSessionHoldsTicksBack) {
  SetProperties(*timer, {{"Mode", 2}, {"Period", 5}});
  RuntimeBeginModal();
  QTest::qWait(60);
  EXPECT_EQ(ticks, 0);
  RuntimeEndModal();
  QTRY_VERIFY_WITH_TIMEOUT(ticks >= 1, 5000);

  // A one-shot timer that expires during the session fires once it has ended.
  ticks = 0;
  SetProperties(*timer, {{"Mode", 1}, {"Period", 5}});
  RuntimeBeginModal();
  QTest::qWait(40);
  EXPECT_EQ(ticks, 0);
  RuntimeEndModal();
  QTRY_VERIFY_WITH_TIMEOUT(ticks == 1, 5000);
}

TEST_F(TimerTest, ResetStartsThePeriodOver) {
  SetProperties(*timer, {{"Mode", 1}, {"Period", 600}});
  for (int i = 0; i < 8; ++i) {
    QTest::qWait(100);
    timer->Reset();
  }
  EXPECT_EQ(ticks, 0);  // 800 ms went by, never 600 in one stretch
  QTRY_VERIFY_WITH_TIMEOUT(ticks == 1, 5000);
}

TEST_F(TimerTest, ReceiversAreNotifiedWithTheTimer) {
  struct Receiver : actionNotificationReceiver {
    std::vector<std::shared_ptr<Object>> senders;
    void PerformAction(const std::shared_ptr<Object>& sender) override {
      senders.push_back(sender);
    }
  };
  auto receiver = std::make_shared<Receiver>();
  timer->addActionNotificationReceiver(receiver);
  timer->addActionNotificationReceiver(receiver);  // once only
  timer->CallAction();
  timer->removeActionNotificationReceiver(receiver);
  timer->CallAction();
  ASSERT_EQ(receiver->senders.size(), 1u);
  EXPECT_EQ(receiver->senders[0], timer);
  EXPECT_EQ(ticks, 2);
}

// A window with a tick handler, to connect to.
class TickWindow : public Window {
 public:
  void Tick(std::shared_ptr<Timer>) { ++ticks; }
  int ticks = 0;
};

TEST(TimerWindowTest, TickForAWindowThatIsGoneRaisesNilObjectAndCallsNothing) {
  KeepApplicationOpen();
  auto window = std::make_shared<TickWindow>();
  window->Constructor();
  auto timer = window->New<Timer>();
  timer->Action.Connect(std::static_pointer_cast<TickWindow>(window), &TickWindow::Tick);
  SetProperties(*timer, {{"Mode", 2}, {"Period", 1}});
  QTRY_VERIFY_WITH_TIMEOUT(window->ticks >= 1, 5000);

  std::weak_ptr<TickWindow> weak = window;
  EXPECT_TRUE(CloseAndRelease(window));  // the connection did not keep it alive
  ExceptionRecorder recorder;
  QTRY_VERIFY_WITH_TIMEOUT(!recorder.Classes().empty(), 5000);
  EXPECT_EQ(recorder.Classes()[0], "NilObjectException");
  EXPECT_THROW(timer->CallAction(), NilObjectException);
}

}  // namespace
