#include "platform/dialog_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

#include "platform/settings_backend.h"

namespace {

// A filter holds characters a settings key may not ("/", "*").
QString keyOf(const FileDialogRequest& request) {
  return "Folders/" + QString::fromLatin1(QUrl::toPercentEncoding(request.filter));
}

}  // namespace

DialogFolders::DialogFolders(QString filePath) : filePath_(std::move(filePath)) {}

QString DialogFolders::defaultPath() {
  return QFileInfo(IniSettingsBackend::defaultPath()).dir().filePath("Corvela-dialogs.conf");
}

FileDialogRequest DialogFolders::startingWhereLastUsed(FileDialogRequest request) const {
  if (!request.initialDirectory.isEmpty()) return request;
  const QString folder =
      QSettings(filePath_, QSettings::IniFormat).value(keyOf(request)).toString();
  if (QFileInfo(folder).isDir()) request.initialDirectory = folder;
  return request;
}

void DialogFolders::remember(const FileDialogRequest& request, const QString& chosenFile) {
  QSettings(filePath_, QSettings::IniFormat)
      .setValue(keyOf(request), QFileInfo(chosenFile).absolutePath());
}
