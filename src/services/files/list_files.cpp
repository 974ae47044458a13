#include "services/files/list_files.h"

#include "platform/ui_services.h"
#include "services/files/list_file_format.h"
#include "services/files/list_window.h"
#include "services/files/list_window_kind.h"
#include "services/files/selection_lines.h"

namespace {

QStringList tickedPaths(const SelectionLines& lines) {
  QStringList paths;
  for (int index = 0; index < lines.count(); ++index)
    if (lines.ticked(index)) paths << lines.line(index).path;
  return paths;
}

}  // namespace

ListFiles::ListFiles(ListWindow& window, const ListWindowKind& kind, UiServices& ui)
    : window_(window), kind_(kind), ui_(ui) {}

FileDialogRequest ListFiles::saveDialog() const {
  const bool remembered = kind_.saveRemembersName && !lastSaveName_.isEmpty();
  return {.caption = {},
          .filter = kind_.saveFilter,
          .initialDirectory = remembered ? lastSaveName_ : kind_.saveInitialName,
          .defaultSuffix = kind_.extension.mid(1)};
}

FileDialogRequest ListFiles::loadDialog() const {
  return {.caption = {},
          .filter = kind_.loadFilter,
          .initialDirectory = kind_.loadInitialName,
          .defaultSuffix = {}};
}

void ListFiles::SaveListFile() {
  const std::optional<QString> chosen = ui_.saveFileName(saveDialog());
  if (!chosen || chosen->isEmpty()) return;
  lastSaveName_ = *chosen;
  const QString fileName = withListExtension(*chosen, kind_.extension);
  window_.setListFileName(fileName);
  try {
    writeListFile(fileName, kind_.signature, tickedPaths(window_.selectionLines()));
  } catch (const ListFileError&) {
    reportSaveFailure(fileName);
    return;
  }
  ui_.showMessage(kind_.savedText.arg(fileName));
}

void ListFiles::reportSaveFailure(const QString& fileName) {
  window_.NamesFromList = false;
  window_.selectionLines().setVisible(false);
  window_.disableSaveListCommand();
  ui_.messageDlg(MessageKind::Error, kind_.saveFailedText.arg(fileName));
}

void ListFiles::LoadListFile() {
  // The dialog offers one file; should it hand back more, the first counts.
  const QStringList chosen = ui_.openFileNames(loadDialog());
  if (chosen.isEmpty()) return;
  SelectionLines& lines = window_.selectionLines();
  lines.setVisible(true);
  lines.clear();
  try {
    readIntoList(chosen.first());
  } catch (const ListFileError&) {
    reportLoadFailure();
  }
}

void ListFiles::readIntoList(const QString& fileName) {
  const std::optional<QStringList> entries = readListFile(fileName, kind_.signature);
  if (!entries) {
    ui_.showMessage(kind_.wrongFileText);
    window_.NamesFromList = false;
    return;
  }
  SelectionLines& lines = window_.selectionLines();
  LetterCaseResolver resolver;
  QStringList opened;
  for (const QString& path : *entries) {
    opened << resolver.resolve(path);
    if (!lines.append({path.toLower(), opened.back()}, true))
      throw ListFileError("the list has no room for another line");
  }
  ui_.noteOpenedFiles(opened);
  window_.setListFileName(fileName);
  window_.NamesFromList = true;
}

void ListFiles::reportLoadFailure() {
  window_.setListFileName({});
  window_.NamesFromList = false;
  window_.selectionLines().setVisible(false);
  window_.disableSaveListCommand();
  ui_.messageDlg(MessageKind::Error, kind_.loadFailedText);
}
