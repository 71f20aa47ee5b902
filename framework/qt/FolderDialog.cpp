#include "framework/qt/FolderDialog.h"

#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QVBoxLayout>

#include "framework/Exceptions.h"
#include "framework/FolderItem.h"
#include "framework/Runtime.h"
#include "framework/SelectFolderDialog.h"
#include "framework/qt/WindowImpl.h"

namespace {

FolderDialogResponder& Responder() {
  static FolderDialogResponder responder;
  return responder;
}

}  // namespace

void SetFolderDialogResponder(FolderDialogResponder responder) {
  Responder() = std::move(responder);
}

std::shared_ptr<FolderItem> AskForFolder(const SelectFolderDialog& request,
                                         const std::weak_ptr<Window>& over) {
  if (Responder()) return Responder()(request);
  if (!RuntimeIsInitialized()) throw RuntimeException("the runtime is not initialised");

  QWidget* parent = nullptr;
  if (std::shared_ptr<Window> window = over.lock()) parent = WindowAccess::Of(*window).frame.get();

  // A dialog of our own around Qt's folder view, so that the prompt stands above it.
  QDialog dialog(parent);
  dialog.setObjectName("SelectFolderDialog");
  dialog.setWindowTitle(
      QString::fromUtf8(request.Title.data(), static_cast<qsizetype>(request.Title.size())));
  auto* layout = new QVBoxLayout(&dialog);
  auto* prompt = new QLabel(QString::fromUtf8(request.PromptText.data(),
                                              static_cast<qsizetype>(request.PromptText.size())),
                            &dialog);
  prompt->setObjectName("prompt");
  prompt->setWordWrap(true);
  layout->addWidget(prompt);

  auto* folders = new QFileDialog(&dialog);
  folders->setObjectName("folders");
  folders->setWindowFlags(Qt::Widget);
  folders->setOption(QFileDialog::DontUseNativeDialog, true);
  folders->setFileMode(QFileDialog::Directory);
  folders->setOption(QFileDialog::ShowDirsOnly, true);
  if (!request.ActionButtonCaption.empty()) {
    folders->setLabelText(
        QFileDialog::Accept,
        QString::fromUtf8(request.ActionButtonCaption.data(),
                          static_cast<qsizetype>(request.ActionButtonCaption.size())));
  }
  if (request.InitialDirectory)
    folders->setDirectory(QFile::decodeName(request.InitialDirectory->NativePath().c_str()));
  layout->addWidget(folders);
  QObject::connect(folders, &QFileDialog::accepted, &dialog, &QDialog::accept);
  QObject::connect(folders, &QFileDialog::rejected, &dialog, &QDialog::reject);

  if (dialog.exec() != QDialog::Accepted) return nullptr;
  const QStringList chosen = folders->selectedFiles();
  if (chosen.isEmpty()) return nullptr;
  return std::make_shared<FolderItem>(QFile::encodeName(chosen.first()).toStdString());
}
