#include "app/MenuBar1.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Testing.h"
#include "framework/Exceptions.h"

namespace {

struct Row {
  std::string name, text, shortcut;
};

const std::vector<Row> kEditMenu = {
    {"EditUndo", "&Undo", "Cmd+Z"},   {"UntitledMenu1", "-", ""},
    {"EditCut", "Cu&t", "Cmd+X"},     {"EditCopy", "&Copy", "Cmd+C"},
    {"EditPaste", "&Paste", "Cmd+V"}, {"EditClear", "&Delete", ""},
    {"UntitledMenu0", "-", ""},       {"EditSelectAll", "Select &All", "Cmd+A"},
};

class MenuBar1Test : public ::testing::Test {
 protected:
  void TearDown() override {
    SetMenuItemCreatedHookForTesting(nullptr);
    MenuBar1::ReleaseInstance();
  }
};

TEST_F(MenuBar1Test, BuildsFileThenEditWithTheirItems) {
  auto bar = MenuBar1::Instance();
  ASSERT_EQ(bar->Count(), 2);
  auto file = bar->Item(0);
  auto edit = bar->Item(1);
  EXPECT_EQ(file->Name(), "FileMenu");
  EXPECT_EQ(file->Text(), "&File");
  EXPECT_EQ(file->KeyboardShortcut(), "");
  EXPECT_EQ(edit->Name(), "EditMenu");
  EXPECT_EQ(edit->Text(), "&Edit");
  EXPECT_EQ(edit->KeyboardShortcut(), "");

  ASSERT_EQ(file->Count(), 1);
  auto quit = file->Item(0);
  EXPECT_NE(Cast<QuitMenuItem>(quit), nullptr);
  EXPECT_EQ(quit->Name(), "FileQuit");
  EXPECT_EQ(quit->Text(), "&Quit");
  EXPECT_EQ(quit->KeyboardShortcut(), "Cmd+Q");

  ASSERT_EQ(edit->Count(), static_cast<int32_t>(kEditMenu.size()));
  for (size_t i = 0; i < kEditMenu.size(); ++i) {
    auto item = edit->Item(static_cast<int32_t>(i));
    SCOPED_TRACE(kEditMenu[i].name);
    EXPECT_EQ(item->Name(), kEditMenu[i].name);
    EXPECT_EQ(item->Text(), kEditMenu[i].text);
    EXPECT_EQ(item->KeyboardShortcut(), kEditMenu[i].shortcut);
    EXPECT_TRUE(item->AutoEnable());
    EXPECT_EQ(Cast<QuitMenuItem>(item), nullptr);
    EXPECT_EQ(item->IsSeparator(), kEditMenu[i].text == "-");
  }
}

TEST_F(MenuBar1Test, SecondCallGivesTheSameBarWithoutDoublingItems) {
  auto first = MenuBar1::Instance();
  auto second = MenuBar1::Instance();
  EXPECT_EQ(first, second);
  EXPECT_EQ(second->Child("EditMenu")->Count(), 8);
}

TEST_F(MenuBar1Test, LookupFindsItemsInsideMenus) {
  auto bar = MenuBar1::Instance();
  EXPECT_EQ(bar->Child("EditUndo"), nullptr);  // not a direct child
  auto undo = bar->Lookup("EditUndo");
  ASSERT_NE(undo, nullptr);
  EXPECT_EQ(undo, bar->Child("EditMenu")->Item(0));
  EXPECT_EQ(bar->Lookup("NoSuchItem"), nullptr);
}

TEST_F(MenuBar1Test, FailedBuildLeavesNoInstanceAndTheNextCallBuildsItAll) {
  SetMenuItemCreatedHookForTesting([](MenuItem& item) {
    if (item.Name() == "EditCopy") throw NilObjectException("injected");
  });
  EXPECT_THROW(MenuBar1::Instance(), NilObjectException);
  SetMenuItemCreatedHookForTesting(nullptr);
  auto bar = MenuBar1::Instance();
  ASSERT_EQ(bar->Count(), 2);
  EXPECT_EQ(bar->Child("FileMenu")->Count(), 1);
  EXPECT_EQ(bar->Child("EditMenu")->Count(), 8);
}

}  // namespace
