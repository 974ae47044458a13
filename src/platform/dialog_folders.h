#pragma once

#include <QString>

#include "platform/ui_services.h"

// Where each kind of file dialog (told by its filter) was last used, kept
// across runs in a file of its own beside the settings, which stay as they
// are. A dialog asked for without a folder of its own starts there.
class DialogFolders {
 public:
  explicit DialogFolders(QString filePath = defaultPath());

  // "Corvela-dialogs.conf" beside the settings file.
  static QString defaultPath();

  // The request, starting where its kind was last used when it names no folder.
  FileDialogRequest startingWhereLastUsed(FileDialogRequest request) const;
  void remember(const FileDialogRequest& request, const QString& chosenFile);

 private:
  QString filePath_;
};
