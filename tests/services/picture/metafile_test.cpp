#include <gtest/gtest.h>
#include <QMimeData>

#include "metafile_writers.h"
#include "picture_test_support.h"
#include "services/picture/metafile.h"
#include "services/picture/picture_error.h"

namespace {

const QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255),
           kYellow = qRgb(255, 255, 0), kWhite = qRgb(255, 255, 255);

bool hasDark(const QImage& image, QRect area) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (qGray(image.pixel(x, y)) < 100) return true;
  return false;
}

// Blocks of 2 x 2 pixels that are not all one colour: a picture scaled up
// from pixels has none; vectors drawn at twice the size have edges inside them.
int mixedBlocks(const QImage& image) {
  int mixed = 0;
  for (int y = 0; y + 1 < image.height(); y += 2)
    for (int x = 0; x + 1 < image.width(); x += 2) {
      const QRgb p = image.pixel(x, y);
      if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p ||
          image.pixel(x + 1, y + 1) != p)
        ++mixed;
    }
  return mixed;
}

// Both samples drawn into 100 x 100 pixels put the same things in the same places.
void expectSample(Metafile& metafile) {
  const QImage image = drawn(metafile, QSize(100, 100), Qt::white);
  EXPECT_EQ(image.pixel(20, 18), kRed);  // rectangle
  EXPECT_EQ(image.pixel(72, 18), kGreen);  // ellipse
  EXPECT_EQ(image.pixel(50, 5), kWhite);  // outside it
  EXPECT_EQ(image.pixel(12, 88), kBlue);  // polygon
  EXPECT_EQ(image.pixel(40, 60), kWhite);  // beyond its slant
  EXPECT_EQ(image.pixel(94, 66), kBlue);  // pie, counter-clockwise
  EXPECT_EQ(image.pixel(86, 74), kWhite);  // not the other way
  EXPECT_TRUE(hasDark(image, QRect(60, 39, 20, 3)));  // line
  EXPECT_TRUE(hasDark(image, QRect(50, 45, 20, 14)));  // text
  EXPECT_EQ(image.pixel(64, 74), kYellow);  // bitmap, top left
  EXPECT_EQ(image.pixel(76, 86), kGreen);  // bitmap, bottom right
}

TEST(Metafile, DrawsLinesShapesTextAndBitmapsFromEveryKindOfFile) {
  struct Kind {
    const char* name;
    QByteArray file;
    bool enhanced;
  } kinds[] = {{"placeable", sampleWmf(true), false},
               {"plain", sampleWmf(false), false},
               {"enhanced", sampleEmf(), true}};
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.name);
    Metafile metafile;
    loadBytes(metafile, kind.file);
    EXPECT_EQ(metafile.Enhanced(), kind.enhanced);
    EXPECT_EQ(metafile.Width(), kind.enhanced ? 96 : 100);
    EXPECT_EQ(metafile.Height(), kind.enhanced ? 96 : 100);
    expectSample(metafile);
    EXPECT_EQ(savedBytes(metafile), kind.file);
  }
}

TEST(Metafile, IsDrawnAsVectorsAtTwiceItsSize) {
  for (const QByteArray& file : {sampleWmf(true), sampleEmf()}) {
    Metafile metafile;
    loadBytes(metafile, file);
    const QImage twice = drawn(metafile, QSize(200, 200), Qt::white);
    EXPECT_EQ(twice.pixel(40, 36), kRed);
    EXPECT_EQ(twice.pixel(24, 176), kBlue);
    // The slant of the triangle steps every pixel, not every second one.
    EXPECT_GT(mixedBlocks(twice.copy(10, 110, 80, 80)), 20);
  }
}

// Left out rather than drawn: a colour font would build a glyph image that large.
TEST(Metafile, TextTallerThanWhereItIsDrawnIsLeftOut) {
  for (int height : {-200, -2000}) {
    SCOPED_TRACE(height);
    Metafile metafile;
    EmfWriter e;
    e.record(22, {6 | 24}).font(1, height).select(1);  // centred on its baseline
    e.text(QPoint(127, 254), QStringLiteral("\u2588"));  // a full block, ink everywhere
    loadBytes(metafile, e.file(QRect(0, 0, 2540, 2540)));
    const QImage image = drawn(metafile, QSize(100, 100), Qt::white);
    EXPECT_EQ(hasDark(image, image.rect()), height == -200);
  }
}

TEST(Metafile, TakesANewSizeSharesOnAssignAndOffersItsBytes) {
  Metafile metafile;
  loadBytes(metafile, sampleEmf());
  int changes = 0;
  metafile.setOnChange([&](Graphic&) { ++changes; });
  metafile.setWidth(300);
  metafile.setHeight(50);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(drawnAtOwnSize(metafile, Qt::white).size(), QSize(300, 50));

  Metafile copy;
  copy.Assign(&metafile);
  EXPECT_EQ(copy.Width(), 300);
  EXPECT_EQ(savedBytes(copy), sampleEmf());

  QMimeData data;
  copy.SaveToClipboardFormat(data);
  EXPECT_TRUE(data.hasImage());
  EXPECT_EQ(data.data("image/x-emf"), sampleEmf());
}

