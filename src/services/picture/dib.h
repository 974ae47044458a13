#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QVector>

// How a bitmap's pixels are stored in its file; kept so a bitmap is saved as
// it was read.
enum class PixelFormat { Bits1, Bits4, Bits8, Bits15, Bits16, Bits24, Bits32 };

int bitsPerPixel(PixelFormat format);

// A decoded device-independent bitmap. Palette-based bitmaps come as
// Format_Indexed8 images whose colour table is the palette.
struct Dib {
  QImage image;
  PixelFormat format = PixelFormat::Bits24;
  QVector<QRgb> palette;
};

// The header of a device-independent bitmap and its colour table, as found at
// the start of `bytes`.
struct DibHeader {
  qint64 width = 0;
  qint64 height = 0;
  bool topDown = false;
  int bitCount = 0;
  quint32 compression = 0;
  quint32 masks[4] = {};  // red, green, blue, alpha
  QVector<QRgb> palette;
  qint64 size = 0;  // header, masks and colour table together
};

DibHeader readDibHeader(QByteArrayView bytes);
// Decodes the pixels that follow a header read by readDibHeader.
Dib decodeDib(const DibHeader& header, QByteArrayView bits);
// A header, its colour table and the pixels in one block, as metafiles and
// icons hold them.
Dib readPackedDib(QByteArrayView bytes);
// Row length in bytes of a stored bitmap, padded to 32 bits.
qint64 dibStride(qint64 width, int bitCount);

// A whole bitmap file ("BM" header first).
Dib readBmpFile(QByteArrayView bytes);
QByteArray writeBmpFile(const Dib& dib);
