#pragma once

#include <QString>

class MediaDevice;
class UiServices;

// The two checks both CD windows make when they take the drive, with what
// they say when it fails.

// Opens the device on the drive; false, after the error message, when the
// drive is held by another copy or another program.
bool openDriveOrReportHeld(MediaDevice& device, const QString& element, UiServices& ui);
// True when a disc is in the drive; false, after the warning, when it is
// empty, or after an error box with the problem when its disc (an image) is
// broken.
bool discInDriveOrReportEmpty(const MediaDevice& device, const QString& problem, UiServices& ui);
// Stops the disc, if there is one to stop, and closes the device.
void stopAndClose(MediaDevice& device);
