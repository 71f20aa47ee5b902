// The bevel button: a real click on a toggle flips Value and then raises Action; Value set
// from code raises nothing; a push button raises Action and keeps Value; focus.
#include "framework/BevelButton.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "framework/Exceptions.h"
#include "framework/qt/RectControlImpl.h"
#include "tests/support/WindowFixture.h"

namespace {

class BevelButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = MakeBareWindow();
    button = window->New<BevelButton>();
    button->Constructor();
    window->AddControl("Button", button);
    SetProperties(*button, {{"Left", 10},
                            {"Top", 10},
                            {"Width", 116},
                            {"Height", 116},
                            {"Caption", std::string("Amber Alert")}});
    button->Action.Connect([this](std::shared_ptr<BevelButton> sender) {
      EXPECT_EQ(sender, button);
      valuesSeen.push_back(sender->Value());
    });
  }
  void TearDown() override {
    button = nullptr;
    EXPECT_TRUE(CloseAndRelease(window));
  }
  void Click() { QTest::mouseClick(ControlWidget(*button), Qt::LeftButton); }

  std::shared_ptr<Window> window;
  std::shared_ptr<BevelButton> button;
  std::vector<bool> valuesSeen;  // Value as each Action saw it
};

TEST_F(BevelButtonTest, ToggleClickFlipsValueBeforeAction) {
  SetProperties(*button, {{"ButtonType", 1}, {"Value", false}});
  Click();
  EXPECT_TRUE(button->Value());
  Click();
  EXPECT_FALSE(button->Value());
  EXPECT_EQ(valuesSeen, (std::vector<bool>{true, false}));
  EXPECT_EQ(static_cast<QPushButton*>(ControlWidget(*button))->isChecked(), false);
}

TEST_F(BevelButtonTest, ValueFromCodeRaisesNoAction) {
  SetProperties(*button, {{"ButtonType", 1}});
  button->Value(true);
  EXPECT_TRUE(button->Value());
  EXPECT_TRUE(static_cast<QPushButton*>(ControlWidget(*button))->isChecked());
  button->SetProperty("Value", false);
  EXPECT_FALSE(button->Value());
  EXPECT_TRUE(valuesSeen.empty());
}

TEST_F(BevelButtonTest, PushButtonClickRaisesActionAndKeepsValue) {
  SetProperties(*button, {{"ButtonType", 0}});
  Click();
  Click();
  EXPECT_EQ(valuesSeen, (std::vector<bool>{false, false}));
}

TEST_F(BevelButtonTest, WithoutAcceptFocusAClickTakesNoFocus) {
  SetProperties(*button, {{"TabStop", true}, {"AcceptFocus", false}, {"ButtonType", 1}});
  QWidget* widget = ControlWidget(*button);
  EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
  Click();
  EXPECT_FALSE(widget->hasFocus());
  EXPECT_TRUE(button->Value());

  button->SetProperty("AcceptFocus", true);
  EXPECT_EQ(widget->focusPolicy(), Qt::StrongFocus);
  button->SetProperty("TabStop", false);
  EXPECT_EQ(widget->focusPolicy(), Qt::ClickFocus);
}

TEST_F(BevelButtonTest, ExceptionFromActionGoesToThePolicyNotThroughQt) {
  ExceptionRecorder recorder;
  button->Action.Connect(
      [](std::shared_ptr<BevelButton>) { throw OutOfBoundsException("from the handler"); });
  EXPECT_NO_THROW(Click());
  EXPECT_EQ(recorder.Classes(), std::vector<std::string>{"OutOfBoundsException"});
}

TEST_F(BevelButtonTest, UnsupportedButtonTypeIsRefused) {
  EXPECT_THROW(button->SetProperty("ButtonType", 7), OutOfBoundsException);
  EXPECT_EQ(button->ButtonType(), 0);
}

}  // namespace
