// What the clipboard viewer makes of what other programs offer.
#include <gtest/gtest.h>
#include <QMimeData>

#include "windows/clipboard_viewer/clipboard_contents.h"

namespace {

TEST(ClipboardContents, AMetafileIsKnownByItsTypeAndSizeUnderEitherName) {
  QMimeData alone;
  alone.setData("image/emf", QByteArray(1234, 'x'));
  const ClipboardContents contents = ReadClipboard(&alone);
  EXPECT_TRUE(contents.picture.isNull());
  EXPECT_EQ(MetafileLine(contents).toStdString(), "Enhanced metafile, 1,234 bytes");

  QMimeData withPicture;
  QImage picture(8, 6, QImage::Format_RGB32);
  picture.fill(Qt::red);
  withPicture.setImageData(picture);
  withPicture.setData("image/x-wmf", QByteArray(50, 'x'));
  const ClipboardContents both = ReadClipboard(&withPicture);
  EXPECT_EQ(both.picture.size(), QSize(8, 6));
  EXPECT_EQ(MetafileLine(both).toStdString(), "Windows metafile, 50 bytes");
}

}  // namespace
