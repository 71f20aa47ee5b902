#include "framework/SpecialFolder.h"

#include <QFile>
#include <QStandardPaths>

#include "framework/FolderItem.h"

namespace {

std::shared_ptr<FolderItem> StandardFolder(QStandardPaths::StandardLocation location) {
  const QString path = QStandardPaths::writableLocation(location);
  if (path.isEmpty()) return nullptr;
  return std::make_shared<FolderItem>(QFile::encodeName(path).toStdString());
}

}  // namespace

namespace SpecialFolder {

std::shared_ptr<FolderItem> Music() {
  return StandardFolder(QStandardPaths::MusicLocation);
}

std::shared_ptr<FolderItem> Desktop() {
  return StandardFolder(QStandardPaths::DesktopLocation);
}

}  // namespace SpecialFolder
