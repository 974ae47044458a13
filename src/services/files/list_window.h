#pragma once

#include <QString>

class SelectionLines;

// What a list window (the media player, the graphics viewer) does for the
// drive search and the list files: it lends its list, keeps its flags, and
// resets its own controls when a search ends early.
class ListWindow {
 public:
  virtual ~ListWindow() = default;

  // The flags each list window keeps, set by the window and the services alike.
  bool SearchRunning = false;
  bool SearchAbortRequested = false;  // the window's Escape key while a search runs
  bool NamesFromList =
      false;  // each line's own text names its file (a search or a list file filled it)

  virtual SelectionLines& selectionLines() = 0;

  // The file-type selector's text, read afresh for every directory.
  virtual QString typeKey() const = 0;
  // Stops and hides the search animation.
  virtual void stopSearchAnimation() = 0;
  // The controls that need a list, disabled first when the list runs out of room.
  virtual void disableListControls() = 0;
  // The window's controls as they stand without a list; its list is already empty.
  virtual void resetControlsWithoutList() = 0;
  virtual void focusWindow() = 0;

  virtual void setListFileName(const QString& fileName) = 0;
  virtual void disableSaveListCommand() = 0;
};
