#include <gtest/gtest.h>

#include "../picture_test_support.h"
#include "other_programs.h"
#include "services/picture/jpeg_image.h"

namespace {

// Red and blue halves, a green corner at the top left: every turn and
// mirror of it looks different.
QImage marked() {
  QImage image(64, 48, QImage::Format_RGB32);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      image.setPixel(x, y,
                     x < 16 && y < 16 ? qRgb(0, 200, 0)
                     : x < 32         ? qRgb(220, 20, 20)
                                      : qRgb(20, 20, 220));
  return image;
}

double meanDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 255;
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  return sum / (3.0 * a.width() * a.height());
}

QImage shown(const QByteArray& file) {
  JpegImage jpeg;
  jpeg.setOutput(JpegImage::Output::Colours24);
  loadBytes(jpeg, file);
  return drawnAtOwnSize(jpeg);
}

class ForeignJpeg : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!tools_.has("convert")) GTEST_SKIP() << "ImageMagick is not installed";
    marked().save(tools_.path("marked.png"));
  }
  OtherPrograms tools_;
};

// ImageMagick writes CMYK as Adobe's YCCK; it reads it back as we should.
TEST_F(ForeignJpeg, ImageMagickCmykIsShownAsImageMagickShowsIt) {
  ASSERT_TRUE(tools_.run("convert", {"marked.png", "-colorspace", "CMYK", "cmyk.jpg"}));
  ASSERT_TRUE(tools_.run("convert", {"cmyk.jpg", "-colorspace", "sRGB", "back.png"}));
  const QImage ours = shown(tools_.read("cmyk.jpg"));
  EXPECT_LT(meanDifference(ours, QImage(tools_.path("back.png"))), 6);
  EXPECT_LT(meanDifference(ours, marked()), 12);
}

// Every orientation a camera writes, upright as ImageMagick turns it; no tag,
// no turn.
TEST_F(ForeignJpeg, ExifOrientationsStandAsImageMagickTurnsThem) {
  if (!tools_.has("exiftool")) GTEST_SKIP() << "exiftool is not installed";
  ASSERT_TRUE(tools_.run("convert", {"marked.png", "-quality", "95", "plain.jpg"}));
  EXPECT_LT(meanDifference(shown(tools_.read("plain.jpg")), marked()), 6);
  for (int orientation = 1; orientation <= 8; ++orientation) {
    SCOPED_TRACE(orientation);
    const QString name = QString("o%1.jpg").arg(orientation);
    ASSERT_TRUE(QFile::copy(tools_.path("plain.jpg"), tools_.path(name)));
    ASSERT_TRUE(tools_.run("exiftool", {"-q", "-overwrite_original", "-n",
                                        QString("-Orientation=%1").arg(orientation), name}));
    ASSERT_TRUE(tools_.run("convert", {name, "-auto-orient", name + ".png"}));
    const QImage upright(tools_.path(name + ".png"));
    const QImage ours = shown(tools_.read(name));
    ASSERT_EQ(ours.size(), upright.size());
    EXPECT_LT(meanDifference(ours, upright), 6);
  }
}

}  // namespace
