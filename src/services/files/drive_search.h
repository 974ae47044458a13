#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <exception>

class ListWindow;
class UiServices;
struct ListWindowKind;

// Thrown when a search ends early, by the user's Escape, because the list had
// no room left or because the program is ending. The window has already been reset and the user
// told, so the handler that started the search just lets it end there, silently.
class SearchEnded : public std::exception {
 public:
  const char* what() const noexcept override { return "drive search ended early"; }
};

// One list window's drive search: every file of the chosen type under the
// current directory (the chosen drive's root), depth first, the files of a
// directory before anything in its subdirectories. The search stays on the
// file system it starts on and skips hidden entries and unreadable directories.
class DriveSearch {
 public:
  // The list takes no more lines from a search than this.
  static constexpr int Capacity = 32700;

  DriveSearch(ListWindow& window, const ListWindowKind& kind, UiServices& ui);

  // Appends each file found as an unticked line. Returns normally when the
  // tree is done or the list is full; throws SearchEnded after an abort.
  void SearchCurrentDirectory();

 private:
  void searchDirectory(const QByteArray& directory);
  // False once the list is full: the search stops adding.
  bool listFile(const QByteArray& path);
  bool atCapacity() const;
  void stopAtCapacity();
  [[noreturn]] void abortByUser();
  [[noreturn]] void refuseLine();
  void emptyListAndResetControls();
  [[noreturn]] void endSilently();

  ListWindow& window_;
  const ListWindowKind& kind_;
  UiServices& ui_;
  dev_t device_ = 0;
};

// The full path of an entry of a directory: one separator between them,
// none added when the directory already ends with one (as "/" does).
QByteArray entryPath(const QByteArray& directory, const QByteArray& name);
