#pragma once

#include <QString>
#include <memory>

#include "services/media_device/disc_toc.h"

// A disc whose sound can be read: an optical drive's disc, or a disc image.
class DiscSource {
 public:
  virtual ~DiscSource() = default;
  virtual const DiscToc& toc() const = 0;
  // Fills count frames of 16-bit little-endian stereo from frame on; false
  // when the disc can no longer be read. Called from the sound's own thread.
  virtual bool readAudio(int frame, int count, unsigned char* out) const = 0;
  // "Audio CD" for audio only, else the ISO 9660 volume id of the first data track.
  virtual QString volumeLabel() const = 0;
};

// A device (through libcdio) or a cue sheet (through libcue). Null when there
// is no disc to read; a broken image throws MediaDeviceError saying why.
std::shared_ptr<const DiscSource> openDiscSource(const QString& source);
bool isDiscImage(const QString& source);
