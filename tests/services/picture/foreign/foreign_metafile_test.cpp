#include <gtest/gtest.h>

#include "../metafile_writers.h"
#include "other_programs.h"
#include "services/picture/metafile.h"

namespace {

const QRgb kRed = qRgb(255, 0, 0), kBlue = qRgb(0, 0, 255), kGreen = qRgb(0, 160, 0);

QImage drawnMetafile(const QByteArray& bytes, QSize size) {
  Metafile metafile;
  loadBytes(metafile, bytes);
  return drawn(metafile, size, Qt::white);
}

// A red block over 10..40 % of the width and 20..50 % of the height, as a
// program would write it inside `window` (origin and extent, either may run
// backwards), with the records the program puts before it.
QByteArray redBlock(WmfWriter w, QPoint origin, QSize extent, QRect bounds = {}, int inch = 0) {
  w.record(0x020B, {origin.y(), origin.x()}).record(0x020C, {extent.height(), extent.width()});
  auto at = [&](double x, double y) {
    return QPoint(origin.x() + qRound(x * extent.width()),
                  origin.y() + qRound(y * extent.height()));
  };
  w.pen(5, 0, kRed).brush(0, kRed).select(0).select(1);
  w.rectangle(QRect(at(0.1, 0.2), at(0.4, 0.5)).normalized());
  return w.file(bounds, inch);
}

void expectRedBlock(const QImage& image) {
  const Patch red = patchOf(image, kRed);
  EXPECT_NEAR(red.place.left(), 0.1, 0.02);
  EXPECT_NEAR(red.place.top(), 0.2, 0.02);
  EXPECT_NEAR(red.place.right(), 0.4, 0.02);
  EXPECT_NEAR(red.place.bottom(), 0.5, 0.02);
}

// The records' window fills the rectangle drawn into; the placeable header
// gives the size only.
TEST(ForeignMetafile, HeaderShapesOfOtherProgramsAreDrawnInTheirWindow) {
  WmfWriter anisotropic;
  anisotropic.record(0x0103, {8}).record(0x020E, {300, 300});  // map mode, viewport extent
  struct Shape {
    const char* name;
    QByteArray file;
    QSize pixels;
  } shapes[] = {
      {"box away from 0,0",
       redBlock({}, {1000, 2000}, {400, 300}, QRect(1000, 2000, 400, 300), 96),
       {400, 300}},
      {"y running up", redBlock({}, {0, 300}, {400, -300}, QRect(0, 0, 400, 300), 96), {400, 300}},
      {"both axes backwards", redBlock({}, {400, 300}, {-400, -300}), {400, 300}},
      {"box in 1/96 inch, window in twips",
       redBlock({}, {0, 0}, {6000, 4500}, QRect(0, 0, 400, 300), 96),
       {400, 300}},
      {"box in 1/1440 inch, window in 1/96 inch",
       redBlock({}, {-50, -50}, {400, 300}, QRect(0, 0, 2880, 2160), 1440),
       {192, 144}},
      {"anisotropic, plain", redBlock(anisotropic, {0, 0}, {800, 600}), {800, 600}},
      {"anisotropic, placeable, y up",
       redBlock(anisotropic, {-200, 100}, {400, -300}, QRect(-200, -200, 400, 300), 96),
       {400, 300}},
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    Metafile metafile;
    loadBytes(metafile, shape.file);
    EXPECT_EQ(QSize(metafile.Width(), metafile.Height()), shape.pixels);
    expectRedBlock(drawn(metafile, QSize(200, 150), Qt::white));
    expectRedBlock(drawn(metafile, QSize(60, 300), Qt::white));
  }
}

// Without a window in its records, a placeable picture's box is its window.
TEST(ForeignMetafile, APlaceableBoxAwayFromTheOriginFramesRecordsThatSetNoWindow) {
  WmfWriter w;
  w.pen(5, 0, kRed).brush(0, kRed).select(0).select(1);
  w.rectangle(QRect(QPoint(-460, 560), QPoint(-340, 650)));
  expectRedBlock(drawnMetafile(w.file(QRect(-500, 500, 400, 300), 96), QSize(200, 150)));
}

const char* const kShapes = R"(<svg xmlns="http://www.w3.org/2000/svg" width="300" height="200">
  <rect x="20" y="30" width="100" height="50" fill="#ff0000"/>
  <circle cx="220" cy="120" r="50" fill="#0000ff"/>
  <path d="M 30 180 L 130 180 L 80 110 Z" fill="#00a000"/>
</svg>)";

