// The poll timer on its own: the window reference it holds and its index.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>

#include "framework/Window.h"
#include "player/Window1Poller.h"

namespace {

TEST(Window1PollerTest, HoldsItsWindowOnceAndReleasesIt) {
  auto poller = std::make_shared<Window1Poller>();
  EXPECT_EQ(poller->Window(), nullptr);
  EXPECT_EQ(poller->Index(), 0);

  auto window = std::make_shared<Window>();
  poller->SetWindow(window);
  poller->SetWindow(window);
  EXPECT_EQ(poller->Window(), window);
  EXPECT_EQ(window.use_count(), 2);  // ours and the timer's

  // The window held is passed again as the only reference: it stays alive.
  std::weak_ptr<Window> weak = window;
  poller->SetWindow(std::move(window));
  EXPECT_FALSE(weak.expired());
  poller->SetWindow(nullptr);
  EXPECT_TRUE(weak.expired());

  window = std::make_shared<Window>();
  weak = window;
  poller->SetWindow(std::move(window));
  poller = nullptr;
  EXPECT_TRUE(weak.expired());
}

TEST(Window1PollerTest, IndexTakesAnyValue) {
  Window1Poller poller;
  for (int32_t value : {INT32_MIN, -1, 0, 2, INT32_MAX}) {
    poller.SetIndex(value);
    EXPECT_EQ(poller.Index(), value);
    EXPECT_EQ(poller.index, value);
  }
}

}  // namespace
