// An alert button on its own: the default construction on a window that is not a Window1.
#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "framework/Window.h"
#include "player/Window1AlertButton.h"
#include "tests/support/WindowFixture.h"

namespace {

TEST(Window1AlertButtonTest, DefaultConstructorOnAnotherWindowConnectsAndRegistersNothing) {
  auto window = MakeBareWindow();
  auto button = window->New<Window1AlertButton>();
  EXPECT_THROW(button->Constructor(), NilObjectException);
  EXPECT_EQ(button->Caption(), "Amber Alert");  // the steps before the failure took effect
  EXPECT_FALSE(button->Action.IsConnected());
  EXPECT_FALSE(button->Open.IsConnected());
  EXPECT_TRUE(window->Controls().empty());
  button = nullptr;
  EXPECT_TRUE(CloseAndRelease(window));
}

}  // namespace
