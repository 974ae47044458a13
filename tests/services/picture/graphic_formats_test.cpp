#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "picture_test_support.h"
#include "services/picture/bitmap.h"
#include "services/picture/graphic_formats.h"
#include "services/picture/picture_error.h"

namespace {

// A format that adds itself at run time.
class Plain : public Graphic {
 public:
  QString ClassName() const override { return "Plain"; }
  void LoadFromStream(QIODevice& stream) override { bytes_ = stream.readAll(); }
  void SaveToStream(QIODevice& stream) const override { stream.write(bytes_); }
  void Draw(QPainter&, const QRect&) override {}
  bool Empty() const override { return bytes_.isEmpty(); }
  int Width() const override { return 1; }
  int Height() const override { return 1; }

 private:
  QByteArray bytes_;
};

TEST(GraphicFormats, KnowsTheStandardFormatsAndTakesNewOnes) {
  GraphicFormats formats;
  EXPECT_EQ(formats.Extensions(), QStringList({"bmp", "emf", "ico", "jpeg", "jpg", "wmf"}));
  EXPECT_FALSE(formats.Has("plain"));

  formats.Add("PLN", "Plain pictures", [] { return std::make_unique<Plain>(); });
  EXPECT_TRUE(formats.Has("pln"));
  EXPECT_EQ(formats.Description("pln"), "Plain pictures");
  EXPECT_EQ(formats.Create("Pln")->ClassName(), "Plain");
  formats.Remove("pln");
  EXPECT_FALSE(formats.Has("pln"));
  EXPECT_THROW(formats.Create("pln"), InvalidGraphic);
}

TEST(GraphicFormats, LoadsAFileByItsExtensionAndRefusesOthers) {
  QTemporaryDir dir;
  const QByteArray bmp = bmpFile(1, 1, 24, 0, {}, Bytes().bytes({0, 0, 255}).pad(4).data);
  auto write = [&](const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
  };
  GraphicFormats formats;
  auto picture = formats.LoadFromFile(write("RED.BMP", bmp));
  EXPECT_EQ(picture->ClassName(), "Bitmap");
  EXPECT_EQ(drawnAtOwnSize(*picture).pixel(0, 0), qRgb(255, 0, 0));

  EXPECT_THROW(formats.LoadFromFile(write("red.xyz", bmp)), InvalidGraphic);
  EXPECT_THROW(formats.LoadFromFile(write("noextension", bmp)), InvalidGraphic);
  EXPECT_THROW(formats.LoadFromFile(dir.filePath("missing.bmp")), PictureError);
}

TEST(Graphic, SizesOfFixedSizePicturesAndForeignAssignmentsAreRefused) {
  Plain plain;
  try {
    plain.setWidth(5);
    FAIL();
  } catch (const InvalidGraphicOperation& e) {
    EXPECT_EQ(e.message(), "Cannot change the size of a Plain");
  }
  Bitmap bitmap;
  try {
    plain.Assign(&bitmap);
    FAIL();
  } catch (const InvalidGraphicOperation& e) {
    EXPECT_EQ(e.message(), "Cannot assign a Bitmap to a Plain");
  }
}

}  // namespace
