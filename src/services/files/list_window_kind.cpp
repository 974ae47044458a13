#include "services/files/list_window_kind.h"

FileTypes ListWindowKind::typesFor(const QString& key) const {
  for (const TypeSet& set : typeSets)
    if (set.key == key) return FileTypes(set.extensions);
  return FileTypes({"." + key.toLower().toUtf8()});
}

namespace {

QString saveFailedText(const QString& listName) {
  return "Cannot Save " + listName +
         " File: %1\r\r(Please ensure you are not trying to\ruse a long filename on a RAMDrive)";
}

}  // namespace

const ListWindowKind& mediaPlayerLists() {
  static const ListWindowKind kind{
      .typeSets = {{"ALL", {".mpg", ".avi", ".mid", ".wav", ".mp2", ".mp3"}},
                   {"MPEG", {".mp2", ".mp3"}}},
      .abortOrder = AbortOrder::ControlsThenMessage,
      .openTypes = {".mpg", ".avi", ".mid", ".midi", ".wav", ".mp2", ".mp3", ".dat"},
      .signature = "Corvela Pro Play List",
      .extension = ".QPL",
      .saveFilter = "Corvela Pro Play List (*.qpl)",
      .saveInitialName = "*.qpl",
      .saveRemembersName = true,
      .loadFilter = "Corvela Pro Play List (*.QPL);;Corvela Pro Play List (*.QPL)",
      .loadInitialName = "*.qpl",
      .savedText = "The Play List entitled: \"%1\" was successfully saved",
      .saveFailedText = saveFailedText("Play List"),
      .wrongFileText = "This is not a Corvela Pro Play List!",
      .loadFailedText = "Cannot open Play List file",
  };
  return kind;
}

const ListWindowKind& graphicsViewerLists() {
  static const ListWindowKind kind{
      .typeSets = {{"ALL", {".bmp", ".ico", ".wmf", ".jpg", ".fif"}}},
      .abortOrder = AbortOrder::MessageThenControls,
      .openTypes = {".bmp", ".ico", ".wmf", ".emf", ".jpg", ".jpeg", ".fif"},
      .signature = "Corvela Pro Display List",
      .extension = ".QDL",
      .saveFilter = "Corvela Pro Display List (*.QDL);;Corvela Pro Display List (*.QDL)",
      .saveInitialName = "*.qdl",
      .saveRemembersName = false,
      .loadFilter = "Corvela Pro Display List (*.QDL);;Corvela Pro Display List (*.QDL)",
      .loadInitialName = "*.qdl",
      .savedText = "The Display List entitled: \"%1\" was successfully saved",
      .saveFailedText = saveFailedText("Display List"),
      .wrongFileText = "This is not a Corvela Pro Display List!",
      .loadFailedText = "Cannot open Display List file",
  };
  return kind;
}
