#include "windows/cd/cd_drive_checks.h"

#include "platform/ui_services.h"
#include "services/media_device/media_device.h"

bool openDriveOrReportHeld(MediaDevice& device, const QString& element, UiServices& ui) {
  try {
    device.open(element);
    return true;
  } catch (const MediaDeviceError&) {
    ui.setCursor(ScreenCursor::Normal);
    ui.messageDlg(MessageKind::Error,
                  "You appear to already have a copy of Corvela Pro running,\ror another program "
                  "is using the CD drive.\r\rThis copy of Corvela Pro will now terminate.");
    return false;
  }
}

bool discInDriveOrReportEmpty(const MediaDevice& device, const QString& problem, UiServices& ui) {
  // An empty drive reports no length for track 1. (A packed length of 1 is a
  // track of exactly one minute, which is a disc.)
  if (device.trackCount() != 0 && device.trackLength(1) != 0) return true;
  ui.setCursor(ScreenCursor::Normal);
  if (!problem.isEmpty()) {
    // An image that is there but broken: "no disc" would send the user looking in the wrong place.
    ui.messageDlg(MessageKind::Error, problem);
    return false;
  }
  ui.messageDlg(MessageKind::Warning,
                "No CD Disk found in drive.\r\rEnsure that an Audio CD is in the CD Drive.");
  return false;
}

void stopAndClose(MediaDevice& device) {
  try {
    device.stop();
  } catch (const MediaDeviceError&) {
    // A drive without a disc has nothing to stop.
  }
  device.close();
}
