// A window's Qt menus built from its menu tree: captions, shortcuts, separators, and the
// standard Edit commands, which act on the focused widget and are enabled only where it can
// do them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "framework/MenuItem.h"
#include "framework/qt/WindowImpl.h"
#include "tests/support/WindowFixture.h"

namespace {

std::shared_ptr<MenuItem> Item(const std::string& name, const std::string& text,
                               const std::string& shortcut = "") {
  auto item = std::make_shared<MenuItem>();
  item->Name(name);
  item->Text(text);
  item->KeyboardShortcut(shortcut);
  return item;
}

class MenuBuilderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto bar = std::make_shared<MenuBar>();
    auto edit = Item("EditMenu", "&Edit");
    edit->Append(Item("EditUndo", "&Undo", "Cmd+Z"));
    edit->Append(Item("UntitledMenu1", "-"));
    edit->Append(Item("EditCopy", "&Copy", "Cmd+C"));
    edit->Append(Item("EditSelectAll", "Select &All", "Cmd+A"));
    bar->Append(edit);
    window = MakeBareWindow();
    window->MenuBar(bar);
    QMenu* menu = WindowAccess::Of(*window).frame->menuBar()->actions().at(0)->menu();
    actions = menu->actions();
    line = new QLineEdit(ContentWidget(*window));
    line->show();
  }
  void TearDown() override { EXPECT_TRUE(CloseAndRelease(window)); }

  // Shows the menu's enabled states as they are when the menu opens.
  void Refresh() {
    emit WindowAccess::Of(*window).frame->menuBar()->actions().at(0)->menu()->aboutToShow();
  }

  std::shared_ptr<Window> window;
  QList<QAction*> actions;
  QLineEdit* line = nullptr;
};

TEST_F(MenuBuilderTest, CaptionsShortcutsAndSeparators) {
  ASSERT_EQ(actions.size(), 4);
  EXPECT_EQ(actions[0]->text(), "&Undo");
  EXPECT_EQ(actions[0]->shortcut(), QKeySequence("Ctrl+Z"));
  EXPECT_TRUE(actions[1]->isSeparator());
  EXPECT_EQ(actions[3]->shortcut(), QKeySequence("Ctrl+A"));
}

TEST_F(MenuBuilderTest, EditCommandsFollowTheFocusedWidget) {
  WindowAccess::Of(*window).frame->activateWindow();
  line->setFocus();
  QApplication::processEvents();
  if (QApplication::focusWidget() != line) GTEST_SKIP() << "no keyboard focus on this platform";
  Refresh();
  EXPECT_FALSE(actions[2]->isEnabled());  // nothing selected: nothing to copy
  EXPECT_FALSE(actions[3]->isEnabled());  // nothing to select

  line->setText("announcement");
  Refresh();
  ASSERT_TRUE(actions[3]->isEnabled());
  actions[3]->trigger();
  EXPECT_EQ(line->selectedText(), "announcement");
  Refresh();
  EXPECT_TRUE(actions[2]->isEnabled());

  line->clearFocus();
  Refresh();
  EXPECT_FALSE(actions[2]->isEnabled());
  EXPECT_FALSE(actions[3]->isEnabled());
}

}  // namespace
