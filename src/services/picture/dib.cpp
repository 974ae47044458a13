#include "services/picture/dib.h"

#include <algorithm>
#include <bit>

#include "services/picture/byte_reader.h"
#include "services/picture/picture_error.h"
#include "services/picture/picture_limits.h"

namespace {

enum Compression : quint32 { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };
constexpr qint64 kCoreHeaderSize = 12;
constexpr qint64 kInfoHeaderSize = 40;
constexpr qint64 kFileHeaderSize = 14;

QString what() { return QStringLiteral("Bitmap"); }

void readMasks(const ByteReader& in, DibHeader& header, qint64 headerSize) {
  const bool hasAlpha = header.compression == kAlphaBitFields || headerSize >= 56;
  const int count = hasAlpha ? 4 : 3;
  // The masks lie inside the larger headers, after the basic one otherwise.
  const qint64 at = kInfoHeaderSize;
  for (int i = 0; i < count; ++i) header.masks[i] = in.u32(at + 4 * i);
  if (headerSize == kInfoHeaderSize) header.size += 4 * count;
}

void setDefaultMasks(DibHeader& header) {
  if (header.bitCount == 16) {
    header.masks[0] = 0x7C00, header.masks[1] = 0x03E0, header.masks[2] = 0x001F;
  } else if (header.bitCount == 32) {
    header.masks[0] = 0xFF0000, header.masks[1] = 0xFF00, header.masks[2] = 0xFF;
  }
}

void readPalette(const ByteReader& in, DibHeader& header, qint64 colours, int entrySize) {
  if (header.bitCount <= 8) {
    const qint64 full = qint64(1) << header.bitCount;
    if (colours == 0) colours = full;
    // A longer table is kept in the file, but only its first entries can be used.
    for (qint64 i = 0; i < std::min(colours, full); ++i) {
      const qint64 at = header.size + i * entrySize;
      header.palette << qRgb(in.u8(at + 2), in.u8(at + 1), in.u8(at));
    }
  } else if (colours > 65536) {
    in.fail(QStringLiteral("declares too many colours"));
  }
  header.size += colours * entrySize;
  if (!in.has(0, header.size)) in.fail(QStringLiteral("colour table is truncated"));
}

void checkKnownLayout(const ByteReader& in, const DibHeader& header) {
  static constexpr int kDepths[] = {1, 4, 8, 16, 24, 32};
  if (std::find(std::begin(kDepths), std::end(kDepths), header.bitCount) == std::end(kDepths))
    in.fail(QStringLiteral("has an unsupported depth of %1 bits").arg(header.bitCount));
  const quint32 c = header.compression;
  const bool fits = c == kRgb || (c == kRle8 && header.bitCount == 8) ||
                    (c == kRle4 && header.bitCount == 4) ||
                    ((c == kBitFields || c == kAlphaBitFields) &&
                     (header.bitCount == 16 || header.bitCount == 32));
  if (!fits) in.fail(QStringLiteral("has an unsupported compression (%1)").arg(c));
  if (header.topDown && (c == kRle8 || c == kRle4))
    in.fail(QStringLiteral("is compressed but stored top-down"));
}

PixelFormat formatOf(const DibHeader& header) {
  switch (header.bitCount) {
    case 1:
      return PixelFormat::Bits1;
    case 4:
      return PixelFormat::Bits4;
    case 8:
      return PixelFormat::Bits8;
    case 16:
      return header.masks[1] == 0x07E0 ? PixelFormat::Bits16 : PixelFormat::Bits15;
    case 24:
      return PixelFormat::Bits24;
    default:
      return PixelFormat::Bits32;
  }
}

// One colour channel of a packed pixel, scaled to 0..255.
int channel(quint32 pixel, quint32 mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const quint32 max = mask >> shift;
  return int(quint64((pixel & mask) >> shift) * 255 / max);
}

void decodePacked(const DibHeader& header, const ByteReader& in, QImage& image) {
  const qint64 stride = dibStride(header.width, header.bitCount);
  const int bytes = header.bitCount / 8;
  const bool alpha = header.masks[3] != 0;
  for (int row = 0; row < image.height(); ++row) {
    const int y = header.topDown ? row : image.height() - 1 - row;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const qint64 at = row * stride + qint64(x) * bytes;
      if (bytes == 3) {
        line[x] = qRgb(in.u8(at + 2), in.u8(at + 1), in.u8(at));
        continue;
      }
      const quint32 pixel = bytes == 2 ? in.u16(at) : in.u32(at);
      const auto& m = header.masks;
      line[x] = qRgba(channel(pixel, m[0]), channel(pixel, m[1]), channel(pixel, m[2]),
                      alpha ? channel(pixel, m[3]) : 255);
    }
  }
}

