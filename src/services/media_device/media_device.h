#pragma once

#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>

class QWidget;

// Modes as the windows compare them; the numbers are the classic ones.
enum class DeviceMode : int {
  NotReady = 0,
  Stopped = 1,
  Playing = 2,
  Recording = 3,
  Seeking = 4,
  Paused = 5,
  Open = 6,
};

// Units of every position and length a device takes and gives.
// Tmsf packs track (low byte), minutes, seconds and frames (high byte);
// lengths in that format come back packed as minutes, seconds, frames.
enum class TimeFormat : int {
  Milliseconds = 0,
  Tmsf = 10,
};

// How a notified play ended.
enum class NotifyResult { Successful, Superseded, Aborted, Failed };

enum class DeviceErrorCode : int {
  None = 0,
  CannotOpen,
  NotOpen,
  NoDisc,
  OutOfRange,
  Unsupported,
  PlaybackFailed,
};

// The one exception a device throws: a message the windows may show, and a code.
class MediaDeviceError : public std::runtime_error {
 public:
  MediaDeviceError(DeviceErrorCode code, const QString& message)
      : std::runtime_error(message.toStdString()), code_(code) {}
  DeviceErrorCode code() const { return code_; }
  QString message() const { return QString::fromStdString(what()); }

 private:
  DeviceErrorCode code_;
};

// One open device: a CD drive or a media file. Positions and lengths are in
// the current time format. Commands that fail throw MediaDeviceError and set
// lastError(); status queries never throw (a device with nothing to report
// gives 0). Completion events are delivered later, on the user-interface
// thread, never from inside a command.
class MediaDevice {
 public:
  virtual ~MediaDevice() = default;

  // CD audio: the drive's device name ("" for the first drive);
  // files: the file's path.
  virtual void open(const QString& element) = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;

  // Where the next play starts and ends; each applies to the next play only.
  // A bare track number n in Tmsf is the start of track n.
  virtual void setStart(std::uint32_t position) = 0;
  virtual void setEnd(std::uint32_t position) = 0;
  // Ask for a completion event from the next play.
  virtual void setNotify(bool notify) = 0;
  virtual void onNotify(std::function<void(NotifyResult)> handler) = 0;

  // Plays from the start set (else the current position) to the end set
  // (else the end of the disc or file).
  virtual void play() = 0;
  virtual void stop() = 0;
  // Pauses when playing, resumes when paused.
  virtual void pause() = 0;
  virtual void resume() = 0;
  // Opens the door. The next open of the drive closes it again.
  virtual void eject() = 0;
  // Moves to the position before it returns; the device is left stopped.
  virtual void seek(std::uint32_t position) = 0;

  virtual int trackCount() const = 0;
  virtual std::uint32_t trackLength(int track) const = 0;
  virtual std::uint32_t trackPosition(int track) const = 0;
  virtual std::uint32_t length() const = 0;
  virtual std::uint32_t position() const = 0;
  virtual DeviceMode mode() const = 0;

  virtual TimeFormat timeFormat() const = 0;
  virtual void setTimeFormat(TimeFormat format) = 0;

  // Video is drawn stretched into the rectangle of the window given; with no
  // window, in a window of the device's own at the video's own size.
  virtual void setDisplay(QWidget* window) = 0;
  virtual void setDisplayRect(const QRect& rectangle) = 0;

  virtual DeviceErrorCode lastError() const = 0;
};