// The platform's save keeps the text alignment and background mode; the
// metafile library's forgot them, which put text a line low on white boxes.
TEST(Metafile, ASavedStateKeepsTheTextAlignmentAndBackgroundMode) {
  WmfWriter w;
  w.window(QRect(0, 0, 100, 100)).record(0x012E, {24}).record(0x0102, {1}).record(0x001E, {});
  Metafile metafile;
  loadBytes(metafile, w.font(-12).select(0).text(QPoint(50, 45), "Hi").file());
  const QImage image = drawn(metafile, QSize(100, 100), Qt::magenta);
  EXPECT_TRUE(hasDark(image, QRect(50, 34, 20, 11)));  // on its baseline
  EXPECT_FALSE(hasDark(image, QRect(50, 47, 20, 10)));
  EXPECT_FALSE(image.pixelColor(52, 40) == Qt::white || image.pixelColor(60, 46) == Qt::white);
}

// A poster-sized frame: its own size would take gigabytes of pixels.
TEST(Metafile, ALargeFrameIsDrawnAtTheSizeShownAndCutWithoutPixelsOfItsOwn) {
  EmfWriter e;  // 10 device pixels a millimetre, so 30000 x 40000 of them
  e.pen(1, 0, kRed).brush(2, kRed).select(1).select(2).rectangle(QRect(0, 0, 3000, 4000));
  Metafile metafile;
  loadBytes(metafile, e.file(QRect(0, 0, 300000, 400000)));
  EXPECT_EQ(QSize(metafile.Width(), metafile.Height()), QSize(11339, 15118));

  const QImage fitted = drawn(metafile, QSize(113, 151), Qt::white);
  EXPECT_EQ(fitted.pixel(5, 7), kRed);
  EXPECT_EQ(fitted.pixel(16, 20), kWhite);

  const QImage cut = metafile.ToImagePart(QRect(0, 0, 2000, 2000));
  ASSERT_EQ(cut.size(), QSize(2000, 2000));
  EXPECT_EQ(cut.pixel(1000, 1400), kRed);
  EXPECT_EQ(cut.pixel(1200, 1600), kWhite);
  const QImage part = metafile.ToImagePart(QRect(1000, 1400, 300, 300));
  EXPECT_EQ(part.pixel(50, 50), kRed);
  EXPECT_EQ(part.pixel(200, 200), kWhite);
}

TEST(Metafile, BadWindowsMetafilesRaiseThePictureError) {
  const QByteArray good = WmfWriter().rectangle(QRect(0, 0, 10, 10)).file(QRect(0, 0, 10, 10), 96);
  const qsizetype first = 22 + 18;  // first record, after both headers
  auto patched = [&](qsizetype at, QByteArray bytes) {
    return QByteArray(good).replace(at, bytes.size(), bytes);
  };
  QByteArray lyingPolygon = WmfWriter().record(0x0324, {5000, 1, 1}).file(QRect(0, 0, 10, 10), 96);
  expectRefused<Metafile>({
      {"zero bytes", {}},
      {"not a metafile", "GIF89a and then some more bytes to look long enough"},
      {"header only", good.left(first)},
      {"record of size 0 (would loop for ever)", patched(first, QByteArray(4, '\0'))},
      {"record longer than the file", patched(first, Bytes().u32(0x7FFFFFF).data)},
      {"no end record", good.left(good.size() - 6)},
      {"polygon with more points than its record", lyingPolygon},
      {"placeable header without a size", WmfWriter().file(QRect(0, 0, 0, 0), 96)},
      {"placeable header with no units per inch", patched(14, QByteArray(2, '\0'))},
  });
}

TEST(Metafile, BadEnhancedMetafilesRaiseThePictureError) {
  const QRect frame(0, 0, 1000, 1000);
  const QByteArray good = EmfWriter().rectangle(QRect(0, 0, 10, 10)).file(frame);
  auto patched = [&](qsizetype at, QByteArray bytes) {
    return QByteArray(good).replace(at, bytes.size(), bytes);
  };
  const QByteArray hugeBitmap = Bytes()
                                    .u32(40)
                                    .u32(60000)
                                    .u32(60000)
                                    .u16(1)
                                    .u16(24)
                                    .u32(0)
                                    .u32(0)
                                    .u32(0)
                                    .u32(0)
                                    .u32(0)
                                    .u32(0)
                                    .data;
  expectRefused<Metafile>({
      {"header cut short", good.left(60)},
      {"record of size 0 (would loop for ever)", patched(88 + 4, QByteArray(4, '\0'))},
      {"record size not whole words", patched(88 + 4, Bytes().u32(26).data)},
      {"record longer than the file", patched(88 + 4, Bytes().u32(0x7FFFFFF0).data)},
      {"no end record", good.left(good.size() - 20)},
      {"polygon with more points than its record",
       EmfWriter().record(86, {0, 0, 0, 0, 100000000}, Bytes().u32(0).data).file(frame)},
      {"bitmap of a huge declared size",
       EmfWriter().bitmap(QRect(0, 0, 10, 10), hugeBitmap + QByteArray(16, 0)).file(frame)},
      {"no size", EmfWriter().file(QRect(0, 0, 0, 0))},
      {"frame corners at the ends of the number range",
       patched(24, Bytes().u32(-2000000000).u32(0).u32(2000000000).u32(100).data)},
  });
}

}  // namespace
