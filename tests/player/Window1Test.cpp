// The main window's class: its stored properties, its shared menu bar, its menu-item
// accessors and its playback state before any control opens.
#include "player/Window1.h"

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QMenuBar>

#include "app/Main.h"
#include "app/MenuBar1.h"
#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/MenuItem.h"
#include "framework/qt/WindowImpl.h"
#include "tests/support/WindowFixture.h"

#include <unistd.h>

#include <filesystem>

namespace {

class Window1Test : public ::testing::Test {
 protected:
  void SetUp() override { window = std::make_shared<Window1>(); }
  void TearDown() override {
    window.reset();
    RuntimeRegisterAppObject(nullptr);
    MenuBar1::ReleaseInstance();
  }
  std::shared_ptr<Window1> window;
};

TEST_F(Window1Test, StartsWithEmptyPlaybackState) {
  EXPECT_EQ(window->CurrentSound(), nullptr);
  EXPECT_FALSE(window->CurrentPSA());
  ASSERT_EQ(window->AlertSounds().size(), 3u);
  for (const auto& slot : window->AlertSounds()) EXPECT_EQ(slot, nullptr);
}

TEST_F(Window1Test, LayoutAppliesTheStoredProperties) {
  window->Layout();
  EXPECT_EQ(window->Title(), "Lumivox");
  EXPECT_EQ(window->Width(), 800);
  EXPECT_EQ(window->Height(), 480);
  EXPECT_EQ(window->MinWidth(), 640);
  EXPECT_EQ(window->MinHeight(), 400);
  EXPECT_EQ(window->MaxWidth(), 32000);
  EXPECT_EQ(window->MaxHeight(), 32000);
  EXPECT_TRUE(window->CloseButton());
  EXPECT_TRUE(window->MinimizeButton());
  EXPECT_FALSE(window->MaximizeButton());
  EXPECT_TRUE(window->Resizeable());
  EXPECT_FALSE(window->FullScreen());
  EXPECT_TRUE(window->Visible());

  // The Qt frame shows what the properties say.
  QMainWindow& frame = *WindowAccess::Of(*window).frame;
  EXPECT_EQ(frame.windowTitle(), "Lumivox");
  EXPECT_TRUE(frame.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(frame.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(frame.windowFlags() & Qt::WindowMaximizeButtonHint);
  frame.show();
  window->Resize(100, 100);
  EXPECT_EQ(window->Width(), 640);
  EXPECT_EQ(window->Height(), 400);
  window->Resize(40000, 40000);
  EXPECT_EQ(window->Width(), 32000);
  EXPECT_EQ(window->Height(), 32000);
  frame.hide();
}

TEST_F(Window1Test, SharesTheApplicationsMenuBar) {
  NewAppInstance();
  window->Layout();
  ASSERT_NE(window->MenuBar(), nullptr);
  EXPECT_EQ(window->MenuBar(), RuntimeApplication()->MenuBar());
  EXPECT_EQ(window->MenuBar(), MenuBar1::Instance());
  // The frame shows File then Edit.
  QList<QAction*> menus = WindowAccess::Of(*window).frame->menuBar()->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), "&File");
  EXPECT_EQ(menus[1]->text(), "&Edit");
}

TEST_F(Window1Test, MenuItemAccessorsFindItemsAtAnyDepth) {
  window->Layout();
  auto bar = window->MenuBar();
  EXPECT_EQ(window->EditUndo(), bar->Child("EditMenu")->Child("EditUndo"));
  EXPECT_EQ(window->EditClear()->Text(), "&Delete");
  EXPECT_EQ(window->FileQuit(), bar->Child("FileMenu")->Child("FileQuit"));
  EXPECT_NE(window->FileQuit(), nullptr);
  EXPECT_EQ(window->FileMenu(), bar->Child("FileMenu"));
}

TEST_F(Window1Test, MenuItemAccessorsRaiseWithoutAMenuBar) {
  using Accessor = std::shared_ptr<MenuItem> (Window1::*)();
  const Accessor accessors[] = {&Window1::EditMenu,      &Window1::EditSelectAll,
                                &Window1::UntitledMenu0, &Window1::EditClear,
                                &Window1::EditPaste,     &Window1::EditCopy,
                                &Window1::EditCut,       &Window1::UntitledMenu1,
                                &Window1::EditUndo,      &Window1::FileMenu};
  for (Accessor accessor : accessors) {
    EXPECT_THROW(((*window).*accessor)(), NilObjectException);
  }
  EXPECT_THROW(window->FileQuit(), NilObjectException);
}

TEST(Window1InstanceTest, GivesTheOpenWindowOrConstructsOne) {
  // Both folders present, so the lists fill without asking.
  namespace fs = std::filesystem;
  fs::path folder = fs::temp_directory_path() / ("lumivox-instance-" + std::to_string(getpid()));
  fs::create_directories(folder / "music");
  fs::create_directories(folder / "PSAs");
  fs::path previous = fs::current_path();
  fs::current_path(folder);
  KeepApplicationOpen();

  std::shared_ptr<Window1> first = Window1::Instance();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(Window1::Instance(), first);
  EXPECT_EQ(first->Title(), "Lumivox");
  std::weak_ptr<Window1> gone = first;
  EXPECT_TRUE(CloseAndRelease(first));
  EXPECT_TRUE(gone.expired());
  std::shared_ptr<Window1> second = Window1::Instance();
  EXPECT_NE(second, nullptr);
  EXPECT_TRUE(CloseAndRelease(second));

  fs::current_path(previous);
  fs::remove_all(folder);
  MenuBar1::ReleaseInstance();
}

}  // namespace
