#include "platform/mounted_drives.h"

#include <QFile>
#include <QSet>

namespace {

bool isPseudoFileSystem(const QByteArray& type) {
  static const QSet<QByteArray> pseudo = {
      "proc",    "sysfs",   "devtmpfs", "devpts",  "cgroup",     "cgroup2",     "securityfs",
      "debugfs", "tracefs", "configfs", "fusectl", "mqueue",     "hugetlbfs",   "pstore",
      "bpf",     "autofs",  "efivarfs", "nsfs",    "rpc_pipefs", "binfmt_misc", "selinuxfs"};
  return pseudo.contains(type);
}

// Kernel and run-time areas: whatever is mounted there is not a user's drive.
bool isSystemArea(const QByteArray& mountPoint) {
  for (const char* area : {"/proc", "/sys", "/dev", "/run"}) {
    const QByteArray prefix(area);
    if (mountPoint == prefix || mountPoint.startsWith(prefix + '/')) return true;
  }
  return false;
}

// The table writes space, tab, newline and backslash in a mount point as a
// backslash and three octal digits.
QByteArray unescapeMountPoint(const QByteArray& field) {
  QByteArray path;
  for (qsizetype i = 0; i < field.size(); ++i) {
    const QByteArray digits = field.mid(i + 1, 3);
    bool octal = false;
    const int code = digits.toInt(&octal, 8);
    if (field[i] == '\\' && digits.size() == 3 && octal) {
      path += char(code);
      i += 3;
    } else {
      path += field[i];
    }
  }
  return path;
}

}  // namespace

QStringList driveRootsFromMountTable(const QByteArray& table) {
  QStringList roots;
  for (const QByteArray& line : table.split('\n')) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() < 3) continue;
    const QByteArray mountPoint = unescapeMountPoint(fields[1]);
    if (isPseudoFileSystem(fields[2]) || isSystemArea(mountPoint)) continue;
    const QString root = QFile::decodeName(mountPoint);
    if (!roots.contains(root)) roots << root;
  }
  return roots;
}

QStringList SystemMountedDrives::roots() const {
  QFile table("/proc/self/mounts");
  if (!table.open(QIODevice::ReadOnly)) return {"/"};
  return driveRootsFromMountTable(table.readAll());
}
