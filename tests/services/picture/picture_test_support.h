#pragma once

#include <gtest/gtest.h>
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QVector>
#include <cstdint>

#include <initializer_list>
#include <vector>

#include "services/picture/graphic.h"
#include "services/picture/picture_error.h"

// Little-endian byte building for the pictures the tests write themselves.
class Bytes {
 public:
  Bytes& u8(int v) {
    data.append(char(v));
    return *this;
  }
  Bytes& u16(int v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
  Bytes& u32(std::int64_t v) { return u16(int(v & 0xFFFF)).u16(int((v >> 16) & 0xFFFF)); }
  Bytes& raw(const QByteArray& bytes) {
    data.append(bytes);
    return *this;
  }
  Bytes& bytes(std::initializer_list<int> values) {
    for (int v : values) u8(v);
    return *this;
  }
  Bytes& pad(int multiple) {
    while (data.size() % multiple) u8(0);
    return *this;
  }
  QByteArray data;
};

// The picture drawn at `size` on a background of `background`.
inline QImage drawn(Graphic& graphic, QSize size, QColor background = Qt::magenta) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(background);
  QPainter painter(&image);
  graphic.Draw(painter, image.rect());
  return image;
}

inline QImage drawnAtOwnSize(Graphic& graphic, QColor background = Qt::magenta) {
  return drawn(graphic, QSize(graphic.Width(), graphic.Height()), background);
}

template <class G>
void loadBytes(G& graphic, const QByteArray& bytes) {
  QByteArray copy = bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  graphic.LoadFromStream(buffer);
}

inline QByteArray savedBytes(const Graphic& graphic) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  graphic.SaveToStream(buffer);
  return bytes;
}

// A bitmap file: the header for `width` x `height` (negative height: top
// down), the colour table and the given pixel bytes, already padded.
inline QByteArray bmpFile(int width, int height, int bitCount, int compression,
                          const QVector<QRgb>& palette, const QByteArray& pixels,
                          const QVector<std::uint32_t>& masks = {}) {
  const int offset = 14 + 40 + int(masks.size()) * 4 + int(palette.size()) * 4;
  Bytes b;
  b.raw("BM").u32(offset + pixels.size()).u32(0).u32(offset);
  b.u32(40).u32(width).u32(std::uint32_t(height)).u16(1).u16(bitCount).u32(compression);
  b.u32(pixels.size()).u32(0).u32(0).u32(palette.size()).u32(0);
  for (auto m : masks) b.u32(m);
  for (QRgb c : palette) b.u8(qBlue(c)).u8(qGreen(c)).u8(qRed(c)).u8(0);
  return b.raw(pixels).data;
}

struct BadFile {
  const char* name;
  QByteArray bytes;
};

// Each file is refused with a message and leaves the picture empty.
template <class G>
void expectRefused(const std::vector<BadFile>& files) {
  for (const BadFile& file : files) {
    G graphic;
    try {
      loadBytes(graphic, file.bytes);
      ADD_FAILURE() << file.name << " loaded";
    } catch (const PictureError& error) {
      EXPECT_FALSE(error.message().isEmpty()) << file.name;
    }
    EXPECT_TRUE(graphic.Empty()) << file.name;
  }
}
