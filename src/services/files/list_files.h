#pragma once

#include <QString>

class ListWindow;
class UiServices;
struct FileDialogRequest;
struct ListWindowKind;

// One list window's list files: saving its ticked lines and loading them
// back, with the user's dialogs and messages. File errors never leave here;
// they are told to the user.
class ListFiles {
 public:
  ListFiles(ListWindow& window, const ListWindowKind& kind, UiServices& ui);

  void SaveListFile();
  void LoadListFile();

 private:
  FileDialogRequest saveDialog() const;
  FileDialogRequest loadDialog() const;
  void readIntoList(const QString& fileName);
  void reportSaveFailure(const QString& fileName);
  void reportLoadFailure();

  ListWindow& window_;
  const ListWindowKind& kind_;
  UiServices& ui_;
  QString lastSaveName_;
};
