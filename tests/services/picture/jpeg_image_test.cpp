#include <gtest/gtest.h>

#include "jpeg_writer.h"
#include "picture_test_support.h"
#include "services/picture/bitmap.h"
#include "services/picture/jpeg_image.h"
#include "services/picture/picture_error.h"

namespace {

// Flat 16 x 16 blocks of strong colours: what JPEG keeps well.
QImage blocks(int width, int height) {
  const QRgb colours[] = {qRgb(200, 30, 30),  qRgb(30, 200, 30),   qRgb(30, 30, 200),
                          qRgb(220, 220, 40), qRgb(250, 250, 250), qRgb(20, 20, 20)};
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, colours[(x / 16 + 2 * (y / 16)) % 6]);
  return image;
}

int worstDifference(const QImage& a, const QImage& b) {
  int worst = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                        std::abs(qBlue(p) - qBlue(q))});
    }
  return worst;
}

TEST(JpegImage, DecodesWhatWasWrittenInColourAndWithAPalette) {
  const QImage original = blocks(96, 64);
  const QByteArray file = encodeJpeg(original, 95);
  JpegImage jpeg;
  jpeg.setOutput(JpegImage::Output::Colours24);
  loadBytes(jpeg, file);
  ASSERT_EQ(jpeg.Width(), 96);
  ASSERT_EQ(jpeg.Height(), 64);
  EXPECT_TRUE(jpeg.Palette().isEmpty());
  EXPECT_LE(worstDifference(drawnAtOwnSize(jpeg), original), 12);

  // The palette output is chosen again from the same bytes.
  jpeg.setOutput(JpegImage::Output::Palette8);
  EXPECT_EQ(jpeg.ToImage().format(), QImage::Format_Indexed8);
  EXPECT_GT(jpeg.Palette().size(), 1);
  EXPECT_LE(jpeg.Palette().size(), 256);
  EXPECT_LE(worstDifference(drawnAtOwnSize(jpeg), original), 40);

  // Progressive and greyscale files decode too.
  loadBytes(jpeg, encodeJpeg(original, 95, true));
  jpeg.setOutput(JpegImage::Output::Colours24);
  EXPECT_LE(worstDifference(drawnAtOwnSize(jpeg), original), 12);
  loadBytes(jpeg, encodeJpeg(QImage(8, 8, QImage::Format_RGB32), 90, false, true));
  EXPECT_EQ(jpeg.Width(), 8);
}

TEST(JpegImage, SavesTheBytesItReadSharesOnAssignAndKeepsItsSize) {
  const QByteArray file = encodeJpeg(blocks(32, 32), 80);
  JpegImage jpeg;
  loadBytes(jpeg, file);
  EXPECT_EQ(savedBytes(jpeg), file);

  JpegImage copy;
  copy.Assign(&jpeg);
  EXPECT_EQ(savedBytes(copy), file);
  EXPECT_THROW(copy.setWidth(10), InvalidGraphicOperation);
  EXPECT_EQ(copy.Width(), 32);
  Bitmap bitmap;
  EXPECT_THROW(copy.Assign(&bitmap), InvalidGraphicOperation);

  // A bitmap takes a JPEG picture's pixels (as the clipboard needs).
  bitmap.Assign(&jpeg);
  EXPECT_EQ(bitmap.Width(), 32);
  EXPECT_EQ(drawnAtOwnSize(bitmap), drawnAtOwnSize(jpeg));
}

// As print workflows write them: CMYK and YCCK, the inks stored inverted.
TEST(JpegImage, PicturesInPrintingInksAreShownInLight) {
  const QImage original = blocks(64, 48);
  for (bool ycck : {false, true}) {
    SCOPED_TRACE(ycck ? "YCCK" : "CMYK");
    JpegImage jpeg;
    jpeg.setOutput(JpegImage::Output::Colours24);
    loadBytes(jpeg, encodeInksJpeg(original, ycck));
    EXPECT_LE(worstDifference(drawnAtOwnSize(jpeg), original), 16);
    jpeg.setOutput(JpegImage::Output::Palette8);
    EXPECT_EQ(jpeg.ToImage().format(), QImage::Format_Indexed8);
    EXPECT_LE(worstDifference(drawnAtOwnSize(jpeg), original), 40);
  }
}

// libjpeg's defaults: a warning, and the rows never received are grey.
TEST(JpegImage, AFileCutShortIsShownWithItsMissingRowsGrey) {
  const QImage original = blocks(64, 64);
  const QByteArray file = encodeJpeg(original, 90);
  JpegImage jpeg;
  jpeg.setOutput(JpegImage::Output::Colours24);
  const qsizetype scan = file.indexOf("\xFF\xDA");
  loadBytes(jpeg, file.left(scan + (file.size() - scan) / 2));
  ASSERT_EQ(QSize(jpeg.Width(), jpeg.Height()), QSize(64, 64));
  const QImage shown = drawnAtOwnSize(jpeg);
  EXPECT_LE(worstDifference(shown.copy(0, 0, 64, 16), original.copy(0, 0, 64, 16)), 12);
  for (QPoint p : {QPoint(8, 60), QPoint(40, 56)}) {
    EXPECT_NEAR(qRed(shown.pixel(p)), 128, 8);
    EXPECT_EQ(qRed(shown.pixel(p)), qBlue(shown.pixel(p)));
  }
}

// The scan holding the last refinement, from its marker to the file's end.
QByteArray lastScan(const QByteArray& file) {
  const qsizetype at = file.lastIndexOf("\xFF\xDA");
  return file.mid(at, file.size() - 2 - at);
}

TEST(JpegImage, BadFilesRaiseThePictureError) {
  const QByteArray good = encodeJpeg(blocks(64, 64), 90);
  QByteArray huge = good;
  const qsizetype frame = huge.indexOf("\xFF\xC0");
  huge[frame + 5] = char(0x9C), huge[frame + 6] = char(0x40);  // height 40000
  huge[frame + 7] = char(0x9C), huge[frame + 8] = char(0x40);  // width 40000
  const QByteArray progressive = encodeJpeg(blocks(16, 16), 90, true);
  QByteArray endless = progressive.left(progressive.size() - 2);
  endless += lastScan(progressive).repeated(1100);
  endless += "\xFF\xD9";
  expectRefused<JpegImage>({
      {"zero bytes", {}},
      {"not a JPEG", "BM this is a bitmap header, not a JPEG one"},
      {"cut inside its header", good.left(100)},
      {"huge declared size", huge},
      {"endless scans", endless},
  });
}

}  // namespace
