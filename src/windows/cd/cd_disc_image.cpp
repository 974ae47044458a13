// Choosing the disc image the virtual drive plays, and loading it.
#include <QAction>
#include <QComboBox>
#include <QPushButton>

#include "platform/ui_services.h"
#include "program/settings_store.h"
#include "services/media_device/cd_drive_set.h"
#include "services/media_device/media_device_factory.h"
#include "windows/cd/cd_player_window.h"

void TForm1::OpenDiscImage1Click() {
  const QStringList chosen =
      program_.ui.openFileNames({"Open Disc Image", "Disc images (*.cue *.CUE)", "", ""});
  if (!chosen.isEmpty()) LoadDiscImage(chosen.first());
}

// What a person would do by hand: stop and eject the disc loaded, choose the
// virtual drive, load. Each step is the window's own command, so it holds to
// the same rules; a step that is not available now ends the way.
void TForm1::LoadDiscImage(const QString& image) {
  program_.store.SaveVirtualDriveImage(image);
  if (discLoaded()) {
    if (!Button8->isEnabled() && Button2->isEnabled()) Button2Click(Button2);
    if (!Button8->isEnabled()) return;
    Button8Click();
  }
  const int virtualDrive = ComboBox1->findText(cdDriveEntry(kVirtualDriveName));
  if (virtualDrive < 0) return;
  if (virtualDrive != ComboBox1->currentIndex()) {
    ComboBox1->setCurrentIndex(virtualDrive);
    ComboBox1Change();
  }
  if (Button7->isEnabled()) Button7Click();
}
