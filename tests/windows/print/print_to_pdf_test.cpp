// A real print through Qt print support into a PDF file, read back with the
// PDF tools: the picture stands where the layout puts it, and the file name
// is printed under it when asked. The file goes into a folder that does not
// exist yet, as a new user's documents folder may not.
#include <gtest/gtest.h>
#include <QDateTime>
#include <QDir>
#include <QPainter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "program_fixture.h"
#include "windows/print/page_printer.h"
#include "windows/print/print_options_dialog.h"

namespace {

constexpr int RenderDpi = 100;

struct PrintToPdf : ProgramFixture {
  PrintToPdf() {
    start();
    options = forms().Form13.get();
    auto real = std::make_unique<QtPagePrinter>();
    QPrinter& printer = real->printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf());
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    margin = printer.pageLayout().paintRectPixels(printer.resolution()).topLeft();
    resolution = printer.resolution();
    options->Printer = std::move(real);
  }
  QString pdf() const { return folder.filePath("Documents/page.pdf"); }

  // A black square of 100 printer pixels, printed at zoom 4 from the margin.
  void print(QRadioButton* details) {
    options->Picture = {
        QSize(100, 100),
        [](QPainter& painter, const QRect& rect) { painter.fillRect(rect, Qt::black); },
        "/pictures/zebra.bmp", "zebra.bmp"};
    options->FormActivate();
    options->RadioButton2->click();
    details->click();
    options->PrintPicture(options->ZoomFactor);
  }
  QImage rendered() const {
    QProcess::execute("pdftoppm", {"-r", QString::number(RenderDpi), "-gray", "-singlefile", pdf(),
                                   folder.filePath("page")});
    return QImage(folder.filePath("page.pgm"));
  }
  QString text() const {
    QProcess::execute("pdftotext", {pdf(), folder.filePath("page.txt")});
    QFile file(folder.filePath("page.txt"));
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
  }
  // A printer pixel from the printable area's corner, on the rendered page.
  int onPage(int printerPixels, int marginPixels) const {
    return (marginPixels + printerPixels) * RenderDpi / resolution;
  }
  // The rows of the page that have anything dark in them, between two columns.
  QPair<int, int> darkRows(const QImage& page, int left, int right) const {
    int first = -1, last = -1;
    for (int y = 0; y < page.height(); ++y)
      for (int x = left; x < right; ++x)
        if (qGray(page.pixel(x, y)) < 128) {
          if (first < 0) first = y;
          last = y;
          break;
        }
    return {first, last};
  }

  QTemporaryDir folder;
  TForm13* options = nullptr;
  QPoint margin;
  int resolution = 0;
};

TEST(PrintToPdf, ThePictureStandsWhereTheLayoutSaysWithoutText) {
  PrintToPdf f;
  f.print(f.options->RadioButton8);
  const QImage page = f.rendered();
  ASSERT_FALSE(page.isNull()) << "pdftoppm (poppler-utils) renders the page";
  // Zoom 4 doubled: 50 to 850 printer pixels each way.
  const int left = f.onPage(50, f.margin.x()), right = f.onPage(850, f.margin.x());
  const int top = f.onPage(50, f.margin.y()), bottom = f.onPage(850, f.margin.y());
  EXPECT_LT(qGray(page.pixel((left + right) / 2, (top + bottom) / 2)), 64);
  EXPECT_GT(qGray(page.pixel(left - 3, top + 5)), 192);
  EXPECT_GT(qGray(page.pixel(right + 3, top + 5)), 192);
  const auto [first, last] = f.darkRows(page, 0, page.width());
  EXPECT_NEAR(first, top, 1);
  EXPECT_NEAR(last, bottom, 1) << "nothing printed under the picture";
  EXPECT_FALSE(f.text().contains("zebra"));
}

TEST(PrintToPdf, TheFileNameOrFullPathIsPrintedUnderThePictureWhenAsked) {
  PrintToPdf f;
  f.print(f.options->RadioButton7);
  const QImage page = f.rendered();
  ASSERT_FALSE(page.isNull());
  const int left = f.onPage(50, f.margin.x());
  const int bottom = f.onPage(850, f.margin.y());
  const auto [first, last] = f.darkRows(page, left, left + 100);
  EXPECT_GT(last, bottom + 3) << "the text stands below the picture";
  EXPECT_LT(last, bottom + 40);
  EXPECT_EQ(f.text().trimmed(), "zebra.bmp");

  PrintToPdf g;
  g.print(g.options->RadioButton6);
  EXPECT_EQ(g.text().trimmed(), "/pictures/zebra.bmp");
}

TEST(PrintToPdf, WithoutAPrinterEachPrintKeepsTheEarlierFilesAndSaysWhereItWent) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this system has a printer";
  ProgramFixture f;
  f.start();
  f.ui.clear();
  TForm13& options = *f.forms().Form13;
  options.Picture = {QSize(10, 10), {}, "/pictures/a.bmp", "a.bmp"};
  options.FormActivate();
  options.PrintPicture(options.ZoomFactor);
  options.PrintPicture(options.ZoomFactor);

  const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  QStringList files = documents.entryList({"*.pdf"});
  files.sort();
  EXPECT_EQ(files,
            (QStringList{"Corvela Pro Graphic Print (2).pdf", "Corvela Pro Graphic Print.pdf"}));
  ASSERT_EQ(f.ui.shown().size(), 2u);
  EXPECT_EQ(f.ui.shown()[1].box, UiDouble::Box::Information);
  EXPECT_EQ(f.ui.shown()[1].text, "The print has been saved in the file\r\r" +
                                      documents.filePath("Corvela Pro Graphic Print (2).pdf"));
}

// The print dialog asks before the user's own file is replaced, once; later
// prints keep it and go to a free name beside it, and say which.
TEST(PrintToPdf, AFileChosenInTheDialogIsNeverReplacedByALaterPrint) {
  QTemporaryDir folder;
  QtPagePrinter printer;
  printer.printer().setOutputFormat(QPrinter::PdfFormat);
  printer.printer().setOutputFileName(folder.filePath("a.pdf"));
  QFile(folder.filePath("a.pdf")).open(QIODevice::WriteOnly);  // the user agreed to replace it
  printer.confirmSetup();
  const auto page = [](QPainter& painter) { painter.drawText(10, 10, "x"); };
  EXPECT_EQ(printer.printPage("first", page), folder.filePath("a.pdf"));
  const QDateTime first = QFileInfo(folder.filePath("a.pdf")).lastModified();
  EXPECT_EQ(printer.printPage("second", page), folder.filePath("a (2).pdf"));
  EXPECT_EQ(printer.printPage("third", page), folder.filePath("a (3).pdf"));
  EXPECT_EQ(QFileInfo(folder.filePath("a.pdf")).lastModified(), first);
}

// The page arithmetic counts printer pixels as a printer of about 300 dpi has them.
TEST(PrintToPdf, APdfPageHasThreeHundredDotsAnInch) {
  QtPagePrinter printer;
  printer.printer().setOutputFormat(QPrinter::PdfFormat);
  printer.confirmSetup();
  EXPECT_EQ(printer.printer().resolution(), 300);
  EXPECT_LT(printer.pageSize().width(), 2600);
}

}  // namespace
