// The rotation: strict turns between the PSA list and the music list, PSA first, a uniformly
// random row each turn; an empty list passes its turn; a bad file plays nothing.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "framework/BevelButton.h"
#include "framework/Exceptions.h"
#include "framework/FolderItem.h"
#include "framework/Label.h"
#include "framework/Listbox.h"
#include "framework/Rnd.h"
#include "framework/Sound.h"
#include "framework/runtime/Reporter.h"
#include "player/Window1.h"
#include "tests/support/Fixtures.h"
#include "tests/support/WindowFixture.h"

namespace {

class Window1RotationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RndSeed(20261210);
    SetReportStream(&reports);
    window = std::make_shared<Window1>();
    window->Layout();
    window->CreateControls();  // the controls, without their Open events: lists stay empty
  }
  void TearDown() override {
    SetReportStream(nullptr);
    EXPECT_TRUE(CloseAndRelease(window));
  }

  // Adds rows named prefix-0.mp3 … whose items are `file` (a fixture, or a missing path).
  static void Fill(Listbox& list, const std::string& prefix, int rows, const std::string& file) {
    for (int i = 0; i < rows; ++i) {
      list.AddRow(prefix + "-" + std::to_string(i) + ".mp3");
      list.RowTag(list.LastIndex(), std::make_shared<FolderItem>(file));
    }
  }
  std::string Playing() { return window->PlayingLabel()->Text(); }

  std::ostringstream reports;
  std::shared_ptr<Window1> window;
};

TEST_F(Window1RotationTest, AlternatesStrictlyFromThePSAListFailedPicksIncluded) {
  Fill(*window->PSAList(), "psa", 5, FixturePath("missing.mp3").string());  // every PSA pick fails
  Fill(*window->MusicList(), "music", 5, FixturePath("tone-440.mp3").string());
  for (int pick = 0; pick < 8; ++pick) {
    bool psaTurn = pick % 2 == 0;
    std::shared_ptr<Sound> sound = window->PickNextTrack();
    std::shared_ptr<Listbox> list = psaTurn ? window->PSAList() : window->MusicList();
    SCOPED_TRACE(pick);
    EXPECT_EQ(Playing().rfind(psaTurn ? "psa-" : "music-", 0), 0u) << Playing();
    // The row named is the row selected in that list.
    ASSERT_GE(list->ListIndex(), 0);
    EXPECT_EQ(list->Cell(list->ListIndex(), 0), Playing());
    EXPECT_EQ(sound == nullptr, psaTurn);
    EXPECT_EQ(window->CurrentPSA(), psaTurn);
  }
  EXPECT_EQ(reports.str(), "");
}

TEST_F(Window1RotationTest, DeletedFileIsNamedForOneTickThenTheOtherListPlays) {
  Fill(*window->PSAList(), "psa", 1, FixturePath("deleted-since.mp3").string());
  Fill(*window->MusicList(), "music", 1, FixturePath("tone-880-1s.mp3").string());
  window->CheckNextTrack();
  EXPECT_EQ(Playing(), "psa-0.mp3");
  EXPECT_EQ(window->PSAList()->ListIndex(), 0);
  EXPECT_EQ(window->CurrentSound(), nullptr);

  window->CheckNextTrack();
  EXPECT_EQ(Playing(), "music-0.mp3");
  ASSERT_NE(window->CurrentSound(), nullptr);
  EXPECT_TRUE(window->CurrentSound()->IsPlaying());

  // While it plays, a tick picks nothing.
  window->PlayingLabel()->Text("unchanged");
  window->CheckNextTrack();
  EXPECT_EQ(Playing(), "unchanged");
  EXPECT_EQ(reports.str(), "");
}

TEST_F(Window1RotationTest, EmptyListPassesItsTurnWithoutAnException) {
  Fill(*window->MusicList(), "music", 3, FixturePath("tone-440.mp3").string());
  for (int pick = 0; pick < 6; ++pick) {
    SCOPED_TRACE(pick);
    std::string before = Playing();
    std::shared_ptr<Sound> sound;
    ASSERT_NO_THROW(sound = window->PickNextTrack());
    if (pick % 2 == 0) {  // the empty PSA list's turn
      EXPECT_EQ(sound, nullptr);
      EXPECT_EQ(Playing(), before);
      EXPECT_EQ(window->PSAList()->ListIndex(), -1);
    } else {
      EXPECT_NE(sound, nullptr);
      EXPECT_EQ(Playing().rfind("music-", 0), 0u);
    }
  }
  EXPECT_EQ(reports.str(), "");
}

TEST_F(Window1RotationTest, BothListsEmptyPlayNothingAndReportNothing) {
  for (int tick = 0; tick < 50; ++tick) ASSERT_NO_THROW(window->CheckNextTrack());
  EXPECT_EQ(window->CurrentSound(), nullptr);
  EXPECT_EQ(Playing(), "...");
  EXPECT_EQ(reports.str(), "");
}

TEST_F(Window1RotationTest, TurnPassesEvenWhenThePickFails) {
  window->PSAList()->AddRow("untagged.mp3");  // a row without an item
  EXPECT_THROW(window->PickNextTrack(), NilObjectException);
  EXPECT_TRUE(window->CurrentPSA());
  EXPECT_EQ(Playing(), "untagged.mp3");
}

TEST_F(Window1RotationTest, DrawsRowsUniformlyFromLongLists) {
  constexpr int kRows = 1500;
  constexpr int kDraws = 150000;
  // Missing files: every pick selects a row and opens nothing.
  Fill(*window->PSAList(), "psa", kRows, "/nonexistent/x.mp3");
  Fill(*window->MusicList(), "music", 1, "/nonexistent/x.mp3");
  std::vector<int> counts(kRows, 0);
  for (int i = 0; i < kDraws; ++i) {
    window->PickNextTrack();  // PSA
    ++counts[static_cast<size_t>(window->PSAList()->ListIndex())];
    window->PickNextTrack();  // music
  }
  double expected = static_cast<double>(kDraws) / kRows, chiSquare = 0;
  for (int count : counts) {
    EXPECT_GT(count, 0);
    chiSquare += (count - expected) * (count - expected) / expected;
  }
  // 1499 degrees of freedom: the 0.1 % critical value is about 1680.
  EXPECT_LT(chiSquare, 1680.0);
  EXPECT_GT(counts[kRows - 1] + counts[1200] + counts[1000], 0);
}

TEST_F(Window1RotationTest, LitAlertOverridesTheRotationAndHandsTheTurnToMusic) {
  Fill(*window->PSAList(), "psa", 2, FixturePath("tone-440.mp3").string());
  Fill(*window->MusicList(), "music", 2, FixturePath("tone-660.mp3").string());
  window->AlertButton(2)->Value(true);  // "--": silence
  for (int tick = 0; tick < 3; ++tick) {
    EXPECT_EQ(window->PickNextTrack(), nullptr);
    EXPECT_EQ(Playing(), "--");
    EXPECT_TRUE(window->CurrentPSA());
  }
  EXPECT_EQ(window->PSAList()->ListIndex(), -1);  // an alert pick selects nothing
  window->AlertButton(1)->Value(true);            // two lit: the lower index wins
  window->PickNextTrack();
  EXPECT_EQ(Playing(), "Gate Closed");
  window->AlertButton(1)->Value(false);
  window->AlertButton(2)->Value(false);
  EXPECT_NE(window->PickNextTrack(), nullptr);
  EXPECT_EQ(Playing().rfind("music-", 0), 0u);
}

}  // namespace
