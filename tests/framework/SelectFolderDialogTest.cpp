// The folder dialog, driven as a user would: a timer finds the modal dialog once it is up,
// reads what it shows and answers it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <string>

#include "framework/EventLoop.h"
#include "framework/FolderItem.h"
#include "framework/SelectFolderDialog.h"
#include "framework/Testing.h"
#include "framework/Window.h"
#include "framework/qt/WindowImpl.h"

namespace {

struct Shown {
  bool seen = false;
  QString title;
  QString prompt;
  QString button;
  QString directory;
  bool promptAboveFolders = false;
  bool modal = false;
  bool timersHeld = false;
  QWidget* parent = nullptr;
};

// Clicks the dialog's button of that text.
void ClickButton(QFileDialog& folders, const QString& text) {
  for (QPushButton* button : folders.findChildren<QPushButton*>()) {
    if (button->text().remove('&') == text) {
      button->click();
      return;
    }
  }
  ADD_FAILURE() << "no button " << text.toStdString();
  folders.close();
}

// Waits for the modal dialog, records what it shows, then lets `answer` close it.
void AnswerWhenShown(Shown& shown, std::function<void(QFileDialog&)> answer) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, &shown, answer] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) return;
    poll->stop();
    poll->deleteLater();
    auto* folders = dialog->findChild<QFileDialog*>();
    auto* prompt = dialog->findChild<QLabel*>("prompt");
    shown.seen = folders && prompt;
    if (!shown.seen) {
      dialog->close();
      return;
    }
    shown.title = dialog->windowTitle();
    shown.prompt = prompt->text();
    shown.button = folders->labelText(QFileDialog::Accept);
    shown.directory = folders->directory().absolutePath();
    shown.promptAboveFolders =
        prompt->isVisible() && prompt->geometry().bottom() < folders->geometry().top();
    shown.modal = dialog->isModal();
    shown.timersHeld = RuntimeModalActive();
    shown.parent = dialog->parentWidget();
    answer(*folders);
  });
  poll->start(10);
}

class SelectFolderDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/lumivox-dialog-XXXXXX";
    root_ = mkdtemp(pattern);
    ASSERT_EQ(mkdir((root_ + "/Desktop").c_str(), 0755), 0);
    ASSERT_EQ(mkdir((root_ + "/chosen folder").c_str(), 0755), 0);
  }
  void TearDown() override { std::system(("rm -rf '" + root_ + "'").c_str()); }

  std::shared_ptr<SelectFolderDialog> NewDialog() {
    auto dialog = window_->New<SelectFolderDialog>();
    dialog->ActionButtonCaption = "Select";
    dialog->Title = "Find Music";
    dialog->PromptText = "Please select the folder which contains the PSA messages";
    dialog->InitialDirectory = std::make_shared<FolderItem>(root_ + "/Desktop");
    return dialog;
  }

  std::string root_;
  std::shared_ptr<Window> window_ = std::make_shared<Window>();
};

TEST_F(SelectFolderDialogTest, ShowsItsTextsOverTheInitialFolderAndGivesTheChosenFolder) {
  auto dialog = NewDialog();
  Shown shown;
  const QString chosen = QFile::decodeName((root_ + "/chosen folder").c_str());
  AnswerWhenShown(shown, [chosen](QFileDialog& folders) {
    // Opening the folder, rather than selecting it in its parent, needs no wait for the
    // view's background listing of the parent.
    folders.setDirectory(chosen);
    ClickButton(folders, folders.labelText(QFileDialog::Accept));
  });
  std::shared_ptr<FolderItem> result = dialog->ShowModal();

  ASSERT_TRUE(shown.seen);
  EXPECT_EQ(shown.title, "Find Music");
  EXPECT_EQ(shown.button, "Select");
  EXPECT_EQ(shown.prompt, "Please select the folder which contains the PSA messages");
  EXPECT_TRUE(shown.promptAboveFolders);
  EXPECT_EQ(shown.directory, QFile::decodeName((root_ + "/Desktop").c_str()));
  EXPECT_TRUE(shown.modal);
  EXPECT_TRUE(shown.timersHeld);
  EXPECT_EQ(shown.parent, WindowAccess::Of(*window_).frame.get());
  EXPECT_FALSE(RuntimeModalActive());
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->NativePath(), root_ + "/chosen folder");
  EXPECT_TRUE(result->Directory());
}

TEST_F(SelectFolderDialogTest, CancellingGivesNull) {
  auto dialog = NewDialog();
  Shown shown;
  AnswerWhenShown(shown, [](QFileDialog& folders) { ClickButton(folders, "Cancel"); });
  EXPECT_EQ(dialog->ShowModal(), nullptr);
  EXPECT_TRUE(shown.seen);
  EXPECT_FALSE(RuntimeModalActive());
}

TEST_F(SelectFolderDialogTest, ATestResponderAnswersInsideTheModalSession) {
  auto dialog = NewDialog();
  auto answer = std::make_shared<FolderItem>(root_ + "/chosen folder");
  std::string seenPrompt;
  bool held = false;
  SetSelectFolderResponderForTesting([&](const SelectFolderDialog& asked) {
    seenPrompt = asked.PromptText;
    held = RuntimeModalActive();
    return answer;
  });
  EXPECT_EQ(dialog->ShowModal(), answer);
  SetSelectFolderResponderForTesting(nullptr);
  EXPECT_EQ(seenPrompt, "Please select the folder which contains the PSA messages");
  EXPECT_TRUE(held);
  EXPECT_FALSE(RuntimeModalActive());
}

}  // namespace
