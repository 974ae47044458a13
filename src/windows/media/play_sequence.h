#pragma once

#include <QString>
#include <optional>

class SelectionLines;

// Who asked for a step or a stop, as far as the sequence's rules care.
enum class Origin { Timer, Play, Next, Previous, List, Device, Leaving, Other };

// What Pa&use does to the file that plays.
enum class PauseAction { Nothing, PauseMpeg, ResumeMpeg, ToggleMci };

// What follows the end of a file.
enum class AfterFile {
  Stop,  // Auto Play is off: the sequence stops where it is
  NextLine,  // the next step starts the next ticked line
  QuietEnd,  // the list has run out; nothing is said
  NoMoreSelections,  // nothing ticked below; the user is told where Auto Play can begin
};

// The media player's sequence over its ticked lines, without any widget: the
// play cursor (the next line the step examines), which line plays next, and
// what Play, Next, Previous, Pause, Stop, the end of a file and Auto Play do.
// The window asks, then carries the answer out on its controls and devices.
class PlaySequence {
 public:
  explicit PlaySequence(const SelectionLines& lines) : lines_(lines) {}

  int PlayCursor() const { return cursor_; }
  // The line started last, wherever a click has moved the cursor since; -1 before any.
  int playingLine() const { return playing_; }
  bool MpegActive() const { return mpegActive_; }
  bool MpegPaused() const { return mpegPaused_; }
  // The file the line at the cursor names: its real path, however the list was filled.
  QString fileAtCursor() const;

  // A fresh list, or a way out of the window: the sequence starts at the top.
  void rewind() { cursor_ = 0; }
  // The user highlighted a line (a click, the keyboard, Find): playback goes on from it.
  void followHighlight(int row) { cursor_ = row; }

  // Play from the highlighted line: the first ticked line from it down, never
  // wrapping round. False (cursor at the top) when there is none.
  bool startFrom(int highlighted);
  // The step: the first ticked line from the cursor down; false (cursor at the top) when none.
  bool findTickedLine();
  bool pastEnd() const { return cursor_ > lastIndex(); }
  // The line at the cursor goes to the MPEG component, or to the other device.
  void take(bool mpeg);
  // The line at the cursor has started: the cursor moves past it.
  void started() { playing_ = cursor_++; }
  // The file at the cursor could not be played and is passed over; true when the list has run out.
  bool skipFailed();
  // A file that played failed on its way: the sequence stands on its line again.
  void playingFailed() { cursor_ = playingLine(); }

  // Next from the highlighted line; false when nothing is ticked after the
  // current one, the cursor then past the last ticked line.
  bool next(int highlighted);
  // Previous from the highlighted line: the ticked line above it, if any;
  // otherwise the cursor goes to the top.
  std::optional<int> previous(int highlighted);

  // A step meeting a file that ended stops there unless Auto Play is ticked or
  // the user asked for the next file.
  static bool stopsAfterEndedFile(bool autoPlay, Origin origin);
  // The commands that leave the window do not look at the highlight on their way out.
  static bool leavesWindow(Origin origin) { return origin == Origin::Leaving; }

  // The end of a file of the MCI device, and of the MPEG component.
  AfterFile mciFileEnded(bool autoPlay);
  AfterFile mpegFileEnded(bool autoPlay);
  // The MPEG file is gone: it ended, failed, or the user moved on.
  void mpegClosed() { mpegActive_ = mpegPaused_ = false; }

  // Pa&use on what plays. An MPEG file that has ended is not pausable.
  PauseAction pause(bool mpegPlaying, bool mciPlayingOrPaused);
  // The pause mark is not carried from one activation of the window to the next.
  void forgetPause() { mpegPaused_ = false; }
  // Stop: true when an MPEG file, playing or paused, is to be closed.
  bool stop();

 private:
  int lastIndex() const;
  bool ticked(int row) const;
  // From the cursor down to the first ticked line; false (cursor at the top) when none.
  bool moveToTickedLine();
  int lastTickedLine() const;

  const SelectionLines& lines_;
  int cursor_ = 0;
  int playing_ = -1;
  bool mpegActive_ = false;
  bool mpegPaused_ = false;
};
