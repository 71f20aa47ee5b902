// The main window's eleven controls: creation order, places at the stored size and after
// resizes, tab order, the alert-button array, the poll timer, clicks, event connections
// that hold the window weakly, and the release of the window and its timer on close.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QTest>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <sstream>

#include "app/MenuBar1.h"
#include "framework/BevelButton.h"
#include "framework/Dispatch.h"
#include "framework/Exceptions.h"
#include "framework/Label.h"
#include "framework/Listbox.h"
#include "framework/Timer.h"
#include "framework/qt/RectControlImpl.h"
#include "framework/qt/WindowImpl.h"
#include "framework/qt/WindowRegistry.h"
#include "framework/runtime/Reporter.h"
#include "player/Window1.h"
#include "player/Window1AlertButton.h"
#include "player/Window1Poller.h"
#include "tests/support/Fixtures.h"
#include "tests/support/WindowFixture.h"

namespace fs = std::filesystem;

namespace {

// A constructed Window1 in a folder of its own with "music" (two tracks) and "PSAs" (one).
class Window1ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KeepApplicationOpen();
    SetReportStream(&reports);
    root = fs::temp_directory_path() / ("lumivox-controls-" + std::to_string(getpid()));
    fs::create_directories(root / "music");
    fs::create_directories(root / "PSAs");
    fs::copy_file(FixturePath("tone-440.mp3"), root / "music" / "a.mp3");
    fs::copy_file(FixturePath("tone-660.mp3"), root / "music" / "b.mp3");
    fs::copy_file(FixturePath("tone-880.mp3"), root / "PSAs" / "psa.mp3");
    previous = fs::current_path();
    fs::current_path(root);
    window = std::make_shared<Window1>();
    window->Constructor();
  }
  void TearDown() override {
    EXPECT_TRUE(CloseAndRelease(window));
    MenuBar1::ReleaseInstance();
    SetReportStream(nullptr);
    fs::current_path(previous);
    fs::remove_all(root);
  }

  // The ten visible controls in creation order.
  std::vector<std::shared_ptr<RectControl>> VisibleControls() {
    return {window->MusicList(),    window->Label1(),       window->Label2(),
            window->PSAList(),      window->Label3(),       window->AlertButton(0),
            window->AlertButton(2), window->AlertButton(1), window->Label4(),
            window->PlayingLabel()};
  }
  void ExpectPlaces(const std::vector<Rect>& expected) {
    auto controls = VisibleControls();
    ASSERT_EQ(controls.size(), expected.size());
    for (size_t i = 0; i < controls.size(); ++i) {
      ASSERT_NE(controls[i], nullptr) << i;
      EXPECT_EQ(PlaceOf(*controls[i]), expected[i]) << "control " << i;
      EXPECT_EQ(WidgetPlaceOf(*controls[i]), expected[i]) << "widget of control " << i;
    }
  }

  std::ostringstream reports;
  fs::path root, previous;
  std::shared_ptr<Window1> window;
};

TEST_F(Window1ControlsTest, ElevenControlsInCreationOrder) {
  std::vector<std::shared_ptr<Object>> expected;
  for (const auto& c : VisibleControls()) expected.push_back(c);
  expected.push_back(window->Poller());
  EXPECT_EQ(window->Controls(), expected);
  EXPECT_EQ(std::count(expected.begin(), expected.end(), nullptr), 0);
  for (const auto& c : VisibleControls()) {
    EXPECT_EQ(c->TextUnit(), 0);
    EXPECT_EQ(c->TextFont(), "System");
    EXPECT_TRUE(c->Visible());
    EXPECT_TRUE(c->Enabled());
  }
  for (const auto& c : {VisibleControls()[0], VisibleControls()[1], VisibleControls()[9]}) {
    EXPECT_EQ(c->Index(), Control::kNoIndex);
  }
}

TEST_F(Window1ControlsTest, PlacesAtTheStoredSize) {
  EXPECT_EQ(window->Width(), 800);
  EXPECT_EQ(window->Height(), 480);
  ExpectPlaces({{20, 46, 370, 374},
                {20, 14, 100, 20},
                {410, 14, 100, 20},
                {410, 46, 370, 214},
                {410, 272, 100, 20},
                {410, 304, 116, 116},
                {664, 304, 116, 116},
                {538, 304, 116, 116},
                {20, 440, 100, 20},
                {132, 440, 648, 20}});
}

TEST_F(Window1ControlsTest, PlacesAtTheMinimumSize) {
  window->Resize(640, 400);
  EXPECT_EQ(ContentWidget(*window)->size(), QSize(640, 400));
  ExpectPlaces({{20, 46, 210, 294},
                {20, 14, 100, 20},
                {250, 14, 100, 20},
                {250, 46, 370, 134},
                {250, 192, 100, 20},
                {250, 224, 116, 116},
                {504, 224, 116, 116},
                {378, 224, 116, 116},
                {20, 360, 100, 20},
                {132, 360, 488, 20}});
}

