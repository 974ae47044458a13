#include <gtest/gtest.h>
#include <QBuffer>

#include "picture_test_support.h"
#include "services/picture/bitmap.h"
#include "services/picture/picture_error.h"

namespace {

constexpr int kWidth = 5;  // odd, so rows need padding at every depth
constexpr int kHeight = 3;

const QVector<QRgb> kColours = {qRgb(0, 0, 0),     qRgb(255, 0, 0),   qRgb(0, 255, 0),
                                qRgb(0, 0, 255),   qRgb(255, 255, 0), qRgb(255, 255, 255),
                                qRgb(0, 255, 255), qRgb(255, 0, 255)};

int indexAt(int x, int y, int colours) { return (x + 2 * y) % colours; }

// Row bytes as a writer of the format lays them out, top row first.
QByteArray packedRow(int y, int bitCount, const QVector<std::uint32_t>& masks) {
  Bytes row;
  if (bitCount <= 8) {
    const int colours = std::min<int>(kColours.size(), 1 << bitCount);
    int bits = 0, used = 0;
    for (int x = 0; x < kWidth; ++x) {
      bits = bits << bitCount | indexAt(x, y, colours);
      used += bitCount;
      if (used == 8) row.u8(bits), bits = 0, used = 0;
    }
    if (used) row.u8(bits << (8 - used));
  } else {
    for (int x = 0; x < kWidth; ++x) {
      const QRgb c = kColours[indexAt(x, y, kColours.size())];
      if (bitCount == 24) {
        row.u8(qBlue(c)).u8(qGreen(c)).u8(qRed(c));
      } else if (bitCount == 32) {
        row.u32(std::uint32_t(qRed(c)) << 16 | qGreen(c) << 8 | qBlue(c));
      } else {
        const bool six = !masks.isEmpty() && masks[1] == 0x07E0;
        const int r = qRed(c) >> 3, g = qGreen(c) >> (six ? 2 : 3), b = qBlue(c) >> 3;
        row.u16(six ? r << 11 | g << 5 | b : r << 10 | g << 5 | b);
      }
    }
  }
  return row.pad(4).data;
}

QByteArray patternFile(int bitCount, bool topDown, const QVector<std::uint32_t>& masks = {}) {
  QByteArray pixels;
  for (int i = 0; i < kHeight; ++i)
    pixels += packedRow(topDown ? i : kHeight - 1 - i, bitCount, masks);
  const QVector<QRgb> palette = bitCount <= 8
                                    ? kColours.first(std::min<int>(kColours.size(), 1 << bitCount))
                                    : QVector<QRgb>();
  return bmpFile(kWidth, topDown ? -kHeight : kHeight, bitCount, masks.isEmpty() ? 0 : 3, palette,
                 pixels, masks);
}

void expectPattern(Bitmap& bitmap, int bitCount) {
  ASSERT_EQ(bitmap.Width(), kWidth);
  ASSERT_EQ(bitmap.Height(), kHeight);
  const int colours =
      bitCount <= 8 ? std::min<int>(kColours.size(), 1 << bitCount) : kColours.size();
  const QImage image = drawnAtOwnSize(bitmap);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      ASSERT_EQ(image.pixel(x, y), kColours[indexAt(x, y, colours)]) << x << "," << y;
}

struct Layout {
  int bitCount;
  QVector<std::uint32_t> masks;
  PixelFormat format;
};

const Layout kLayouts[] = {
    {1, {}, PixelFormat::Bits1},
    {4, {}, PixelFormat::Bits4},
    {8, {}, PixelFormat::Bits8},
    {16, {}, PixelFormat::Bits15},
    {16, {0xF800, 0x07E0, 0x001F}, PixelFormat::Bits16},
    {24, {}, PixelFormat::Bits24},
    {32, {}, PixelFormat::Bits32},
    {32, {0xFF0000, 0xFF00, 0xFF}, PixelFormat::Bits32},
};

TEST(Bitmap, EveryDepthBothWaysUpDrawsTheStoredPixelsAndSavesInItsOwnFormat) {
  for (const Layout& layout : kLayouts) {
    for (bool topDown : {false, true}) {
      SCOPED_TRACE(testing::Message() << layout.bitCount << " bits, masks " << layout.masks.size()
                                      << (topDown ? " top-down" : " bottom-up"));
      Bitmap bitmap;
      loadBytes(bitmap, patternFile(layout.bitCount, topDown, layout.masks));
      expectPattern(bitmap, layout.bitCount);
      EXPECT_EQ(bitmap.pixelFormat(), layout.format);
      EXPECT_EQ(bitmap.Palette().size(),
                layout.bitCount <= 8 ? std::min(8, 1 << layout.bitCount) : 0);

      Bitmap again;
      loadBytes(again, savedBytes(bitmap));
      expectPattern(again, layout.bitCount);
      EXPECT_EQ(again.pixelFormat(), layout.format);
      EXPECT_EQ(again.Palette(), bitmap.Palette());
    }
  }
}

TEST(Bitmap, RunLengthBitmapsDecodeRunsAbsoluteStretchesAndDeltas) {
  const QVector<QRgb> palette = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
  // 6 x 3, bottom row first. Row 2 (bottom): run of 3 red, absolute green
  // blue green. Row 1: delta skips to x 4 and the row above; row 0 gets a run
  // of 2 blue at x 4 and 5, the rest stays colour 0.
  const QByteArray rle8 =
      Bytes().bytes({3, 1, 0, 3, 2, 3, 2, 0, 0, 0}).bytes({0, 2, 4, 1, 2, 3, 0, 1}).data;
  Bitmap bitmap;
  loadBytes(bitmap, bmpFile(6, 3, 8, 1, palette, rle8));
  QImage image = drawnAtOwnSize(bitmap);
  const QVector<QRgb> bottom = {palette[1], palette[1], palette[1],
                                palette[2], palette[3], palette[2]};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(image.pixel(x, 2), bottom[x]) << x;
  for (int x = 0; x < 6; ++x) EXPECT_EQ(image.pixel(x, 1), palette[0]) << x;
  for (int x = 0; x < 6; ++x) EXPECT_EQ(image.pixel(x, 0), x >= 4 ? palette[3] : palette[0]) << x;
  EXPECT_EQ(bitmap.pixelFormat(), PixelFormat::Bits8);

  // The same bottom row in 4 bits: runs alternate the two nibbles.
  const QByteArray rle4 = Bytes().bytes({3, 0x11, 0, 3, 0x23, 0x20, 0, 1}).data;
  loadBytes(bitmap, bmpFile(6, 1, 4, 2, palette, rle4));
  image = drawnAtOwnSize(bitmap);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(image.pixel(x, 0), bottom[x]) << x;
  EXPECT_EQ(bitmap.pixelFormat(), PixelFormat::Bits4);
  // Saved uncompressed at its depth, it reads back the same.
  Bitmap again;
  loadBytes(again, savedBytes(bitmap));
  EXPECT_EQ(drawnAtOwnSize(again), image);
}

TEST(Bitmap, TransparentDrawingLeavesTheBottomLeftColourUndrawn) {
  Bitmap bitmap;
  loadBytes(bitmap, patternFile(24, false));
  bitmap.setTransparent(true);
  // Bottom-left is pattern colour index (0 + 2*2) = yellow.
  const QRgb key = kColours[indexAt(0, kHeight - 1, kColours.size())];
  const QImage image = drawnAtOwnSize(bitmap, Qt::darkGray);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const QRgb stored = kColours[indexAt(x, y, kColours.size())];
      EXPECT_EQ(image.pixel(x, y), stored == key ? QColor(Qt::darkGray).rgb() : stored);
    }

