#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <climits>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "services/files/list_window.h"
#include "services/files/selection_lines.h"
#include "ui_double.h"

// A selection list that keeps its lines in memory. It can stand for a list
// already holding many lines (counted, not kept) and for one that runs out of
// room. What it is asked to do goes into a shared log.
class FakeLines : public SelectionLines {
 public:
  explicit FakeLines(QStringList& log) : log_(log) {}

  struct Entry {
    ListLine line;
    bool ticked;
  };
  std::vector<Entry> entries;
  int alreadyHeld = 0;
  int room = INT_MAX;
  bool visible = true;

  QStringList texts() const;

  int count() const override { return alreadyHeld + int(entries.size()); }
  ListLine line(int index) const override { return entries.at(index).line; }
  bool ticked(int index) const override { return entries.at(index).ticked; }
  bool append(const ListLine& line, bool ticked) override;
  void clear() override;
  void setVisible(bool shown) override;

 private:
  QStringList& log_;
};

class FakeListWindow : public ListWindow {
 public:
  FakeListWindow() { SearchRunning = true; }
  QStringList log;
  FakeLines lines{log};
  QString key = "ALL";
  QString listFileName = "previous.QPL";
  bool saveListCommandEnabled = true;

  SelectionLines& selectionLines() override { return lines; }
  QString typeKey() const override { return key; }
  void stopSearchAnimation() override { log << "animation stopped"; }
  void disableListControls() override { log << "list controls disabled"; }
  void resetControlsWithoutList() override { log << "controls reset"; }
  void focusWindow() override { log << "focus"; }
  void setListFileName(const QString& fileName) override { listFileName = fileName; }
  void disableSaveListCommand() override { saveListCommandEnabled = false; }
};

// The scripted toolkit, with its messages in the window's log and a hook that
// runs whenever pending events are processed (where a user's key gets in).
class LoggingUi : public UiDouble {
 public:
  explicit LoggingUi(QStringList& log) : log_(log) {}

  std::function<void()> whileProcessing;
  std::vector<FileDialogRequest> dialogs;

  void processMessages() override;
  void messageDlg(MessageKind kind, const QString& text) override;
  void showMessage(const QString& text) override;
  QStringList openFileNames(const FileDialogRequest& request) override;
  std::optional<QString> saveFileName(const FileDialogRequest& request) override;

 private:
  QStringList& log_;
};

// A fake list window with the scripted toolkit beside it, and a folder of the
// test's own for the files it makes.
class ListWindowTest : public ::testing::Test {
 protected:
  QTemporaryDir folder;
  const QString root = folder.path();
  FakeListWindow window;
  LoggingUi ui{window.log};
};
