// Controls on a window: edge locks at every resize, tab order, visibility, enabling, help
// tags and the text font.
#include "framework/RectControl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <algorithm>

#include "framework/BevelButton.h"
#include "framework/Label.h"
#include "framework/qt/RectControlImpl.h"
#include "tests/support/WindowFixture.h"

namespace {

struct LockCase {
  const char* name;
  bool left, top, right, bottom;
  Rect afterGrowth;  // the control at (100, 50, 200 x 40) once the window grew by 100 x 60
};

void PrintTo(const LockCase& c, std::ostream* os) {
  *os << c.name;
}

class RectControlLockTest : public ::testing::TestWithParam<LockCase> {};

TEST_P(RectControlLockTest, LockedEdgesKeepTheirDistanceFromTheWindowsEdges) {
  const LockCase& c = GetParam();
  auto window = MakeBareWindow(800, 480);
  auto label = window->New<Label>();
  label->Constructor();
  window->AddControl("Label", label);
  SetProperties(*label, {{"Left", 100},
                         {"Top", 50},
                         {"Width", 200},
                         {"Height", 40},
                         {"LockLeft", c.left},
                         {"LockTop", c.top},
                         {"LockRight", c.right},
                         {"LockBottom", c.bottom}});
  const Rect design{100, 50, 200, 40};
  EXPECT_EQ(PlaceOf(*label), design);
  EXPECT_EQ(WidgetPlaceOf(*label), design);

  window->Resize(900, 540);
  EXPECT_EQ(PlaceOf(*label), c.afterGrowth);
  EXPECT_EQ(WidgetPlaceOf(*label), c.afterGrowth);

  // Back to the first size: the design place again, not an accumulated drift.
  window->Resize(700, 420);
  window->Resize(800, 480);
  EXPECT_EQ(PlaceOf(*label), design);
  EXPECT_EQ(WidgetPlaceOf(*label), design);
  label = nullptr;
  EXPECT_TRUE(CloseAndRelease(window));
}

INSTANTIATE_TEST_SUITE_P(
    Locks, RectControlLockTest,
    ::testing::Values(LockCase{"None", false, false, false, false, {100, 50, 200, 40}},
                      LockCase{"LeftTop", true, true, false, false, {100, 50, 200, 40}},
                      LockCase{"RightBottom", false, false, true, true, {200, 110, 200, 40}},
                      LockCase{"All", true, true, true, true, {100, 50, 300, 100}},
                      LockCase{"TopRightBottom", false, true, true, true, {200, 50, 200, 100}},
                      LockCase{"LeftRightBottom", true, false, true, true, {100, 110, 300, 40}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RectControlTest, PlaceSetAfterAResizeIsKeptThroughTheNextResize) {
  auto window = MakeBareWindow(800, 480);
  auto label = window->New<Label>();
  label->Constructor();
  window->AddControl("Label", label);
  SetProperties(*label, {{"LockLeft", true}, {"LockRight", true}});
  window->Resize(900, 480);
  EXPECT_EQ(label->Width(), 200);  // 100 + 100
  label->Left(30);
  EXPECT_EQ(label->Left(), 30);
  EXPECT_EQ(label->Width(), 200);
  window->Resize(800, 480);
  EXPECT_EQ(PlaceOf(*label), (Rect{30, 0, 100, 20}));
  label = nullptr;
  EXPECT_TRUE(CloseAndRelease(window));
}

TEST(RectControlTest, TabOrderFollowsTabIndexNotCreationOrder) {
  auto window = MakeBareWindow();
  std::vector<std::shared_ptr<BevelButton>> buttons;
  const int32_t tabIndexes[] = {2, 0, 3, 1};
  for (int32_t tab : tabIndexes) {
    auto button = window->New<BevelButton>();
    button->Constructor();
    window->AddControl("Button", button);
    SetProperties(*button, {{"Index", tab}, {"TabIndex", tab}});
    buttons.push_back(button);
  }
  std::vector<QWidget*> expected(4);
  for (const auto& b : buttons) expected[static_cast<size_t>(b->TabIndex())] = ControlWidget(*b);
  std::vector<QWidget*> chain;
  QWidget* w = expected[0];
  do {
    if (std::find(expected.begin(), expected.end(), w) != expected.end()) chain.push_back(w);
    w = w->nextInFocusChain();
  } while (w != expected[0] && chain.size() < 4);
  EXPECT_EQ(chain, expected);
  buttons.clear();
  EXPECT_TRUE(CloseAndRelease(window));
}

TEST(RectControlTest, VisibleEnabledHelpTagAndFontReachTheWidget) {
  auto window = MakeBareWindow();
  auto label = window->New<Label>();
  label->Constructor();
  window->AddControl("Label", label);
  QWidget* widget = ControlWidget(*label);
  EXPECT_TRUE(label->Visible());
  EXPECT_TRUE(widget->isVisible());

  SetProperties(*label, {{"Visible", false},
                         {"Enabled", false},
                         {"HelpTag", std::string("Shows the track")},
                         {"TextFont", std::string("System")},
                         {"Bold", true},
                         {"Italic", true},
                         {"Underline", true}});
  EXPECT_FALSE(label->Visible());
  EXPECT_FALSE(widget->isVisible());
  EXPECT_FALSE(label->Enabled());
  EXPECT_FALSE(widget->isEnabled());
  EXPECT_EQ(label->HelpTag(), "Shows the track");
  EXPECT_EQ(widget->toolTip(), "Shows the track");
  EXPECT_EQ(widget->font().family(), QApplication::font().family());
  EXPECT_TRUE(widget->font().bold());
  EXPECT_TRUE(widget->font().italic());
  EXPECT_TRUE(widget->font().underline());

  label->SetProperty("Visible", true);
  EXPECT_TRUE(widget->isVisible());
  label = nullptr;
  EXPECT_TRUE(CloseAndRelease(window));
}

TEST(RectControlTest, ControlWithoutAWindowOpensNoWindowOfItsOwn) {
  auto label = std::make_shared<Label>();
  EXPECT_TRUE(label->Visible());
  EXPECT_FALSE(ControlWidget(*label)->isVisible());
  EXPECT_EQ(ControlWidget(*label)->parentWidget(), nullptr);
}

}  // namespace
