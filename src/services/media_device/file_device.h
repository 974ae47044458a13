#pragma once

#include <QString>
#include <memory>

#include "services/media_device/device_base.h"

// What plays one media file. Times are milliseconds. The end of a play is
// reported on the user-interface thread, never for a play that was replaced
// or stopped.
class FilePlayer {
 public:
  virtual ~FilePlayer() = default;
  // Ready to play, its length known; throws MediaDeviceError when the file
  // cannot be played.
  virtual void open(const QString& path) = 0;
  virtual void close() = 0;
  virtual qint64 length() const = 0;
  virtual void play(qint64 from, qint64 to) = 0;
  virtual void pause() = 0;
  virtual void resume() = 0;
  virtual void stop() = 0;
  virtual qint64 position() const = 0;
  virtual void setDisplay(QWidget* window) = 0;
  virtual void setDisplayRect(const QRect& rectangle) = 0;

  // error is empty at the natural end.
  void onFinished(std::function<void(const QString& error)> handler) {
    finished_ = std::move(handler);
  }

 protected:
  void finished(const QString& error) {
    if (finished_) finished_(error);
  }

 private:
  std::function<void(const QString&)> finished_;
};

// A media file as a device: one track, positions in milliseconds.
class FileDevice : public DeviceBase {
 public:
  explicit FileDevice(std::unique_ptr<FilePlayer> player);
  ~FileDevice() override;

  void open(const QString& element) override;
  void close() override;
  bool isOpen() const override { return open_; }

  void play() override;
  void stop() override;
  void pause() override;
  void resume() override;
  void eject() override;
  void seek(std::uint32_t position) override;

  int trackCount() const override { return open_ ? 1 : 0; }
  std::uint32_t trackLength(int track) const override;
  std::uint32_t trackPosition(int) const override { return 0; }
  std::uint32_t length() const override;
  std::uint32_t position() const override;
  DeviceMode mode() const override;

  TimeFormat timeFormat() const override { return TimeFormat::Milliseconds; }
  void setTimeFormat(TimeFormat format) override;

  void setDisplay(QWidget* window) override { player_->setDisplay(window); }
  void setDisplayRect(const QRect& rectangle) override { player_->setDisplayRect(rectangle); }

 private:
  enum class Transport { Stopped, Playing, Paused };

  void requireOpen() const;
  qint64 checked(std::uint32_t position) const;
  void halt();
  void finished(const QString& error);

  std::unique_ptr<FilePlayer> player_;
  bool open_ = false;
  Transport transport_ = Transport::Stopped;
  qint64 position_ = 0;
  qint64 playEnd_ = 0;
};
