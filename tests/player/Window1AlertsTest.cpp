// Alert mode: the alert sounds loaded once from the bundle's Resources folder into slots 0
// and 1, and the buttons kept to at most one lit.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/Testing.h"
#include "framework/BevelButton.h"
#include "framework/Exceptions.h"
#include "framework/Label.h"
#include "framework/Sound.h"
#include "framework/Testing.h"
#include "framework/runtime/Reporter.h"
#include "player/AlertSounds.h"
#include "player/Window1.h"
#include "tests/support/Fixtures.h"
#include "tests/support/WindowFixture.h"

namespace fs = std::filesystem;

namespace {

class Window1AlertsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bundle =
        fs::temp_directory_path() /
        ("lumivox-alerts-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(bundle);
    fs::create_directories(bundle / "Contents" / "MacOS");
    SetBundleExecutableForTesting((bundle / "Contents" / "MacOS" / "Lumivox").string());
    ResetAlertSoundsForTesting();
    SetReportStream(&reports);
    window = std::make_shared<Window1>();
    window->Layout();
    window->CreateControls();
  }
  void TearDown() override {
    EXPECT_TRUE(CloseAndRelease(window));
    ReleaseAlertSounds();
    ResetAlertSoundsForTesting();
    SetBundleExecutableForTesting("");
    SetReportStream(nullptr);
    fs::remove_all(bundle);
  }
  void AddResource(const std::string& name, const fs::path& from) {
    fs::create_directories(bundle / "Contents" / "Resources");
    fs::copy_file(from, bundle / "Contents" / "Resources" / name);
  }
  void OpenAllButtons() {
    for (int32_t i : {0, 2, 1}) window->AlertButton_Open(window->AlertButton(i));
  }
  // The sound the pick gives with only button `index` lit, and the caption it shows.
  std::shared_ptr<Sound> PickWith(int32_t index) {
    for (int32_t i = 0; i < 3; ++i) window->AlertButton(i)->Value(i == index);
    return window->PickNextTrack();
  }

  fs::path bundle;
  std::ostringstream reports;
  std::shared_ptr<Window1> window;
};

TEST_F(Window1AlertsTest, OpenLoadsEachSoundOnceIntoSlotsZeroAndOne) {
  AddResource("amber-alert.mp3", FixturePath("tone-880.mp3"));
  AddResource("gate-closed.mp3", FixturePath("tone-660.mp3"));
  OpenAllButtons();
  const auto& slots = window->AlertSounds();
  ASSERT_NE(slots[0], nullptr);
  ASSERT_NE(slots[1], nullptr);
  EXPECT_NE(slots[0], slots[1]);
  EXPECT_EQ(slots[2], nullptr);
  // Loaded once: the files are not looked at again, and every call gives the same sounds.
  fs::remove_all(bundle / "Contents" / "Resources");
  EXPECT_EQ(amberalert(), slots[0]);
  EXPECT_EQ(gateclosed(), slots[1]);
  EXPECT_EQ(PickWith(0), slots[0]);
  EXPECT_EQ(window->PlayingLabel()->Text(), "Amber Alert");
  EXPECT_EQ(PickWith(1), slots[1]);
  EXPECT_EQ(window->PlayingLabel()->Text(), "Gate Closed");
  EXPECT_EQ(PickWith(2), nullptr);
  EXPECT_EQ(window->PlayingLabel()->Text(), "--");
  EXPECT_EQ(reports.str(), "");
}

TEST_F(Window1AlertsTest, BrokenGateClosedSilencesOnlyThatAlert) {
  AddResource("amber-alert.mp3", FixturePath("tone-880.mp3"));
  std::ofstream(bundle / "Contents" / "Resources" / "gate-closed.mp3") << "not a sound";
  OpenAllButtons();
  EXPECT_NE(window->AlertSounds()[0], nullptr);
  EXPECT_EQ(window->AlertSounds()[1], nullptr);
  EXPECT_EQ(PickWith(1), nullptr);
  EXPECT_EQ(window->PlayingLabel()->Text(), "Gate Closed");
  EXPECT_NE(PickWith(0), nullptr);
  EXPECT_EQ(reports.str(), "");
}

TEST_F(Window1AlertsTest, MissingFilesOrFolderMakeTheAlertsSilentWithoutAnException) {
  for (bool withFolder : {false, true}) {
    SCOPED_TRACE(withFolder ? "empty Resources folder" : "no Resources folder");
    ResetAlertSoundsForTesting();
    if (withFolder) fs::create_directories(bundle / "Contents" / "Resources");
    ASSERT_NO_THROW(OpenAllButtons());
    EXPECT_EQ(window->AlertSounds()[0], nullptr);
    EXPECT_EQ(window->AlertSounds()[1], nullptr);
  }
  EXPECT_EQ(reports.str(), "");
}

TEST_F(Window1AlertsTest, AtMostOneButtonIsLit) {
  auto click = [&](int32_t index) {  // a click: the toggle flips, then Action runs
    auto button = window->AlertButton(index);
    button->Value(!button->Value());
    window->AlertButton_Action(button);
  };
  auto lit = [&] {
    std::string states;
    for (int32_t i = 0; i < 3; ++i) states += window->AlertButton(i)->Value() ? '1' : '0';
    return states;
  };
  EXPECT_EQ(lit(), "000");
  click(0);
  EXPECT_EQ(lit(), "100");
  click(1);
  EXPECT_EQ(lit(), "010");
  click(2);
  EXPECT_EQ(lit(), "001");
  click(2);
  EXPECT_EQ(lit(), "000");
  // A click changes nothing of the playback state.
  EXPECT_EQ(window->CurrentSound(), nullptr);
  EXPECT_FALSE(window->CurrentPSA());
  EXPECT_EQ(window->PlayingLabel()->Text(), "...");
}

}  // namespace
