#include "services/media_device/disc_source.h"

#include <QFileInfo>

#include "services/media_device/cdio_disc.h"
#include "services/media_device/disc_image.h"

bool isDiscImage(const QString& source) { return source.endsWith(".cue", Qt::CaseInsensitive); }

std::shared_ptr<const DiscSource> openDiscSource(const QString& source) {
  // No image where one is named is a drive without a disc.
  if (isDiscImage(source)) return QFileInfo::exists(source) ? DiscImage::open(source) : nullptr;
  return CdioDisc::open(source);
}
