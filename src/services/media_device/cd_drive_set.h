#pragma once

#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include "services/media_device/disc_toc.h"

class CdDrive;
class CdMechanism;

// The drive that plays a disc image rather than a disc.
inline const QString kVirtualDriveName = QStringLiteral("virtual");

// The program's CD drives by device name, each made once, on first use, and
// shared by every handle on it.
class CdDriveSet {
 public:
  using MechanismMaker = std::function<std::unique_ptr<CdMechanism>(const QString& device)>;
  CdDriveSet(QStringList devices, MechanismMaker makeMechanism);
  ~CdDriveSet();

  // "" is the first drive. An unknown name throws a device error.
  std::shared_ptr<CdDrive> find(const QString& device);
  QStringList entries() const;
  QString volumeLabel(const QString& device);
  QString discProblem(const QString& device);
  DiscToc disc(const QString& device);

 private:
  QStringList devices_;
  MechanismMaker makeMechanism_;
  std::map<QString, std::shared_ptr<CdDrive>> drives_;
};
