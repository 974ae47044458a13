#pragma once

#include <cdio/cdio.h>

#include <QStringList>
#include <memory>

#include "services/media_device/disc_source.h"

// The disc in an optical drive, read through libcdio, with its CD-Text.
class CdioDisc : public DiscSource {
 public:
  // Null when the drive has no disc that can be read.
  static std::shared_ptr<const CdioDisc> open(const QString& device);
  ~CdioDisc() override;

  const DiscToc& toc() const override { return toc_; }
  bool readAudio(int frame, int count, unsigned char* out) const override;
  QString volumeLabel() const override;

 private:
  explicit CdioDisc(CdIo_t* cdio) : cdio_(cdio) {}
  CdIo_t* cdio_;
  DiscToc toc_;
};

QStringList physicalCdDrives();
void openDriveDoor(const QString& device);
void closeDriveDoor(const QString& device);
