// A modal dialog that asks the user for a folder. While it is up, timers raise no Action.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/Object.h"

class FolderItem;

class SelectFolderDialog : public Object {
 public:
  SelectFolderDialog();
  ~SelectFolderDialog() override;

  std::string ActionButtonCaption;
  std::string Title;
  // Shown in the dialog above the folder view.
  std::string PromptText;
  std::shared_ptr<FolderItem> InitialDirectory;

  // Shows the dialog and waits for the answer: the chosen folder, or null when cancelled.
  std::shared_ptr<FolderItem> ShowModal();

  // Tests answer dialogs programmatically: while set, ShowModal does not show anything and
  // gives what the responder returns for the dialog.
  using Responder = std::function<std::shared_ptr<FolderItem>(const SelectFolderDialog&)>;
  static void SetTestResponder(Responder responder);
};
