#pragma once

#include <cdio/cdio.h>

#include <QString>
#include <QStringList>
#include <memory>

#include "app/media_device/disc_toc.h"

// Discs read through libcdio: an optical drive's device, or a disc image
// named by its cue sheet.
struct CdioCloser {
  void operator()(CdIo_t* cdio) const { cdio_destroy(cdio); }
};
using CdioHandle = std::unique_ptr<CdIo_t, CdioCloser>;

// Null when the source cannot be opened.
CdioHandle openDiscSource(const QString& source);
// Empty when there is no disc; tracks that start beyond the data read (an
// image cut short) are left out.
DiscToc readToc(CdIo_t* cdio);
// "Audio CD" for audio only, else the ISO 9660 volume id of the first data track.
QString readVolumeLabel(CdIo_t* cdio, const DiscToc& toc);
QStringList physicalCdDrives();
void openDriveDoor(const QString& device);
void closeDriveDoor(const QString& device);
