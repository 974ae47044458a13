#pragma once

#include <functional>
#include <memory>

#include "app/media_device/media_device.h"
#include "app/media_device/notification.h"

class CdDrive;

// A handle on a CD drive. Several handles may control one drive, and closing
// a handle leaves the drive as it is (playing, if it was).
class CdAudioDevice : public MediaDevice {
 public:
  // Finds the drive for a device name ("" for the first); throws for an unknown one.
  using DriveFinder = std::function<std::shared_ptr<CdDrive>(const QString& device)>;
  explicit CdAudioDevice(DriveFinder findDrive);
  ~CdAudioDevice() override;

  void open(const QString& element) override;
  void close() override;
  bool isOpen() const override { return drive_ != nullptr; }

  void setStart(std::uint32_t position) override { start_ = position; }
  void setEnd(std::uint32_t position) override { end_ = position; }
  void setNotify(bool notify) override { notify_ = notify; }
  void onNotify(std::function<void(NotifyResult)> handler) override;

  void play() override;
  void stop() override;
  void pause() override;
  void resume() override;
  void eject() override;
  void seek(std::uint32_t position) override;

  int trackCount() const override;
  std::uint32_t trackLength(int track) const override;
  std::uint32_t trackPosition(int track) const override;
  std::uint32_t length() const override;
  std::uint32_t position() const override;
  DeviceMode mode() const override;

  TimeFormat timeFormat() const override { return format_; }
  void setTimeFormat(TimeFormat format) override { format_ = format; }

  // CD audio has no picture.
  void setDisplay(QWidget*) override {}
  void setDisplayRect(const QRect&) override {}

  DeviceErrorCode lastError() const override { return lastError_; }

 private:
  // Runs a command: a failure is remembered as the last error and thrown on.
  template <typename Command>
  void run(Command command);
  CdDrive& loadedDrive() const;
  int toFrame(std::uint32_t position) const;
  std::uint32_t fromFrame(int frame) const;
  std::uint32_t toLength(int frames) const;

  DriveFinder findDrive_;
  std::shared_ptr<CdDrive> drive_;
  Notification notification_;
  std::optional<std::uint32_t> start_;
  std::optional<std::uint32_t> end_;
  bool notify_ = false;
  TimeFormat format_ = TimeFormat::Tmsf;
  DeviceErrorCode lastError_ = DeviceErrorCode::None;
};
