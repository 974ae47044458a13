#pragma once

#include <QByteArray>
#include <QStringList>

// The places a drive search can start from: the mount points of the mounted
// file systems, each standing for one drive.
class MountedDrives {
 public:
  virtual ~MountedDrives() = default;
  virtual QStringList roots() const = 0;
};

// The system's own mount table (/proc/self/mounts).
class SystemMountedDrives : public MountedDrives {
 public:
  QStringList roots() const override;
};

// The mount points of a mount table in its text form, in table order, each
// once. File systems that hold no user files (proc, sysfs, cgroups, device
// and run-time areas and the like) are left out.
QStringList driveRootsFromMountTable(const QByteArray& table);
