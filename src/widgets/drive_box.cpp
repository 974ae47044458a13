#include "widgets/drive_box.h"

#include "platform/mounted_drives.h"

DriveBox::DriveBox(QWidget* parent) : QComboBox(parent) {
  setDrives(SystemMountedDrives().roots());
}

void DriveBox::setDrives(const QStringList& roots) {
  clear();
  addItems(roots);
}

void DriveBox::setDrive(const QString& root) {
  int index = findText(root);
  if (index < 0) {
    addItem(root);
    index = count() - 1;
  }
  setCurrentIndex(index);
}

void DriveBox::tie(DriveBox& one, DriveBox& other) {
  connect(&one, &QComboBox::currentTextChanged, &other, [&other](const QString& root) {
    if (other.drive() != root) other.setDrive(root);
  });
  connect(&other, &QComboBox::currentTextChanged, &one, [&one](const QString& root) {
    if (one.drive() != root) one.setDrive(root);
  });
}