TEST_F(Window1ControlsTest, LargerWindowKeepsTheMargins) {
  for (auto [w, h] : {std::pair{1000, 700}, std::pair{1920, 1080}, std::pair{800, 480}}) {
    window->Resize(w, h);
    auto music = window->MusicList();
    auto psa = window->PSAList();
    auto playing = window->PlayingLabel();
    EXPECT_EQ(music->Left(), 20);
    EXPECT_EQ(psa->Left() - (music->Left() + music->Width()), 20);
    EXPECT_EQ(psa->Left() + psa->Width(), w - 20);
    EXPECT_EQ(window->AlertButton(2)->Left() + 116, w - 20);
    EXPECT_EQ(playing->Left() + playing->Width(), w - 20);
    EXPECT_EQ(playing->Top() + playing->Height(), h - 20);
    EXPECT_EQ(window->Label4()->Top() + 20, h - 20);
    EXPECT_EQ(window->AlertButton(0)->Top() + 116, music->Top() + music->Height());
    EXPECT_EQ(window->Label1()->Left(), 20);
    EXPECT_EQ(window->Label1()->Top(), 14);
  }
}

TEST_F(Window1ControlsTest, TabOrderIsTheCreationOrder) {
  auto controls = VisibleControls();
  std::vector<QWidget*> expected;
  for (size_t i = 0; i < controls.size(); ++i) {
    EXPECT_EQ(controls[i]->TabIndex(), static_cast<int32_t>(i));
    expected.push_back(ControlWidget(*controls[i]));
  }
  std::vector<QWidget*> chain;
  QWidget* w = expected[0];
  for (int steps = 0; steps < 1000 && chain.size() < expected.size(); ++steps) {
    if (std::find(expected.begin(), expected.end(), w) != expected.end()) chain.push_back(w);
    w = w->nextInFocusChain();
  }
  EXPECT_EQ(chain, expected);
  // The buttons take no focus.
  for (int32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(ControlWidget(*window->AlertButton(i))->focusPolicy(), Qt::NoFocus);
  }
}

TEST_F(Window1ControlsTest, AlertButtonArrayByIndex) {
  struct Member {
    int32_t index;
    const char* caption;
    int32_t left;
  };
  for (const Member& m :
       {Member{0, "Amber Alert", 410}, Member{1, "Gate Closed", 538}, Member{2, "--", 664}}) {
    auto button = window->AlertButton(m.index);
    ASSERT_NE(button, nullptr) << m.index;
    EXPECT_EQ(button->Index(), m.index);
    EXPECT_EQ(button->Caption(), m.caption);
    EXPECT_EQ(button->Left(), m.left);
    EXPECT_EQ(button->ButtonType(), 1);
    EXPECT_FALSE(button->Value());
    EXPECT_NE(Cast<Window1AlertButton>(button), nullptr);
  }
  EXPECT_EQ(window->AlertButton(3), nullptr);
  EXPECT_EQ(window->AlertButton(-1), nullptr);
  EXPECT_EQ(window->AlertButton(Control::kNoIndex), nullptr);
}

TEST_F(Window1ControlsTest, PollerHasModeAndPeriodAndNothingElse) {
  auto poller = window->Poller();
  ASSERT_NE(poller, nullptr);
  EXPECT_EQ(poller->Mode(), 2);
  EXPECT_EQ(poller->Period(), 10);
  EXPECT_EQ(poller->Property("Mode"), PropertyValue(2));
  EXPECT_EQ(poller->Property("Period"), PropertyValue(10));
  for (const char* key : {"Name", "Index", "Left", "Top", "TabIndex", "TextFont", "Text"}) {
    EXPECT_FALSE(poller->Property(key).has_value()) << key;
  }
  auto typed = Cast<Window1Poller>(poller);
  ASSERT_NE(typed, nullptr);
  EXPECT_EQ(typed->Window(), window);
  EXPECT_EQ(typed->Index(), 0);
  EXPECT_TRUE(poller->IsRunning());
}

TEST_F(Window1ControlsTest, PropertyValuesAreKept) {
  auto music = window->MusicList();
  EXPECT_EQ(music->Property("ScrollBarVertical"), PropertyValue(true));
  EXPECT_EQ(music->Property("ScrollbarHorizontal"), PropertyValue(false));
  EXPECT_EQ(music->Property("_ScrollWidth"), PropertyValue(-1));
  EXPECT_EQ(music->Property("Index"), PropertyValue(Control::kNoIndex));
  EXPECT_EQ(window->Label3()->Property("TextColor"), PropertyValue(Color::RGB(0, 0, 0)));
  EXPECT_FALSE(window->Label3()->Property("TabStop").has_value());
  EXPECT_EQ(window->AlertButton(1)->Property("CaptionAlign"), PropertyValue(3));
  EXPECT_EQ(window->AlertButton(1)->Property("AcceptFocus"), PropertyValue(false));
  EXPECT_EQ(window->Label1()->Text(), "Music Playlist");
  EXPECT_EQ(window->Label2()->Text(), "PSA Playlist");
  EXPECT_EQ(window->Label3()->Text(), "Alert Mode");
  EXPECT_EQ(window->Label4()->Text(), "Now Playing:");
}

