#include "services/files/drive_search.h"

#include <unistd.h>

#include <cstdlib>

#include <QFile>

#include "platform/ui_services.h"
#include "services/files/directory_listing.h"
#include "services/files/list_window.h"
#include "services/files/list_window_kind.h"
#include "services/files/selection_lines.h"

namespace {

QByteArray currentDirectory() {
  char* path = getcwd(nullptr, 0);
  QByteArray directory(path);
  free(path);
  return directory;
}

}  // namespace

QByteArray entryPath(const QByteArray& directory, const QByteArray& name) {
  return directory.endsWith('/') ? directory + name : directory + '/' + name;
}

DriveSearch::DriveSearch(ListWindow& window, const ListWindowKind& kind, UiServices& ui)
    : window_(window), kind_(kind), ui_(ui) {}

void DriveSearch::SearchCurrentDirectory() {
  const QByteArray start = currentDirectory();
  const std::optional<dev_t> device = deviceOf(start);
  if (!device) return;
  device_ = *device;
  searchDirectory(start);
}

void DriveSearch::searchDirectory(const QByteArray& directory) {
  const FileTypes types = kind_.typesFor(window_.typeKey());
  const std::optional<DirectoryListing> listing = listDirectory(directory, device_, types);
  if (!listing) return;
  for (const QByteArray& name : listing->files)
    if (!listFile(entryPath(directory, name))) return;
  for (const QByteArray& name : listing->subdirectories) {
    if (atCapacity()) return;
    searchDirectory(entryPath(directory, name));
  }
}

bool DriveSearch::listFile(const QByteArray& path) {
  // Twice, so the list repaints, the animation moves and Escape gets through.
  ui_.processMessages();
  ui_.processMessages();
  // Closing the window ends the program: the search ends with it, unannounced.
  if (ui_.terminating()) endSilently();
  if (window_.SearchAbortRequested) abortByUser();
  if (atCapacity()) {
    stopAtCapacity();
    return false;
  }
  if (!window_.selectionLines().append(ListLine::forFile(QFile::decodeName(path)), false))
    refuseLine();
  return true;
}

bool DriveSearch::atCapacity() const { return window_.selectionLines().count() >= Capacity; }

void DriveSearch::stopAtCapacity() {
  window_.stopSearchAnimation();
  ui_.messageDlg(MessageKind::Information, "Maximum capacity reached");
}

void DriveSearch::abortByUser() {
  const QString aborted = "Disk search aborted!";
  if (kind_.abortOrder == AbortOrder::ControlsThenMessage) {
    emptyListAndResetControls();
    window_.stopSearchAnimation();
    ui_.messageDlg(MessageKind::Warning, aborted);
  } else {
    window_.stopSearchAnimation();
    ui_.messageDlg(MessageKind::Warning, aborted);
    emptyListAndResetControls();
  }
  endSilently();
}

void DriveSearch::refuseLine() {
  window_.stopSearchAnimation();
  window_.disableListControls();
  SelectionLines& lines = window_.selectionLines();
  lines.clear();
  lines.setVisible(false);
  window_.disableSaveListCommand();
  ui_.messageDlg(MessageKind::Information, "There are too many files!");
  emptyListAndResetControls();
  endSilently();
}

void DriveSearch::emptyListAndResetControls() {
  window_.selectionLines().clear();
  window_.resetControlsWithoutList();
}

void DriveSearch::endSilently() {
  window_.focusWindow();
  window_.SearchRunning = false;
  throw SearchEnded();
}
