#pragma once

#include <QComboBox>
#include <QStringList>

// The drive a list window searches: one entry per mounted file system, named
// by its mount point. Two windows' boxes can be tied so that choosing a
// drive in one chooses it in the other.
class DriveBox : public QComboBox {
  Q_OBJECT
 public:
  // Filled with the system's mounted drives.
  explicit DriveBox(QWidget* parent);

  void setDrives(const QStringList& roots);
  QString drive() const { return currentText(); }
  // Chooses the drive, adding it when the box does not list it.
  void setDrive(const QString& root);

  // From now on each box follows the drive chosen in the other.
  static void tie(DriveBox& one, DriveBox& other);
};
