#include "services/picture/picture_limits.h"

#include <algorithm>
#include <limits>

#include "platform/system_information.h"
#include "services/picture/picture_error.h"

namespace picture_limits {

namespace {

// What the system can give without swapping, page cache included: free pages
// alone would refuse large photos whenever the cache is full.
qint64 availableMemoryBytes() {
  const std::uint64_t available = LinuxSystemInformation().memoryStatus().availablePhysical;
  if (available == 0) return kMaxBytes;
  return qint64(
      std::min<std::uint64_t>(available, std::uint64_t(std::numeric_limits<qint64>::max())));
}

}  // namespace

void checkSides(qint64 width, qint64 height) {
  if (width <= 0 || height <= 0)
    throw InvalidGraphic(QStringLiteral("Invalid picture size %1 x %2").arg(width).arg(height));
  if (width > kMaxSide || height > kMaxSide)
    throw InvalidGraphic(QStringLiteral("Picture size %1 x %2 is beyond the largest allowed")
                             .arg(width)
                             .arg(height));
}

void checkSize(qint64 width, qint64 height) {
  checkSides(width, height);
  // Half of what is available: drawing needs a second copy of the pixels.
  const qint64 allowed = std::min(kMaxBytes, availableMemoryBytes() / 2);
  if (width * height * 4 > allowed)
    throw InvalidGraphic(
        QStringLiteral("Not enough memory for a picture of %1 x %2 pixels").arg(width).arg(height));
}

}  // namespace picture_limits
