// A modal dialog that asks the user for a folder. While it is up, timers raise no Action.
// Created for a window (Window::New), it shows over that window; the window is held weakly.
#pragma once

#include <memory>
#include <string>

#include "framework/Object.h"

class FolderItem;

class SelectFolderDialog : public Object {
 public:
  SelectFolderDialog();
  ~SelectFolderDialog() override;

  // The text of the button that chooses the folder; empty: the platform's own.
  std::string ActionButtonCaption;
  std::string Title;
  // Shown in the dialog above the folder view.
  std::string PromptText;
  // The folder the dialog starts in; null: the working directory.
  std::shared_ptr<FolderItem> InitialDirectory;

  // Shows the dialog and waits for the answer: the chosen folder, or null when cancelled.
  std::shared_ptr<FolderItem> ShowModal();

  void CreatedFor(const std::shared_ptr<class Window>& window) override;

 protected:
  std::string ClassNameForMessages() const override;

 private:
  std::weak_ptr<class Window> window_;
};
