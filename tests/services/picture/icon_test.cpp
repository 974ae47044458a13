#include <gtest/gtest.h>

#include "icon_writer.h"
#include "picture_test_support.h"
#include "services/picture/icon.h"
#include "services/picture/picture_error.h"

namespace {

const QVector<IconImage> kImages = {{16, 4, qRgb(255, 0, 0)},
                                    {32, 8, qRgb(0, 255, 0)},
                                    {32, 24, qRgb(0, 0, 255)},
                                    {48, 32, qRgb(255, 255, 0), true}};

TEST(Icon, ChoosesTheImageForTheStandardSizeAndTheScreenDepth) {
  const QByteArray file = iconFile(kImages);
  struct Choice {
    int side, depth;
    QRgb colour;
    int width;
  } choices[] = {{32, 32, qRgb(0, 0, 255), 32},  // closest size, deepest colour
                 {32, 8, qRgb(0, 255, 0), 32},  // deepest the screen can show
                 {16, 32, qRgb(255, 0, 0), 16},
                 {48, 32, qRgb(255, 255, 0), 48}};
  for (const Choice& c : choices) {
    const QImage image = readIconFile(file, c.side, c.depth);
    EXPECT_EQ(image.width(), c.width);
    EXPECT_EQ(image.pixel(c.width - 1, 0), c.colour) << c.side << " " << c.depth;
  }
}

TEST(Icon, DrawsThroughItsMaskOrItsOwnAlphaAndKeepsItsSize) {
  Icon icon;
  loadBytes(icon, iconFile(kImages));
  ASSERT_EQ(icon.Width(), 32);
  const QImage image = drawnAtOwnSize(icon, Qt::darkGray);
  EXPECT_EQ(image.pixel(5, 5), QColor(Qt::darkGray).rgb());
  EXPECT_EQ(image.pixel(20, 5), qRgb(0, 0, 255));
  EXPECT_THROW(icon.setWidth(64), InvalidGraphicOperation);
  EXPECT_EQ(savedBytes(icon), iconFile(kImages));

  // A 32-bit image with alpha of its own ignores the mask.
  loadBytes(icon, iconFile({{32, 32, qRgb(255, 255, 0), true}}));
  const QImage alpha = drawnAtOwnSize(icon, Qt::darkGray);
  EXPECT_EQ(alpha.pixel(5, 5), qRgb(255, 255, 0));
  EXPECT_EQ(alpha.pixel(20, 30), QColor(Qt::darkGray).rgb());
}

TEST(Icon, BadFilesRaiseThePictureError) {
  const QByteArray good = iconFile({{32, 8, qRgb(0, 255, 0)}});
  QByteArray farOffset = good;
  farOffset[6 + 12] = char(0x7F);
  QByteArray manyImages = good;
  manyImages[4] = char(0xFF), manyImages[5] = char(0xFF);
  expectRefused<Icon>({
      {"zero bytes", {}},
      {"no images", Bytes().u16(0).u16(1).u16(0).data},
      {"a bitmap", bmpFile(1, 1, 24, 0, {}, QByteArray(4, 0))},
      {"image offset beyond the file", farOffset},
      {"more images than the file holds", manyImages},
      {"mask cut off", good.left(good.size() - 8)},
  });
}

}  // namespace
