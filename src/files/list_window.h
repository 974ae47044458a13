#pragma once

#include <QString>

class SelectionLines;

// What a list window (the media player, the graphics viewer) does for the
// drive search and the list files: it lends its list, keeps its flags, and
// resets its own controls when a search ends early.
class ListWindow {
 public:
  virtual ~ListWindow() = default;

  virtual SelectionLines& selectionLines() = 0;

  // The file-type selector's text, read afresh for every directory.
  virtual QString typeKey() const = 0;
  // Set by the window's Escape key while a search runs.
  virtual bool searchAbortRequested() const = 0;
  virtual void setSearchRunning(bool running) = 0;
  // Stops and hides the search animation.
  virtual void stopSearchAnimation() = 0;
  // The controls that need a list, disabled first when the list runs out of room.
  virtual void disableListControls() = 0;
  // The window's controls as they stand without a list; its list is already empty.
  virtual void resetControlsWithoutList() = 0;
  virtual void focusWindow() = 0;

  // True when each line's own text names its file (a search or a list file filled the list).
  virtual void setNamesFromList(bool fromList) = 0;
  virtual void setListFileName(const QString& fileName) = 0;
  virtual void disableSaveListCommand() = 0;
};
