#include "windows/print/page_printer.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <utility>

namespace {

const QString PrintName = "Corvela Pro Graphic Print";

// The printed page's arithmetic counts in pixels of a printer of about this
// resolution; a PDF page at a finer one would print every picture tiny.
constexpr int PdfResolution = 300;

// The file itself while it is free, or else the first of "name (2).pdf",
// "name (3).pdf", ... beside it that is.
QString firstFreeName(const QString& file) {
  const QFileInfo info(file);
  const QString pattern = info.dir().filePath(info.completeBaseName() + " (%1)." + info.suffix());
  QString free = file;
  for (int number = 2; QFileInfo::exists(free); ++number) free = pattern.arg(number);
  return free;
}

}  // namespace

QtPagePrinter::QtPagePrinter() : printer_(QPrinter::HighResolution) {
  // Without a printer, pages go to PDF files in the user's documents.
  if (QPrinterInfo::defaultPrinter().isNull()) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    chosenFile_ = named_ = QDir(folder).filePath(PrintName + ".pdf");
    printer_.setOutputFileName(chosenFile_);
    printer_.setResolution(PdfResolution);
  }
}

// No job replaces a file: the print dialog asks before the user's own choice
// is written over, once; every other job takes a free name beside it.
void QtPagePrinter::nameFreeFile() {
  const QString file = printer_.outputFileName();
  if (file.isEmpty() || std::exchange(replaceAgreed_, false)) return;
  // A file named by neither is a choice of its own.
  if (file != named_) chosenFile_ = file;
  named_ = firstFreeName(chosenFile_);
  printer_.setOutputFileName(named_);
}

QSize QtPagePrinter::pageSize() const {
  return printer_.pageLayout().paintRectPixels(printer_.resolution()).size();
}

bool QtPagePrinter::setup(QWidget* parent) {
  QPrintDialog dialog(&printer_, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  confirmSetup();
  return true;
}

void QtPagePrinter::confirmSetup() {
  chosenFile_ = named_ = printer_.outputFileName();
  replaceAgreed_ = !chosenFile_.isEmpty();
  if (printer_.outputFormat() == QPrinter::PdfFormat) printer_.setResolution(PdfResolution);
}

QString QtPagePrinter::printPage(const QString& title, const std::function<void(QPainter&)>& draw) {
  printer_.setDocName(title);
  nameFreeFile();
  const QString file = printer_.outputFileName();
  // A new user's home may have no documents folder yet.
  if (!file.isEmpty()) QDir().mkpath(QFileInfo(file).absolutePath());
  QPainter painter;
  if (!painter.begin(&printer_)) throw PrintError("The printer could not start the print job.");
  draw(painter);
  if (!painter.end()) throw PrintError("The printer could not finish the print job.");
  return file;
}