void decodeIndexed(const DibHeader& header, const ByteReader& in, QImage& image) {
  const qint64 stride = dibStride(header.width, header.bitCount);
  const int bits = header.bitCount;
  const int perByte = 8 / bits;
  const int mask = (1 << bits) - 1;
  for (int row = 0; row < image.height(); ++row) {
    const int y = header.topDown ? row : image.height() - 1 - row;
    uchar* line = image.scanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      const quint8 byte = in.u8(row * stride + x / perByte);
      const int shift = 8 - bits * (x % perByte + 1);
      line[x] = uchar((byte >> shift) & mask);
    }
  }
}

// Run-length bitmaps: runs, escapes to the end of a line or of the picture,
// deltas that skip pixels, and absolute stretches padded to 16 bits. Writes
// beyond the right edge are dropped; the picture ends at its top row.
void decodeRunLength(const DibHeader& header, const ByteReader& in, QImage& image) {
  const bool nibbles = header.compression == kRle4;
  const int width = image.width();
  int x = 0;
  int y = image.height() - 1;
  auto put = [&](quint8 value) {
    if (x < width) image.scanLine(y)[x++] = value;
  };
  qint64 at = 0;
  while (y >= 0) {
    const quint8 count = in.u8(at);
    const quint8 value = in.u8(at + 1);
    at += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(nibbles ? (i % 2 ? value & 15 : value >> 4) : value);
    } else if (value == 0) {
      x = 0, --y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      x = std::min(x + in.u8(at), width), y -= in.u8(at + 1);
      at += 2;
    } else {
      const qint64 length = nibbles ? (value + 1) / 2 : value;
      for (int i = 0; i < value; ++i) {
        const quint8 byte = in.u8(at + (nibbles ? i / 2 : i));
        put(nibbles ? (i % 2 ? byte & 15 : byte >> 4) : byte);
      }
      at += (length + 1) & ~qint64(1);
    }
  }
}

void checkPaletteIndexes(const ByteReader& in, const QImage& image, qsizetype colours) {
  for (int y = 0; y < image.height(); ++y) {
    const uchar* line = image.constScanLine(y);
    if (std::any_of(line, line + image.width(), [&](uchar i) { return i >= colours; }))
      in.fail(QStringLiteral("refers to a colour beyond its palette"));
  }
}

quint16 pack16(QRgb pixel, bool sixBitGreen) {
  const int greenBits = sixBitGreen ? 6 : 5;
  return quint16((qRed(pixel) >> 3) << (5 + greenBits) | (qGreen(pixel) >> (8 - greenBits)) << 5 |
                 qBlue(pixel) >> 3);
}

void writeRow(ByteWriter& out, const QImage& image, int y, PixelFormat format, qint64 stride) {
  const qint64 start = out.bytes().size();
  const int bits = bitsPerPixel(format);
  if (bits <= 8) {
    const uchar* line = image.constScanLine(y);
    const int perByte = 8 / bits;
    for (int x = 0; x < image.width(); x += perByte) {
      quint8 byte = 0;
      for (int i = 0; i < perByte && x + i < image.width(); ++i)
        byte |= quint8(line[x + i] << (8 - bits * (i + 1)));
      out.u8(byte);
    }
  } else {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = line[x];
      if (bits == 16) {
        out.u16(pack16(p, format == PixelFormat::Bits16));
      } else {
        out.u8(quint8(qBlue(p))), out.u8(quint8(qGreen(p))), out.u8(quint8(qRed(p)));
        if (bits == 32) out.u8(quint8(qAlpha(p)));
      }
    }
  }
  while (out.bytes().size() - start < stride) out.u8(0);
}

}  // namespace

int bitsPerPixel(PixelFormat format) {
  static constexpr int kBits[] = {1, 4, 8, 16, 16, 24, 32};
  return kBits[int(format)];
}

qint64 dibStride(qint64 width, int bitCount) { return (width * bitCount + 31) / 32 * 4; }

