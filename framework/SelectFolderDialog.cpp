#include "framework/SelectFolderDialog.h"

#include "framework/EventLoop.h"
#include "framework/qt/FolderDialog.h"

namespace {

// Timers hold back from the start of the session to its end, however it ends.
class ModalSession {
 public:
  ModalSession() { RuntimeBeginModal(); }
  ~ModalSession() { RuntimeEndModal(); }
  ModalSession(const ModalSession&) = delete;
  ModalSession& operator=(const ModalSession&) = delete;
};

}  // namespace

SelectFolderDialog::SelectFolderDialog() = default;
SelectFolderDialog::~SelectFolderDialog() = default;

void SelectFolderDialog::CreatedFor(const std::shared_ptr<Window>& window) {
  window_ = window;
}

std::string SelectFolderDialog::ClassNameForMessages() const {
  return "SelectFolderDialog";
}

std::shared_ptr<FolderItem> SelectFolderDialog::ShowModal() {
  ModalSession session;
  return AskForFolder(*this, window_);
}
