#include "framework/SelectFolderDialog.h"

#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QVBoxLayout>

#include "framework/EventLoop.h"
#include "framework/Exceptions.h"
#include "framework/FolderItem.h"
#include "framework/Runtime.h"
#include "framework/qt/WindowImpl.h"

namespace {

SelectFolderDialog::Responder& TestResponder() {
  static SelectFolderDialog::Responder responder;
  return responder;
}

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

void SelectFolderDialog::SetTestResponder(Responder responder) {
  TestResponder() = std::move(responder);
}

void SelectFolderDialog::CreatedFor(const std::shared_ptr<Window>& window) {
  window_ = window;
}

std::string SelectFolderDialog::ClassNameForMessages() const {
  return "SelectFolderDialog";
}

std::shared_ptr<FolderItem> SelectFolderDialog::ShowModal() {
  ModalSession session;
  if (TestResponder()) return TestResponder()(*this);
  if (!RuntimeIsInitialized()) throw RuntimeException("the runtime is not initialised");

  QWidget* parent = nullptr;
  if (std::shared_ptr<Window> window = window_.lock())
    parent = WindowAccess::Of(*window).frame.get();

  // A dialog of our own around Qt's folder view, so that the prompt stands above it.
  QDialog dialog(parent);
  dialog.setObjectName("SelectFolderDialog");
  dialog.setWindowTitle(QString::fromUtf8(Title.data(), static_cast<qsizetype>(Title.size())));
  auto* layout = new QVBoxLayout(&dialog);
  auto* prompt = new QLabel(
      QString::fromUtf8(PromptText.data(), static_cast<qsizetype>(PromptText.size())), &dialog);
  prompt->setObjectName("prompt");
  prompt->setWordWrap(true);
  layout->addWidget(prompt);

  auto* folders = new QFileDialog(&dialog);
  folders->setObjectName("folders");
  folders->setWindowFlags(Qt::Widget);
  folders->setOption(QFileDialog::DontUseNativeDialog, true);
  folders->setFileMode(QFileDialog::Directory);
  folders->setOption(QFileDialog::ShowDirsOnly, true);
  if (!ActionButtonCaption.empty()) {
    folders->setLabelText(QFileDialog::Accept,
                          QString::fromUtf8(ActionButtonCaption.data(),
                                            static_cast<qsizetype>(ActionButtonCaption.size())));
  }
  if (InitialDirectory)
    folders->setDirectory(QFile::decodeName(InitialDirectory->NativePath().c_str()));
  layout->addWidget(folders);
  QObject::connect(folders, &QFileDialog::accepted, &dialog, &QDialog::accept);
  QObject::connect(folders, &QFileDialog::rejected, &dialog, &QDialog::reject);

  if (dialog.exec() != QDialog::Accepted) return nullptr;
  const QStringList chosen = folders->selectedFiles();
  if (chosen.isEmpty()) return nullptr;
  return std::make_shared<FolderItem>(QFile::encodeName(chosen.first()).toStdString());
}
