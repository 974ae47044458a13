#include "windows/print/page_printer.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

const QString PrintName = "Corvela Pro Graphic Print";

// "name.pdf", or else the first of "name (2).pdf", "name (3).pdf", ... not taken.
QString firstFreeName(const QDir& folder) {
  QString file = folder.filePath(PrintName + ".pdf");
  for (int number = 2; QFileInfo::exists(file); ++number)
    file = folder.filePath(QString("%1 (%2).pdf").arg(PrintName).arg(number));
  return file;
}

}  // namespace

QtPagePrinter::QtPagePrinter() : printer_(QPrinter::HighResolution) {
  // Without a printer, pages go to PDF files in the user's documents.
  if (QPrinterInfo::defaultPrinter().isNull()) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ownFile_ = QDir(folder).filePath(PrintName + ".pdf");
    printer_.setOutputFileName(ownFile_);
  }
}

// A file the user chose in the print dialog is theirs (the dialog asks before
// replacing it); one named here moves on to a free name for every job.
void QtPagePrinter::nameOwnFile() {
  if (ownFile_.isEmpty() || printer_.outputFileName() != ownFile_) return;
  ownFile_ = firstFreeName(QFileInfo(ownFile_).dir());
  printer_.setOutputFileName(ownFile_);
}

QSize QtPagePrinter::pageSize() const {
  return printer_.pageLayout().paintRectPixels(printer_.resolution()).size();
}

bool QtPagePrinter::setup(QWidget* parent) {
  QPrintDialog dialog(&printer_, parent);
  return dialog.exec() == QDialog::Accepted;
}

QString QtPagePrinter::printPage(const QString& title, const std::function<void(QPainter&)>& draw) {
  printer_.setDocName(title);
  nameOwnFile();
  const QString file = printer_.outputFileName();
  // A new user's home may have no documents folder yet.
  if (!file.isEmpty()) QDir().mkpath(QFileInfo(file).absolutePath());
  QPainter painter;
  if (!painter.begin(&printer_)) throw PrintError("The printer could not start the print job.");
  draw(painter);
  if (!painter.end()) throw PrintError("The printer could not finish the print job.");
  return file;
}
