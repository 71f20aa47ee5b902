// The playlists: which items of a folder become rows, the question for a missing folder and
// what follows each answer, and the shading of every other row on the painted list.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QImage>
#include <QMainWindow>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/MenuBar1.h"
#include "framework/EventLoop.h"
#include "framework/FolderItem.h"
#include "framework/Graphics.h"
#include "framework/Listbox.h"
#include "framework/Runtime.h"
#include "framework/SelectFolderDialog.h"
#include "framework/SpecialFolder.h"
#include "framework/Testing.h"
#include "framework/qt/RectControlImpl.h"
#include "framework/qt/WindowImpl.h"
#include "framework/runtime/Reporter.h"
#include "player/Window1.h"
#include "tests/support/AsNobody.h"
#include "tests/support/WindowFixture.h"

namespace {

const char kMusicPrompt[] = "Please select the folder which contains the music";
const char kPSAPrompt[] = "Please select the folder which contains the PSA messages";

struct Asked {
  std::string caption;
  std::string title;
  std::string prompt;
  std::string initialDirectory;
};

// A window with its controls (their Open events not raised), started in a fresh working
// directory; dialogs are answered by `answer` and recorded.
class Window1PlaylistsTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/lumivox-playlists-XXXXXX";
    root_ = mkdtemp(pattern);
    chmod(root_.c_str(), 0755);
    previous_ = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(root_.c_str()), 0);
    SetReportStream(&reports_);
    SetSelectFolderResponderForTesting([this](const SelectFolderDialog& dialog) {
      asked_.push_back(
          {dialog.ActionButtonCaption, dialog.Title, dialog.PromptText,
           dialog.InitialDirectory ? dialog.InitialDirectory->NativePath() : "(null)"});
      return answer_;
    });
    window_ = NewWindow();
  }
  void TearDown() override {
    EXPECT_TRUE(CloseAndRelease(window_));
    SetSelectFolderResponderForTesting(nullptr);
    SetReportStream(nullptr);
    MenuBar1::ReleaseInstance();
    if (previous_) {
      EXPECT_EQ(chdir(previous_), 0);
      std::free(previous_);
    }
    std::system(("chmod -R u+rwx '" + root_ + "'; rm -rf '" + root_ + "'").c_str());
  }

  static std::shared_ptr<Window1> NewWindow() {
    auto window = std::make_shared<Window1>();
    window->Layout();
    window->CreateControls();
    return window;
  }
  std::string Folder(const std::string& name) {
    const std::string path = root_ + "/" + name;
    EXPECT_EQ(mkdir(path.c_str(), 0755), 0) << path;
    return path;
  }
  static void File(const std::string& path) {
    const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    EXPECT_GE(fd, 0) << path;
    if (fd >= 0) close(fd);
  }
  static std::vector<std::string> Rows(Listbox& list) {
    std::vector<std::string> rows;
    for (int32_t row = 0; row < list.ListCount(); ++row) rows.push_back(list.Cell(row, 0));
    return rows;
  }
  // Every row is tagged with the item of its name in the folder.
  static void ExpectTaggedWithItsItem(Listbox& list, const std::string& folder) {
    for (int32_t row = 0; row < list.ListCount(); ++row) {
      auto item = Cast<FolderItem>(list.RowTag(row));
      ASSERT_NE(item, nullptr) << "row " << row;
      EXPECT_EQ(item->Name(), list.Cell(row, 0));
      EXPECT_EQ(item->NativePath(), folder + "/" + list.Cell(row, 0));
      EXPECT_TRUE(item->Exists());
    }
  }

  std::string root_;
  char* previous_ = nullptr;
  std::ostringstream reports_;
  std::vector<Asked> asked_;
  std::shared_ptr<FolderItem> answer_;
  std::shared_ptr<Window1> window_;
};

TEST_F(Window1PlaylistsTest, TheMusicFolderGivesOneRowPerMp3ItemInFolderOrder) {
  const std::string music = Folder("music");
  for (const char* name : {"c.mp3", "b.txt", "a.mp3"}) File(music + "/" + name);
  window_->MusicList()->RaiseOpen();
  auto list = window_->MusicList();
  EXPECT_EQ(Rows(*list), (std::vector<std::string>{"a.mp3", "c.mp3"}));
  ExpectTaggedWithItsItem(*list, music);
  EXPECT_NE(list->RowTag(0), list->RowTag(1));
  EXPECT_TRUE(asked_.empty());
  EXPECT_EQ(window_->PSAList()->ListCount(), 0) << "the other list fills on its own Open";
  EXPECT_EQ(reports_.str(), "");
}

