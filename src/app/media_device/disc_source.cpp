#include "app/media_device/disc_source.h"

#include "app/media_device/cdio_disc.h"
#include "app/media_device/disc_image.h"

bool isDiscImage(const QString& source) { return source.endsWith(".cue", Qt::CaseInsensitive); }

std::shared_ptr<const DiscSource> openDiscSource(const QString& source) {
  if (isDiscImage(source)) return DiscImage::open(source);
  return CdioDisc::open(source);
}
