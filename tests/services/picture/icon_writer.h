#pragma once

#include <QByteArray>
#include <QVector>

#include "picture_test_support.h"

// Icon files written byte by byte, one image of one colour per entry.
struct IconImage {
  int side;
  int bitCount;
  QRgb colour;
  bool alpha = false;  // 32 bits with their own alpha: opaque only in the picture's top half
};

inline int iconStride(int width, int bits) { return (width * bits + 31) / 32 * 4; }

// A square icon image of one colour whose mask hides the left half.
inline QByteArray iconDib(const IconImage& i) {
  Bytes b;
  const int colours = i.bitCount <= 8 ? 2 : 0;
  b.u32(40).u32(i.side).u32(2 * i.side).u16(1).u16(i.bitCount).u32(0).u32(0).u32(0).u32(0);
  b.u32(colours).u32(0);
  if (colours) b.u32(0).u8(qBlue(i.colour)).u8(qGreen(i.colour)).u8(qRed(i.colour)).u8(0);
  for (int row = 0; row < i.side; ++row) {
    Bytes line;
    for (int x = 0; x < i.side; ++x) {
      if (i.bitCount == 4 && x % 2 == 0) line.u8(0x11);
      if (i.bitCount == 8) line.u8(1);
      if (i.bitCount >= 24) line.u8(qBlue(i.colour)).u8(qGreen(i.colour)).u8(qRed(i.colour));
      if (i.bitCount == 32) line.u8(i.alpha && row >= i.side / 2 ? 255 : 0);
    }
    b.raw(line.data.leftJustified(iconStride(i.side, i.bitCount), '\0'));
  }
  for (int row = 0; row < i.side; ++row) {
    Bytes line;
    for (int x = 0; x < i.side; x += 8) line.u8(x < i.side / 2 ? 0xFF : 0);
    b.raw(line.data.leftJustified(iconStride(i.side, 1), '\0'));
  }
  return b.data;
}

inline QByteArray iconFile(const QVector<IconImage>& images) {
  Bytes b;
  b.u16(0).u16(1).u16(images.size());
  qint64 offset = 6 + 16 * images.size();
  QByteArray bodies;
  for (const IconImage& i : images) {
    const QByteArray dib = iconDib(i);
    b.u8(i.side)
        .u8(i.side)
        .u8(0)
        .u8(0)
        .u16(1)
        .u16(i.bitCount)
        .u32(dib.size())
        .u32(offset + bodies.size());
    bodies += dib;
  }
  return b.raw(bodies).data;
}
