#include "services/media_device/cd_drive_set.h"

#include "services/media_device/cd_drive.h"
#include "services/media_device/media_device_factory.h"

namespace {
const QString kEntrySuffix = QStringLiteral(" [CD Drive]");
}

QString cdDriveName(const QString& entry) {
  const auto at = entry.indexOf(kEntrySuffix);
  return at < 0 ? entry : entry.left(at);
}

QString cdDriveEntry(const QString& device) { return device + kEntrySuffix; }

CdDriveSet::CdDriveSet(QStringList devices, MechanismMaker makeMechanism)
    : devices_(std::move(devices)), makeMechanism_(std::move(makeMechanism)) {}

CdDriveSet::~CdDriveSet() = default;

std::shared_ptr<CdDrive> CdDriveSet::find(const QString& device) {
  const QString name = device.isEmpty() && !devices_.isEmpty() ? devices_.front() : device;
  if (!devices_.contains(name))
    throw MediaDeviceError(DeviceErrorCode::CannotOpen,
                           QString("There is no CD drive called \"%1\".").arg(device));
  auto& drive = drives_[name];
  if (!drive) drive = std::make_shared<CdDrive>(makeMechanism_(name));
  return drive;
}

QStringList CdDriveSet::entries() const {
  QStringList list;
  for (const QString& device : devices_) list << cdDriveEntry(device);
  return list;
}

QString CdDriveSet::volumeLabel(const QString& device) {
  if (!devices_.contains(device)) return {};
  return find(device)->volumeLabel();
}

QString CdDriveSet::discProblem(const QString& device) {
  if (!devices_.contains(device)) return {};
  return find(device)->problem();
}

DiscToc CdDriveSet::disc(const QString& device) {
  if (!devices_.contains(device)) return {};
  return find(device)->disc();
}
