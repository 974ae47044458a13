#include "picture/picture_limits.h"

#include <unistd.h>

#include <algorithm>

#include "picture/picture_error.h"

namespace picture_limits {

namespace {

qint64 freeMemoryBytes() {
  const long pages = sysconf(_SC_AVPHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return kMaxBytes;
  return qint64(pages) * pageSize;
}

}  // namespace

void checkSize(qint64 width, qint64 height) {
  if (width <= 0 || height <= 0)
    throw InvalidGraphic(QStringLiteral("Invalid picture size %1 x %2").arg(width).arg(height));
  if (width > kMaxSide || height > kMaxSide)
    throw InvalidGraphic(
        QStringLiteral("Picture size %1 x %2 is beyond the largest allowed").arg(width).arg(height));
  // Half of what is free: drawing needs a second copy of the pixels.
  const qint64 allowed = std::min(kMaxBytes, freeMemoryBytes() / 2);
  if (width * height * 4 > allowed)
    throw InvalidGraphic(QStringLiteral("Not enough memory for a picture of %1 x %2 pixels")
                             .arg(width)
                             .arg(height));
}

}  // namespace picture_limits
