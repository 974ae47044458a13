#include <memory>

#include "services/media_device/cd_audio_device.h"
#include "services/media_device/cd_drive_set.h"
#include "services/media_device/cdio_disc.h"
#include "services/media_device/disc_source_mechanism.h"
#include "services/media_device/file_device.h"
#include "services/media_device/gst_file_player.h"
#include "services/media_device/media_device_factory.h"

namespace {

const QString kGeneralMidiSoundFont = QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2");

class SystemMediaDeviceFactory : public MediaDeviceFactory {
 public:
  explicit SystemMediaDeviceFactory(SystemDeviceOptions options) : options_(std::move(options)) {
    if (options_.soundFont.isEmpty()) options_.soundFont = kGeneralMidiSoundFont;
    QStringList devices = options_.physicalDrives ? physicalCdDrives() : QStringList();
    devices << kVirtualDriveName;
    drives_ = std::make_shared<CdDriveSet>(
        devices, [options = options_](const QString& device) -> std::unique_ptr<CdMechanism> {
          if (device == kVirtualDriveName) return DiscSourceMechanism::virtualDrive(options);
          return DiscSourceMechanism::physical(device, options);
        });
  }

  std::unique_ptr<MediaDevice> create(DeviceType type) override {
    if (type == DeviceType::AutoSelect)
      return std::make_unique<FileDevice>(
          std::make_unique<GstFilePlayer>(options_.output, options_.soundFont));
    // Drives outlive the factory while a device still holds one.
    return std::make_unique<CdAudioDevice>(
        [drives = drives_](const QString& device) { return drives->find(device); });
  }

  QStringList cdDriveList() override { return drives_->entries(); }
  QString volumeLabel(const QString& device) override { return drives_->volumeLabel(device); }
  QString discProblem(const QString& device) override { return drives_->discProblem(device); }
  DiscToc disc(const QString& device) override { return drives_->disc(device); }

 private:
  SystemDeviceOptions options_;
  std::shared_ptr<CdDriveSet> drives_;
};

}  // namespace

std::unique_ptr<MediaDeviceFactory> makeSystemMediaDeviceFactory(SystemDeviceOptions options) {
  return std::make_unique<SystemMediaDeviceFactory>(std::move(options));
}