// The same drawing exported by two drawing programs, compared with libwmf's
// own renderer: the same colours over the same areas in the same places. That
// renderer frames what is drawn, not the picture, so the two are compared over
// what is drawn; where the picture keeps the drawing's page, the places on
// the page are checked too.
class ForeignMetafileFromTools : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    tools_ = new OtherPrograms;
    tools_->write("shapes.svg", kShapes);
    for (const char* type : {"wmf", "emf"}) {
      const QString name = QStringLiteral("inkscape.") + type;
      tools_->run("inkscape",
                  {"shapes.svg", "--export-type=" + QString(type), "--export-filename=" + name});
      tools_->run("soffice",
                  {"-env:UserInstallation=file://" + tools_->path("office"), "--headless",
                   "--convert-to", type, "--outdir", tools_->path("office"), "shapes.svg"});
    }
  }
  static void TearDownTestSuite() { delete tools_; }

  // libwmf's own picture of a Windows metafile.
  static QImage theirs(const QString& wmf) {
    if (!tools_->run("wmf2gd", {"-t", "png", "-o", wmf + ".png", wmf})) return {};
    return QImage(tools_->path(wmf + ".png"));
  }

  static void expectAsTheyDrawIt(const QString& file, const QString& reference, bool keepsPage) {
    const QByteArray bytes = tools_->read(file);
    if (bytes.isEmpty()) GTEST_SKIP() << file.toStdString() << ": its program is not installed";
    const QImage them = theirs(reference);
    if (them.isNull()) GTEST_SKIP() << "wmf2gd is not installed";
    Metafile metafile;
    loadBytes(metafile, bytes);
    const QImage us = drawnAtOwnSize(metafile, Qt::white);
    for (QRgb colour : {kRed, kBlue, kGreen}) expectSamePatch(inked(us), inked(them), colour);
    if (!keepsPage) return;
    EXPECT_NEAR(metafile.Width(), 300, 4);
    EXPECT_NEAR(metafile.Height(), 200, 4);
    const Patch red = patchOf(us, kRed);
    EXPECT_NEAR(red.place.left(), 20.0 / 300, 0.02);
    EXPECT_NEAR(red.place.top(), 30.0 / 200, 0.02);
    EXPECT_NEAR(red.place.right(), 120.0 / 300, 0.02);
    EXPECT_NEAR(red.place.bottom(), 80.0 / 200, 0.02);
  }

  static OtherPrograms* tools_;
};
OtherPrograms* ForeignMetafileFromTools::tools_ = nullptr;

TEST_F(ForeignMetafileFromTools, InkscapeWmf) {
  expectAsTheyDrawIt("inkscape.wmf", "inkscape.wmf", true);
}
TEST_F(ForeignMetafileFromTools, InkscapeEmf) {
  expectAsTheyDrawIt("inkscape.emf", "inkscape.wmf", true);
}
// LibreOffice frames what is drawn.
TEST_F(ForeignMetafileFromTools, LibreOfficeWmf) {
  expectAsTheyDrawIt("office/shapes.wmf", "office/shapes.wmf", false);
}
TEST_F(ForeignMetafileFromTools, LibreOfficeEmf) {
  expectAsTheyDrawIt("office/shapes.emf", "office/shapes.wmf", false);
}

}  // namespace