TEST_F(Window1PlaylistsTest, OnlyNamesEndingInMp3InAnyCaseAreAdded) {
  const std::string music = Folder("music");
  struct Case {
    const char* name;
    bool folder;
    bool added;
  };
  const Case cases[] = {
      {"song.mp3.txt", false, false},
      {"song.mp4", false, false},
      {"song.mp", false, false},
      {"mp3", false, false},
      {"\xFFmp3", false, false},  // four characters, none a dot
      {".mp3", false, true},
      {"SONG.MP3", false, true},
      {"Mixed.Mp3", false, true},
      {".hidden.mp3", false, true},
      {"x.mp3", true, true},  // a folder is added like a file
      {"line\nbreak \"quoted\".mp3", false, true},
      {"\xFF\xFE not utf-8.mp3", false, true},
      {"\xE6\x97\xA5\xE6\x9C\xAC.mp3", false, true},
      {"empty.mp3", false, true},
  };
  std::vector<std::string> expected;
  for (const Case& c : cases) {
    const std::string path = music + "/" + c.name;
    if (c.folder) {
      ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    } else {
      File(path);
    }
  }
  // The rows follow the folder's order.
  const FolderItem folder(music);
  for (int32_t i = 1; i <= folder.Count(); ++i) {
    const std::string name = folder.Item(i)->Name();
    for (const Case& c : cases) {
      if (name == c.name && c.added) expected.push_back(name);
    }
  }
  ASSERT_EQ(expected.size(), 9u);

  window_->MusicList()->RaiseOpen();
  EXPECT_EQ(Rows(*window_->MusicList()), expected);
  ExpectTaggedWithItsItem(*window_->MusicList(), music);
  EXPECT_TRUE(asked_.empty());
  EXPECT_EQ(reports_.str(), "");
}

TEST_F(Window1PlaylistsTest, AFolderWithoutMp3ItemsOrAFileLeavesTheListEmptyWithoutAWord) {
  Folder("PSAs");
  File(root_ + "/PSAs/notes.txt");
  File(root_ + "/music");  // exists, but is a file
  testing::internal::CaptureStderr();
  window_->MusicList()->RaiseOpen();
  window_->PSAList()->RaiseOpen();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(window_->MusicList()->ListCount(), 0);
  EXPECT_EQ(window_->PSAList()->ListCount(), 0);
  EXPECT_TRUE(asked_.empty());
  EXPECT_EQ(reports_.str(), "");
  EXPECT_FALSE(RuntimeQuitRequested());
}

TEST_F(Window1PlaylistsTest, AnUnreadableFolderLeavesTheListEmptyAndSaysWhichFolder) {
  const std::string music = Folder("music");
  File(music + "/a.mp3");
  ASSERT_EQ(chmod(music.c_str(), 0), 0);
  testing::internal::CaptureStderr();
  {
    AsNobody nobody;
    window_->MusicList()->RaiseOpen();
  }
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(window_->MusicList()->ListCount(), 0);
  EXPECT_TRUE(asked_.empty()) << "the folder exists: no question";
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
  EXPECT_NE(errors.find(music), std::string::npos) << errors;
  EXPECT_EQ(reports_.str(), "");
}

TEST_F(Window1PlaylistsTest, AMissingFolderIsAskedForAndTheChosenFolderFillsTheList) {
  const std::string chosen = Folder("chosen PSAs");
  for (const char* name : {"b.mp3", "a.MP3", "c.wav"}) File(chosen + "/" + name);
  answer_ = std::make_shared<FolderItem>(chosen);

  window_->PSAList()->RaiseOpen();
  ASSERT_EQ(asked_.size(), 1u);
  EXPECT_EQ(asked_[0].caption, "Select");
  EXPECT_EQ(asked_[0].title, "Find Music");
  EXPECT_EQ(asked_[0].prompt, kPSAPrompt);
  ASSERT_NE(SpecialFolder::Desktop(), nullptr);
  EXPECT_EQ(asked_[0].initialDirectory, SpecialFolder::Desktop()->NativePath());
  EXPECT_EQ(Rows(*window_->PSAList()), (std::vector<std::string>{"a.MP3", "b.mp3"}));
  ExpectTaggedWithItsItem(*window_->PSAList(), chosen);
  EXPECT_FALSE(RuntimeModalActive());

  // The choice is kept nowhere: the next start asks again.
  auto next = NewWindow();
  next->PSAList()->RaiseOpen();
  EXPECT_EQ(asked_.size(), 2u);
  EXPECT_EQ(next->PSAList()->ListCount(), 2);
  EXPECT_FALSE(RuntimeQuitRequested());
}