  // A two-colour bitmap uses white, whatever its corner holds.
  loadBytes(bitmap, bmpFile(2, 1, 1, 0, {qRgb(255, 255, 255), qRgb(0, 0, 0)},
                            Bytes().u8(0x40).pad(4).data));
  const QImage mono = drawnAtOwnSize(bitmap, Qt::darkGray);
  EXPECT_EQ(mono.pixel(0, 0), QColor(Qt::darkGray).rgb());
  EXPECT_EQ(mono.pixel(1, 0), qRgb(0, 0, 0));
}

TEST(Bitmap, ResizingKeepsTheTopLeftAndAssignmentShares) {
  QByteArray pixels;
  for (int y = 0; y < 1000; ++y) pixels += QByteArray(2400, char(y < 10 ? 1 : 0));
  Bitmap big;
  loadBytes(big, bmpFile(2400, -1000, 8, 0, {qRgb(0, 0, 0), qRgb(255, 0, 0)}, pixels));
  int changes = 0;
  big.setOnChange([&](Graphic&) { ++changes; });
  Bitmap copy;
  copy.Assign(&big);
  big.setWidth(2000);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(big.Width(), 2000);
  EXPECT_EQ(big.Height(), 1000);
  EXPECT_EQ(big.pixelFormat(), PixelFormat::Bits8);
  const QImage image = drawnAtOwnSize(big);
  EXPECT_EQ(image.pixel(1999, 9), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(1999, 10), qRgb(0, 0, 0));
  // The earlier assignment still holds the whole picture.
  EXPECT_EQ(copy.Width(), 2400);
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
}

