#pragma once

#include <QPainter>
#include <QPicture>
#include <QStringList>
#include <stdexcept>

#include "windows/print/page_printer.h"

// A printer with a page of the test's size that records what each job drew.
struct FakePrinter : PagePrinter {
  QSize page{4800, 6800};
  bool setupConfirmed = true;
  int setups = 0;
  bool fails = false;
  QStringList jobs;  // their titles
  QPicture printed;

  QSize pageSize() const override { return page; }
  bool setup(QWidget*) override {
    ++setups;
    return setupConfirmed;
  }
  QString printPage(const QString& title, const std::function<void(QPainter&)>& draw) override {
    if (fails) throw PrintError("The printer could not start the print job.");
    jobs << title;
    QPainter painter(&printed);
    draw(painter);
    return {};
  }
};