TEST_F(Window1PlaylistsTest, TheMusicQuestionStartsInTheUsersMusicFolder) {
  answer_ = std::make_shared<FolderItem>(Folder("empty"));
  window_->MusicList()->RaiseOpen();
  ASSERT_EQ(asked_.size(), 1u) << "an empty chosen folder brings no second question";
  EXPECT_EQ(asked_[0].prompt, kMusicPrompt);
  ASSERT_NE(SpecialFolder::Music(), nullptr);
  EXPECT_EQ(asked_[0].initialDirectory, SpecialFolder::Music()->NativePath());
  EXPECT_EQ(window_->MusicList()->ListCount(), 0);

  // A null folder is asked for too.
  window_->FillListWithMusic(window_->MusicList(), nullptr, "prompt", nullptr);
  ASSERT_EQ(asked_.size(), 2u);
  EXPECT_EQ(asked_[1].initialDirectory, "(null)");
  EXPECT_EQ(reports_.str(), "");
}

// A cancel ends the program: run in a child process, which the quit would leave unable to
// raise events.
TEST_F(Window1PlaylistsTest, CancellingQuitsWithStatusZeroAndLeavesTheListEmpty) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  File(root_ + "/stray.mp3");  // nothing of the working directory is taken instead
  EXPECT_EXIT(
      {
        window_->PSAList()->RaiseOpen();
        if (window_->PSAList()->ListCount() != 0) _exit(10);
        if (asked_.size() != 1) _exit(11);
        if (!RuntimeQuitRequested()) _exit(12);
        window_->MusicList()->RaiseOpen();  // dropped once the program quits
        if (asked_.size() != 1) _exit(13);
        RuntimeRun();  // returns at once
        _exit(RuntimeExit());
      },
      testing::ExitedWithCode(0), "");
}

TEST_F(Window1PlaylistsTest, EvenRowsAreShadedOverTheWholeCellAndEveryCallReturnsFalse) {
  auto frame = WindowAccess::Of(*window_).frame.get();
  frame->show();
  for (auto list : {window_->MusicList(), window_->PSAList()}) {
    const bool music = list == window_->MusicList();
    SCOPED_TRACE(music ? "MusicList" : "PSAList");
    for (int i = 0; i < 5; ++i) list->AddRow("row " + std::to_string(i));
    std::vector<int32_t> rowsPainted;
    bool anyTrue = false;
    std::weak_ptr<Window1> weak = window_;
    list->CellBackgroundPaint.Connect([&, weak, music](std::shared_ptr<Listbox> sender,
                                                       std::shared_ptr<Graphics> g, int32_t row,
                                                       int32_t column) {
      auto window = weak.lock();
      const bool result = music ? window->MusicList_CellBackgroundPaint(sender, g, row, column)
                                : window->PSAList_CellBackgroundPaint(sender, g, row, column);
      rowsPainted.push_back(row);
      anyTrue = anyTrue || result;
      if (row % 2 == 0) {
        EXPECT_EQ(g->ForeColor(), Color::FromHex(0xF7F7F7));
      }
      return result;
    });

    auto* view = qobject_cast<QAbstractItemView*>(ControlWidget(*list));
    ASSERT_NE(view, nullptr);
    view->doItemsLayout();  // the view lays its rows out lazily, on the next event loop turn
    const QImage image = view->viewport()->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    const QColor grey(0xF7, 0xF7, 0xF7);
    const QColor base = view->viewport()->palette().color(QPalette::Base);
    ASSERT_NE(base, grey);
    for (int32_t row = 0; row < 5; ++row) {
      SCOPED_TRACE(row);
      const QRect cell = view->visualRect(view->model()->index(row, 0));
      ASSERT_FALSE(cell.isEmpty());
      const QColor expected = row % 2 == 0 ? grey : base;
      // The corners and the right-hand middle, where no text is drawn.
      for (const QPoint& p : {cell.topLeft(), cell.topRight(), cell.bottomLeft(),
                              cell.bottomRight(), QPoint(cell.right(), cell.center().y())}) {
        EXPECT_EQ(image.pixelColor((QPointF(p) * scale).toPoint()), expected)
            << "at " << p.x() << "," << p.y();
      }
    }
    // Below the last row, the list's own background.
    const QRect last = view->visualRect(view->model()->index(4, 0));
    EXPECT_EQ(image.pixelColor((QPointF(last.right(), last.bottom() + 3) * scale).toPoint()), base);
    for (int32_t row = 0; row < 5; ++row) {
      EXPECT_NE(std::find(rowsPainted.begin(), rowsPainted.end(), row), rowsPainted.end());
    }
    EXPECT_FALSE(anyTrue);
    list->CellBackgroundPaint.Connect(nullptr);  // the recorder's locals go with this turn
  }
  EXPECT_EQ(reports_.str(), "");
}

}  // namespace