// As the platform showed them: the first entries, the rest passed over.
TEST(Bitmap, APaletteLongerThanItsDepthNeedsUsesItsFirstEntries) {
  const QVector<QRgb> three{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
  Bitmap bitmap;
  loadBytes(bitmap, bmpFile(2, 1, 1, 0, three, Bytes().u8(0x40).pad(4).data));
  EXPECT_EQ(bitmap.Palette(), three.first(2));
  const QImage image = drawnAtOwnSize(bitmap);
  EXPECT_EQ(image.pixel(0, 0), three[0]);
  EXPECT_EQ(image.pixel(1, 0), three[1]);
}

TEST(Bitmap, BadFilesRaiseThePictureError) {
  const QVector<QRgb> two = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
  const QByteArray good = patternFile(8, false);
  expectRefused<Bitmap>({
      {"zero bytes", {}},
      {"not a bitmap", "GIF89a and some more bytes to be long enough"},
      {"header cut short", good.left(30)},
      {"pixels cut short", good.left(good.size() - 3)},
      {"huge declared size", bmpFile(60000, 60000, 24, 0, {}, QByteArray(64, 0))},
      {"huge size, compressed", bmpFile(30000, 30000, 8, 1, two, Bytes().bytes({0, 1}).data)},
      {"zero width", bmpFile(0, 5, 24, 0, {}, QByteArray(64, 0))},
      {"negative width", bmpFile(-5, 5, 24, 0, {}, QByteArray(64, 0))},
      {"unknown depth", bmpFile(1, 1, 7, 0, {}, QByteArray(8, 0))},
      {"palette index out of range", bmpFile(2, 1, 8, 0, two, Bytes().bytes({1, 2}).pad(4).data)},
      {"compressed index out of range", bmpFile(2, 1, 8, 1, two, Bytes().bytes({2, 5, 0, 1}).data)},
      {"compressed without an end", bmpFile(4, 4, 8, 1, two, Bytes().bytes({2, 1, 0, 0}).data)},
      {"compressed top-down", bmpFile(2, -1, 8, 1, two, Bytes().bytes({2, 1, 0, 1}).data)},
      {"a colour table longer than the file",
       bmpFile(1, 1, 1, 0, QVector<QRgb>(3), QByteArray(4, 0)).replace(46, 4, "\xFF\xFF\xFF\x7F")},
  });
}

}  // namespace
