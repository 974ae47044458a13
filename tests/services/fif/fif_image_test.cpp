#include <gtest/gtest.h>
#include <QBuffer>

#include "codec_test_support.h"
#include "fif/qimage_conversion.h"
#include "picture_test_support.h"
#include "services/fif/deco_library.h"
#include "services/fif/fif_error.h"
#include "services/fif/fif_image.h"
#include "services/fif/fif_registration.h"
#include "services/picture/bitmap.h"
#include "services/picture/graphic_formats.h"

namespace {

using Mode = TFIFImage::OutputMode;

QByteArray fifBytes(const fif::RgbImage& image, int quality = 85,
                    std::vector<std::uint32_t> table = {}) {
  const auto bytes = encodeAt(image, quality, std::move(table));
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

QString standIn(const char* version) {
  return QStringLiteral(STAND_INS "/libdeco_stand_in_%1.so").arg(version);
}

QString refusal(const QString& library) {
  try {
    deco_library::LoadDecoLibrary(library, true);
  } catch (const EFIFError& error) {
    return error.message();
  }
  return {};
}

TEST(DecoLibrary, AcceptsVersionSixOrLaterAndSaysWhyItRefusesOthers) {
  EXPECT_EQ(refusal(standIn("5_9")),
            QStringLiteral("Wrong DLL version: %1 5.9.  This program requires version "
                           "6.0 or later.")
                .arg(standIn("5_9")));
  EXPECT_FALSE(deco_library::LoadDecoLibrary(standIn("5_9"), false));
  EXPECT_FALSE(deco_library::Loaded());
  EXPECT_TRUE(refusal(standIn("none")).startsWith("Error loading " + standIn("none") + ": ("));
  const QString missing = refusal("/no/such/libdeco32.so");
  EXPECT_TRUE(missing.startsWith("Error loading /no/such/libdeco32.so: (") && missing.endsWith(")"))
      << qPrintable(missing);

  for (const char* accepted : {"6_0", "7_0"}) {
    EXPECT_TRUE(deco_library::LoadDecoLibrary(standIn(accepted), true)) << accepted;
    EXPECT_TRUE(deco_library::Loaded());
    // A library lacking an entry point is reported, not called.
    TFIFImage picture;
    loadBytes(picture, fifBytes(testScene(8, 8)));
    EXPECT_THROW(picture.OriginalWidth(), EFIFError);
    deco_library::ReleaseDecoLibrary();
    EXPECT_FALSE(deco_library::Loaded());
  }
}

TEST(FifRegistration, AddsTheFormatOnlyWhenTheLibraryLoads) {
  GraphicFormats formats;
  EXPECT_FALSE(RegisterFifFormat(formats, "/no/such/libdeco32.so"));
  EXPECT_FALSE(formats.Has("fif"));
  EXPECT_TRUE(RegisterFifFormat(formats));
  EXPECT_EQ(formats.Description("FIF"), "Fractal Image File");
  EXPECT_EQ(formats.Create("fif")->ClassName(), "FIF Image");
  UnregisterFifFormat(formats);
  EXPECT_FALSE(formats.Has("fif"));
  EXPECT_FALSE(deco_library::Loaded());
}

TEST(FifImage, DecodesAtItsStoredSizeOnlyWhenFirstDrawn) {
  const auto scene = testScene(60, 44);
  TFIFImage picture(Mode::Colours24);
  int changes = 0;
  picture.setOnChange([&](Graphic&) { ++changes; });
  loadBytes(picture, fifBytes(scene));
  EXPECT_FALSE(picture.Empty());
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_EQ(picture.Height(), 0);
  EXPECT_EQ(picture.OriginalWidth(), 60);
  EXPECT_EQ(picture.OriginalHeight(), 44);

  const QImage bitmap = picture.Bitmap();
  EXPECT_EQ(bitmap.format(), QImage::Format_BGR888);
  EXPECT_EQ(picture.Width(), 60);
  EXPECT_EQ(picture.Height(), 44);
  EXPECT_GT(lumaPsnr(scene, fif::fromQImage(bitmap)), 25.0);
  EXPECT_EQ(changes, 2);  // loaded, then decoded

  picture.setWidth(30);
  picture.setHeight(10);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(picture.Bitmap().size(), QSize(30, 10));
  const QRgb disc = drawn(picture, QSize(90, 30)).pixel(45, 10);  // stretched, the red disc
  EXPECT_GT(qRed(disc), qGreen(disc) + 80);
}

// Too large to render at its own size within the library's budget, a
// picture is rendered as large as it allows, and its parts are still asked
// for in the stored size's pixels.
TEST(FifImage, APictureBeyondTheBudgetIsRenderedSmallerAndCutFromThat) {
  const auto bytes = flatPicture(8192, 8192);
  TFIFImage picture(Mode::Colours24);
  loadBytes(picture,
            QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
  const QSize rendered = picture.Bitmap().size();
  EXPECT_LT(rendered.width(), 8192);
  EXPECT_EQ(rendered.width(), rendered.height());
  const QImage part = picture.ToImagePart(QRect(0, 0, 2000, 1500));
  EXPECT_EQ(part.size(), QSize(2000, 1500));
  EXPECT_EQ(qGray(part.pixel(1999, 1499)), 129) << "the flat picture's mean";
}

// Drawing transparently changes nothing a decode depends on: one decode
// serves the drawing, the clipboard and the cut.
TEST(FifImage, ADecodedPictureIsNotDecodedAgainWhenAskedToDrawTransparently) {
  TFIFImage picture(Mode::Colours24);
  loadBytes(picture, fifBytes(testScene(30, 20)));
  int decodes = 0;
  picture.setOnProgress([&](Graphic&, ProgressStage stage, int) {
    if (stage == ProgressStage::Starting) ++decodes;
  });
  picture.ToImage();
  picture.setTransparent(true);
  drawn(picture, QSize(30, 20));
  picture.ToImage();
  EXPECT_EQ(decodes, 1);
}

// Its size is asked before every display: it costs the header, not the blocks.
TEST(FifImage, ReadsItsStoredSizeWithoutReadingItsBlocks) {
  const std::vector<std::uint8_t> cutShort(4, 0);
  const auto bytes =
      fileDeclaring(256, 256, true, fif::kMinRangeLog2, cutShort.data(), cutShort.size());
  TFIFImage picture(Mode::Colours24);
  loadBytes(picture,
            QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
  EXPECT_EQ(picture.OriginalWidth(), 256);
  EXPECT_ANY_THROW(picture.Bitmap());
}

TEST(FifImage, APictureWithNoStoredSizeDecodesAtOneHundredSquare) {
  TFIFImage picture(Mode::Colours24);
  loadBytes(picture, fifBytes(fif::RgbImage{}));
  EXPECT_EQ(picture.OriginalWidth(), 0);
  EXPECT_EQ(picture.Bitmap().size(), QSize(100, 100));
}

TEST(FifImage, EachOutputModeGivesThePicture) {
  const auto scene = testScene(48, 32);
  for (Mode mode : {Mode::Palette8, Mode::Colours15, Mode::Colours24}) {
    TFIFImage picture(mode);
    loadBytes(picture, fifBytes(scene));
    const QImage bitmap = picture.Bitmap();
    EXPECT_GT(lumaPsnr(scene, fif::fromQImage(bitmap)), mode == Mode::Palette8 ? 18.0 : 24.0)
        << int(mode);
    EXPECT_EQ(picture.Palette().size(), mode == Mode::Palette8 ? 256 : 0);
    EXPECT_EQ(picture.PaletteModified(), mode == Mode::Palette8);
  }
}

TEST(FifImage, APalettePictureIsShownInItsOwnColours) {
  const std::vector<std::uint32_t> table = {0x000000, 0xDC3C3C, 0x3C78B4, 0x3CB43C, 0xFFFFFF};
  TFIFImage picture(Mode::Palette8);
  loadBytes(picture, fifBytes(testScene(32, 32), 85, table));
  const QImage bitmap = picture.Bitmap();
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_LT(bitmap.pixelIndex(x, y), 5);
  EXPECT_EQ(picture.Palette()[1], qRgb(0xDC, 0x3C, 0x3C));
}

TEST(FifImage, SavesExactlyTheBytesItLoaded) {
  const QByteArray bytes = fifBytes(testScene(20, 20));
  TFIFImage picture;
  loadBytes(picture, bytes);
  picture.Bitmap();
  EXPECT_EQ(savedBytes(picture), bytes);

  TFIFImage empty;
  try {
    savedBytes(empty);
    ADD_FAILURE() << "saved nothing";
  } catch (const InvalidGraphicOperation& error) {
    EXPECT_EQ(error.message(), "No FIF data to write");
  }
}

TEST(FifImage, KeepsItsBytesInAStoredLayoutBehindTheirCount) {
  const QByteArray bytes = fifBytes(testScene(20, 20));
  TFIFImage picture, copy, empty;
  loadBytes(picture, bytes);
  QByteArray stored;
  QBuffer out(&stored);
  out.open(QIODevice::WriteOnly);
  picture.WriteData(out);
  empty.WriteData(out);
  EXPECT_EQ(stored.size(), 4 + bytes.size() + 4);
  const int count = bytes.size();
  const char prefix[4] = {char(count & 0xFF), char(count >> 8 & 0xFF), char(count >> 16), 0};
  EXPECT_EQ(stored.left(4), QByteArray(prefix, 4));
  EXPECT_EQ(stored.right(4), QByteArray(4, '\0'));

  QBuffer in(&stored);
  in.open(QIODevice::ReadOnly);
  copy.ReadData(in);
  EXPECT_EQ(savedBytes(copy), bytes);
  copy.ReadData(in);
  EXPECT_TRUE(copy.Empty());

  // A count larger than what follows is refused, not allocated.
  QByteArray damaged = QByteArray::fromHex("ffffff7f") + bytes;
  QBuffer bad(&damaged);
  bad.open(QIODevice::ReadOnly);
  EXPECT_THROW(copy.ReadData(bad), PictureError);
}

TEST(FifImage, SharesWithAnotherFifPictureAndRefusesOtherClasses) {
  TFIFImage source(Mode::Colours24), target(Mode::Colours24);
  loadBytes(source, fifBytes(testScene(24, 24)));
  source.setWidth(12);
  source.setHeight(12);
  const QImage decoded = source.Bitmap();
  target.Assign(&source);
  EXPECT_EQ(target.Width(), 12);
  EXPECT_EQ(target.Bitmap(), decoded);
  EXPECT_EQ(savedBytes(target), savedBytes(source));

  Bitmap bitmap;
  try {
    target.Assign(&bitmap);
    ADD_FAILURE() << "assigned a bitmap";
  } catch (const InvalidGraphicOperation& error) {
    EXPECT_EQ(error.message(), "Cannot assign to TFIFImage");
  }
  target.Assign(nullptr);
  EXPECT_TRUE(target.Empty());
}

TEST(FifImage, ReportsItsProgressFromStartToEnd) {
  TFIFImage picture(Mode::Colours24);
  loadBytes(picture, fifBytes(testScene(40, 40)));
  std::vector<std::pair<ProgressStage, int>> reports;
  picture.setOnProgress(
      [&](Graphic&, ProgressStage stage, int percent) { reports.emplace_back(stage, percent); });
  picture.Bitmap();
  ASSERT_GE(reports.size(), 3u);
  EXPECT_EQ(reports.front(), std::pair(ProgressStage::Starting, 0));
  EXPECT_EQ(reports[1].first, ProgressStage::Running);
  EXPECT_EQ(reports.back(), std::pair(ProgressStage::Ending, 100));
}

TEST(FifImage, ADamagedFileFailsWithTheLibrarysStatusAndLeavesNoSession) {
  QByteArray bytes = fifBytes(testScene(40, 40));
  bytes[bytes.size() - 3] = char(bytes[bytes.size() - 3] ^ 0x10);
  TFIFImage picture(Mode::Colours24);
  loadBytes(picture, bytes);
  bool ended = false;
  picture.setOnProgress(
      [&](Graphic&, ProgressStage stage, int) { ended = stage == ProgressStage::Ending; });
  try {
    drawn(picture, QSize(10, 10));
    ADD_FAILURE() << "a damaged file was drawn";
  } catch (const EFIFError& error) {
    EXPECT_EQ(error.message(), "Invalid FIF operation: -6");
  }
  EXPECT_TRUE(ended);
  EXPECT_NO_THROW(drawn(picture, QSize(10, 10)));
  // No session is left open: the library can go.
  deco_library::ReleaseDecoLibrary();
  EXPECT_FALSE(deco_library::Loaded());
}

}  // namespace