DibHeader readDibHeader(QByteArrayView bytes) {
  const ByteReader in(bytes, what());
  DibHeader header;
  const qint64 headerSize = in.u32(0);
  header.size = headerSize;
  if (headerSize == kCoreHeaderSize) {
    header.width = in.u16(4);
    header.height = in.u16(6);
    header.bitCount = in.u16(10);
    checkKnownLayout(in, header);
    setDefaultMasks(header);
    readPalette(in, header, 0, 3);
    return header;
  }
  if (headerSize < kInfoHeaderSize || headerSize > 4096)
    in.fail(QStringLiteral("has an unknown header size (%1)").arg(headerSize));
  header.width = in.s32(4);
  const qint64 height = in.s32(8);
  header.topDown = height < 0;
  header.height = header.topDown ? -height : height;
  header.bitCount = in.u16(14);
  header.compression = in.u32(16);
  checkKnownLayout(in, header);
  if (header.compression == kBitFields || header.compression == kAlphaBitFields)
    readMasks(in, header, headerSize);
  else
    setDefaultMasks(header);
  readPalette(in, header, in.u32(32), 4);
  return header;
}

Dib decodeDib(const DibHeader& header, QByteArrayView bits) {
  const ByteReader in(bits, what());
  picture_limits::checkSize(header.width, header.height);
  const bool indexed = header.bitCount <= 8;
  const bool runLength = header.compression == kRle8 || header.compression == kRle4;
  // Refuse a short file before allocating for the size it claims.
  if (!runLength && !in.has(0, dibStride(header.width, header.bitCount) * header.height))
    in.fail(QStringLiteral("pixel data is truncated"));
  Dib dib;
  dib.format = formatOf(header);
  dib.palette = header.palette;
  const QImage::Format format = indexed           ? QImage::Format_Indexed8
                                : header.masks[3] ? QImage::Format_ARGB32
                                                  : QImage::Format_RGB32;
  dib.image = QImage(int(header.width), int(header.height), format);
  if (dib.image.isNull()) in.fail(QStringLiteral("is too large for the memory available"));
  if (!indexed) {
    decodePacked(header, in, dib.image);
    return dib;
  }
  dib.image.setColorTable(header.palette);
  if (runLength) {
    dib.image.fill(0);
    decodeRunLength(header, in, dib.image);
  } else {
    decodeIndexed(header, in, dib.image);
  }
  checkPaletteIndexes(in, dib.image, header.palette.size());
  return dib;
}

Dib readPackedDib(QByteArrayView bytes) {
  const DibHeader header = readDibHeader(bytes);
  return decodeDib(header, bytes.sliced(header.size));
}

Dib readBmpFile(QByteArrayView bytes) {
  const ByteReader in(bytes, what());
  if (in.size() < 2 || bytes.first(2) != "BM") in.fail(QStringLiteral("has no bitmap signature"));
  const qint64 bitsAt = in.u32(10);
  const DibHeader header = readDibHeader(in.slice(kFileHeaderSize, in.size() - kFileHeaderSize));
  // Some writers leave the offset 0; the pixels then follow the colour table.
  const qint64 start = bitsAt == 0 ? kFileHeaderSize + header.size : bitsAt;
  if (!in.has(start, 0)) in.fail(QStringLiteral("pixel data is missing"));
  return decodeDib(header, bytes.sliced(start));
}

QByteArray writeBmpFile(const Dib& dib) {
  const int bits = bitsPerPixel(dib.format);
  const bool indexed = bits <= 8;
  const QImage image = indexed ? dib.image : dib.image.convertToFormat(QImage::Format_ARGB32);
  const bool masks = dib.format == PixelFormat::Bits16;
  const qint64 colours = indexed ? dib.palette.size() : 0;
  const qint64 stride = dibStride(image.width(), bits);
  const qint64 bitsAt = kFileHeaderSize + kInfoHeaderSize + (masks ? 12 : 0) + colours * 4;
  ByteWriter out;
  out.raw("BM");
  out.u32(quint32(bitsAt + stride * image.height()));
  out.u32(0);
  out.u32(quint32(bitsAt));
  out.u32(kInfoHeaderSize);
  out.s32(image.width()), out.s32(image.height());
  out.u16(1), out.u16(quint16(bits));
  out.u32(masks ? kBitFields : kRgb);
  out.u32(quint32(stride * image.height()));
  out.u32(3780), out.u32(3780);  // 96 pixels per inch
  out.u32(quint32(colours)), out.u32(0);
  if (masks) out.u32(0xF800), out.u32(0x07E0), out.u32(0x001F);
  if (indexed)
    for (const QRgb colour : dib.palette)
      out.u8(quint8(qBlue(colour))), out.u8(quint8(qGreen(colour))), out.u8(quint8(qRed(colour))),
          out.u8(0);
  for (int y = image.height() - 1; y >= 0; --y) writeRow(out, image, y, dib.format, stride);
  return out.bytes();
}