TEST_F(Window1ControlsTest, ListsOpenedOnceAndFilledFromTheirFolders) {
  EXPECT_EQ(window->MusicList()->ListCount(), 2);
  EXPECT_EQ(window->PSAList()->ListCount(), 1);
  window->MusicList()->RaiseOpen();
  EXPECT_EQ(window->MusicList()->ListCount(), 2);
  EXPECT_EQ(window->PlayingLabel()->Text(), "...");  // no tick has run yet
}

TEST_F(Window1ControlsTest, ClickTogglesTheButtonAndSwitchesTheOthersOff) {
  auto click = [this](int32_t index) {
    QTest::mouseClick(ControlWidget(*window->AlertButton(index)), Qt::LeftButton);
  };
  auto values = [this] {
    return std::vector<bool>{window->AlertButton(0)->Value(), window->AlertButton(1)->Value(),
                             window->AlertButton(2)->Value()};
  };
  click(1);
  EXPECT_EQ(values(), (std::vector<bool>{false, true, false}));
  click(0);  // the handler got button 0: it spares 0 and switches 1 off
  EXPECT_EQ(values(), (std::vector<bool>{true, false, false}));
  click(2);
  EXPECT_EQ(values(), (std::vector<bool>{false, false, true}));
  click(2);
  EXPECT_EQ(values(), (std::vector<bool>{false, false, false}));
}

TEST_F(Window1ControlsTest, ValueSetFromCodeRunsNoHandler) {
  window->AlertButton(0)->Value(true);
  window->AlertButton(1)->Value(true);
  ProcessEvents();
  EXPECT_TRUE(window->AlertButton(0)->Value());
  EXPECT_TRUE(window->AlertButton(1)->Value());
}

TEST_F(Window1ControlsTest, ClosingReleasesTheWindowAndItsTimer) {
  std::weak_ptr<Timer> poller = window->Poller();
  std::weak_ptr<Listbox> list = window->MusicList();
  EXPECT_TRUE(CloseAndRelease(window));
  EXPECT_TRUE(poller.expired());
  EXPECT_TRUE(list.expired());
}

TEST_F(Window1ControlsTest, WindowLeftOpenAtTheEndIsReleasedWithTheWindowList) {
  // As when the application quits from its menu: the window is never closed.
  std::weak_ptr<Window1> weak = window;
  std::weak_ptr<Timer> poller = window->Poller();
  window = nullptr;
  EXPECT_FALSE(weak.expired());  // the framework's list and the timer hold it
  WindowRegistryClear();
  EXPECT_TRUE(weak.expired());
  EXPECT_TRUE(poller.expired());
}

TEST_F(Window1ControlsTest, EventsAfterTheWindowIsGoneRaiseNilObjectAndCallNothing) {
  auto poller = window->Poller();
  auto button = window->AlertButton(1);
  auto list = window->PSAList();
  EXPECT_TRUE(CloseAndRelease(window));  // the controls held here do not keep it
  EXPECT_EQ(Cast<Window1Poller>(poller)->Window(), nullptr);

  ExceptionRecorder recorder;
  EXPECT_FALSE(RuntimeDispatch([&] { poller->CallAction(); }));
  EXPECT_FALSE(RuntimeDispatch([&] { button->Action.Raise(button); }));
  EXPECT_FALSE(RuntimeDispatch([&] { list->CellBackgroundPaint.Raise(list, nullptr, 0, 0); }));
  EXPECT_EQ(
      recorder.Classes(),
      (std::vector<std::string>{"NilObjectException", "NilObjectException", "NilObjectException"}));
}

TEST_F(Window1ControlsTest, DefaultConstructorBuildsMemberZeroAndRegistersIt) {
  auto button = window->New<Window1AlertButton>();
  button->Constructor();
  EXPECT_EQ(button->Index(), 0);
  EXPECT_EQ(button->Caption(), "Amber Alert");
  EXPECT_EQ(PlaceOf(*button), (Rect{410, 304, 116, 116}));
  EXPECT_EQ(button->TextUnit(), 0);
  EXPECT_TRUE(button->Action.IsConnected());
  EXPECT_TRUE(button->Open.IsConnected());
  auto controls = window->Controls();
  ASSERT_EQ(controls.size(), 12u);
  EXPECT_EQ(controls.back(), button);
}

TEST_F(Window1ControlsTest, IndexedConstructorSetsTheIndexBeforeRegistration) {
  auto button = window->New<Window1AlertButton>();
  button->Constructor(2);
  EXPECT_EQ(button->Index(), 2);
  EXPECT_EQ(window->Controls().size(), 11u);
  EXPECT_FALSE(button->Action.IsConnected());
}

}  // namespace
