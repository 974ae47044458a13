#pragma once

#include <QString>
#include <memory>
#include <optional>

class MediaDevice;
class SelectionLines;
class TMPEGPlayer;

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

// Where a video is drawn.
enum class VideoWindow { None, Panel, FullScreen, OwnWindow };

// What the media player plays, without any widget: the play cursor (the next
// line the step examines), the MPEG component and the media device with the
// file each holds, `PlayBusy`, the pause mark, the video window in use, and
// what Play, Next, Previous, Pause, Stop, the end of a file and Auto Play do.
// The window asks, then carries the answer out on its controls; the rest of
// the program asks it what plays, never the window's labels.
class PlaySequence {
 public:
  PlaySequence(const SelectionLines& lines, std::unique_ptr<MediaDevice> device,
               std::unique_ptr<TMPEGPlayer> mpeg);
  ~PlaySequence();

  MediaDevice& device() const { return *device_; }
  TMPEGPlayer& mpeg() const { return *mpeg_; }

  int PlayCursor() const { return cursor_; }
  // The line started last, wherever a click has moved the cursor since; -1 before any.
  int playingLine() const { return playing_; }
  bool MpegActive() const { return mpegActive_; }
  bool MpegPaused() const { return mpegPaused_; }
  // A file has been started, or playback stopped: the step starts nothing while set.
  bool PlayBusy() const { return busy_; }
  // The file the line at the cursor names: its real path, however the list was filled.
  QString fileAtCursor() const;

  // What the two devices hold.
  bool mpegOpen() const;
  bool mpegPlaying() const;
  bool mciPlaying() const;
  // The media device has a file playing or paused.
  bool mciHeld() const;
  bool sounding() const { return mciPlaying() || mpegPlaying(); }

  // What plays, as the rest of the program sees it: the file started last,
  // while its device holds it, playing or paused.
  QString fileHeld() const;
  // The upper-case name of the file held; empty when none.
  QString title() const;
  bool playing() const;
  bool paused() const;
  // Milliseconds into the file held, and its length.
  int position() const;
  int length() const;
  // The window the video held is drawn in; None without a video.
  VideoWindow videoWindow() const;

  // A fresh list, or a way out of the window: the sequence starts at the top.
  void rewind() { cursor_ = 0; }
  // The user highlighted a line (a click, the keyboard, Find): playback goes on from it.
  void followHighlight(int row) { cursor_ = row; }

  // Play from the highlighted line: the first ticked line from it down, never
  // wrapping round. False (cursor at the top) when there is none.
  bool startFrom(int highlighted);
  // The next step may start a file: armed by Play, Next and Previous, or a file has ended.
  void arm() { busy_ = false; }
  // The step: the first ticked line from the cursor down; false (cursor at the top) when none.
  bool findTickedLine();
  bool pastEnd() const { return cursor_ > lastIndex(); }
  // The line at the cursor goes to the MPEG component, or to the other device.
  void take(bool mpeg);
  // The line at the cursor is being started: no step starts another meanwhile.
  void starting() { busy_ = true; }
  // The file of the line at the cursor has started: the cursor moves past it.
  void started(const QString& file);
  // The video just started is drawn there.
  void videoPlaced(VideoWindow window) { video_ = window; }
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
  // A new list or a search: whatever either device holds, paused or not, goes.
  void letGo();

  // Pa&use on what plays. An MPEG file that has ended is not pausable.
  PauseAction pause();
  // The window was activated: a pause mark outlives it only while the
  // component holds the file paused (a box or dialog closing activates it too).
  void activated();
  // The component refused the pause: its file ended meanwhile.
  void pauseRefused() { mpegPaused_ = false; }
  // Stop: true when an MPEG file, playing or paused, is to be closed.
  bool stop();

 private:
  int lastIndex() const;
  bool ticked(int row) const;
  bool mpegPausedByComponent() const;
  // From the cursor down to the first ticked line; false (cursor at the top) when none.
  bool moveToTickedLine();
  int lastTickedLine() const;

  const SelectionLines& lines_;
  std::unique_ptr<MediaDevice> device_;
  std::unique_ptr<TMPEGPlayer> mpeg_;
  int cursor_ = 0;
  int playing_ = -1;
  QString started_;
  VideoWindow video_ = VideoWindow::None;
  bool busy_ = false;
  bool mpegActive_ = false;
  bool mpegPaused_ = false;
};
