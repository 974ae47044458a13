#include "print/page_printer.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QStandardPaths>

QtPagePrinter::QtPagePrinter() : printer_(QPrinter::HighResolution) {
  // Without a printer, pages go to a PDF file in the user's documents.
  if (QPrinterInfo::defaultPrinter().isNull()) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    printer_.setOutputFileName(QDir(folder).filePath("Corvela Pro Graphic Print.pdf"));
  }
}

QSize QtPagePrinter::pageSize() const {
  return printer_.pageLayout().paintRectPixels(printer_.resolution()).size();
}

bool QtPagePrinter::setup(QWidget* parent) {
  QPrintDialog dialog(&printer_, parent);
  return dialog.exec() == QDialog::Accepted;
}

void QtPagePrinter::printPage(const QString& title, const std::function<void(QPainter&)>& draw) {
  printer_.setDocName(title);
  // A new user's home may have no documents folder yet.
  if (!printer_.outputFileName().isEmpty())
    QDir().mkpath(QFileInfo(printer_.outputFileName()).absolutePath());
  QPainter painter;
  if (!painter.begin(&printer_))
    throw PrintError("The printer could not start the print job.");
  draw(painter);
  if (!painter.end()) throw PrintError("The printer could not finish the print job.");
}
