#pragma once

#include <functional>
#include <memory>

#include "services/media_device/device_base.h"

class CdDrive;

// A handle on a CD drive. Several handles may control one drive, and closing
// a handle leaves the drive as it is (playing, if it was).
class CdAudioDevice : public DeviceBase {
 public:
  // Finds the drive for a device name ("" for the first); throws for an unknown one.
  using DriveFinder = std::function<std::shared_ptr<CdDrive>(const QString& device)>;
  explicit CdAudioDevice(DriveFinder findDrive);
  ~CdAudioDevice() override;

  void open(const QString& element) override;
  void close() override;
  bool isOpen() const override { return drive_ != nullptr; }

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

 private:
  CdDrive& loadedDrive() const;
  int toFrame(std::uint32_t position) const;
  std::uint32_t fromFrame(int frame) const;
  std::uint32_t toLength(int frames) const;

  DriveFinder findDrive_;
  std::shared_ptr<CdDrive> drive_;
  TimeFormat format_ = TimeFormat::Tmsf;
};
