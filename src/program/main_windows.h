#pragma once

#include <optional>

class QString;
class QWidget;

// What the three main windows (CD player, media player, graphics viewer) ask
// of one another: hand-overs, the CD player's program-wide commands and what
// is playing elsewhere. The window set answers, so no window needs another's
// class and each window library stands on its own.
class MainWindows {
 public:
  // Brings back the main window the user was using (the CD player, the media
  // player or the graphics viewer), restored if minimised and in front.
  virtual void restoreMainWindow() = 0;
  // Hand-overs between the main windows.
  virtual void showMediaPlayer() = 0;
  virtual void showGraphicsViewer() = 0;
  // The media player or graphics viewer hands back to the CD player; the
  // viewer's hand-back also disables the track choice on a changed disc.
  virtual void returnToCdPlayer(QWidget* handingWindow, bool disableTracksToo) = 0;
  // The CD stops and lets its drive go: before the viewer hands over to the
  // media player, or as its Stop button would when the viewer closes.
  virtual void cdGivesWayToMediaPlayer() = 0;
  virtual void cdStopsForViewerClose() = 0;
  // The end of every run, from whichever main window closes.
  virtual void endRun() = 0;

  // The CD player's commands, offered in every main window's menus.
  virtual void helpContents() = 0;
  virtual void helpKeywordSearch() = 0;
  virtual void toolTips(bool on) = 0;
  virtual void defaultAllSettings() = 0;
  // The CD player brings the list windows in line with its settings.
  virtual void mediaPlayerToolTips(bool on) = 0;
  virtual void listWindowsToDefaults() = 0;

  // What plays elsewhere in the program.
  virtual QString mediaTitle() const = 0;  // empty when no file plays
  // The path of the file the media player has open; empty when none.
  virtual QString mediaFileOpen() const = 0;
  virtual std::optional<int> cdTrackPlaying() const = 0;
  // The media player's device, its MPEG component or the CD player's device.
  virtual bool soundPlaying() const = 0;

 protected:
  ~MainWindows() = default;
};
