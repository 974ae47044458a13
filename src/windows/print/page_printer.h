#pragma once

#include <QPrinter>
#include <QSize>
#include <QString>
#include <functional>
#include <stdexcept>

class QPainter;
class QWidget;

// A print job that could not be started.
struct PrintError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The printer pictures go to: its printable page, its set-up dialog and
// one-page print jobs.
class PagePrinter {
 public:
  virtual ~PagePrinter() = default;
  // The printable area, in printer pixels.
  virtual QSize pageSize() const = 0;
  // The platform's print dialog; false when the user cancelled it.
  virtual bool setup(QWidget* parent) = 0;
  // One job of one page, drawn in printer pixels from the printable area's
  // top-left corner; throws PrintError when the job cannot begin. Returns the
  // file the page went into, empty when it went to a printer.
  virtual QString printPage(const QString& title, const std::function<void(QPainter&)>& draw) = 0;
};

// The system's default printer through Qt print support (CUPS), or a PDF file
// when the system has no printer or the user chose one. No job overwrites a
// file without the user's word: each takes the first free name beside it.
class QtPagePrinter : public PagePrinter {
 public:
  QtPagePrinter();

  QSize pageSize() const override;
  bool setup(QWidget* parent) override;
  // What follows the user's confirming the print dialog.
  void confirmSetup();
  QString printPage(const QString& title, const std::function<void(QPainter&)>& draw) override;

  QPrinter& printer() { return printer_; }

 private:
  void nameFreeFile();

  QPrinter printer_;
  QString chosenFile_;  // the file named here or in the print dialog; free names follow it
  QString named_;  // the file the last job was given
  bool replaceAgreed_ = false;  // the print dialog has just asked about replacing it
};
