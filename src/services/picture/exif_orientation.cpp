#include "services/picture/exif_orientation.h"

#include <QTransform>

#include "services/picture/byte_reader.h"
#include "services/picture/picture_error.h"

namespace {

constexpr quint16 kOrientationTag = 0x0112;
constexpr qint64 kTiffStart = 6;  // after "Exif\0\0"
constexpr qint64 kEntrySize = 12;

// Exif is TIFF inside: either byte order, the first directory holds the tag.
int readOrientation(QByteArrayView app1) {
  if (!app1.startsWith(QByteArrayView("Exif\0\0", 6))) return 1;
  const ByteReader in(app1.sliced(kTiffStart), QStringLiteral("Exif block"));
  const bool bigEndian = in.u16(0) == 0x4D4D;
  auto u16 = [&](qint64 at) {
    return bigEndian ? quint16(in.u8(at) << 8 | in.u8(at + 1)) : in.u16(at);
  };
  auto u32 = [&](qint64 at) {
    return bigEndian ? quint32(u16(at)) << 16 | u16(at + 2) : in.u32(at);
  };
  const qint64 directory = u32(4);
  const int entries = u16(directory);
  for (int i = 0; i < entries; ++i) {
    const qint64 entry = directory + 2 + i * kEntrySize;
    if (u16(entry) == kOrientationTag) return u16(entry + 8);
  }
  return 1;
}

}  // namespace

int exifOrientation(QByteArrayView app1) {
  try {
    const int orientation = readOrientation(app1);
    return orientation >= 1 && orientation <= 8 ? orientation : 1;
  } catch (const PictureError&) {
    return 1;
  }
}

QImage upright(const QImage& stored, int orientation) {
  const QTransform quarter = QTransform().rotate(90);  // clockwise
  switch (orientation) {
    case 2:
      return stored.mirrored(true, false);
    case 3:
      return stored.mirrored(true, true);
    case 4:
      return stored.mirrored(false, true);
    case 5:
      return stored.transformed(quarter).mirrored(true, false);
    case 6:
      return stored.transformed(quarter);
    case 7:
      return stored.transformed(quarter).mirrored(false, true);
    case 8:
      return stored.transformed(QTransform().rotate(270));
    default:
      return stored;
  }
}
