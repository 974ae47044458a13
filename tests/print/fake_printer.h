#pragma once

#include <QPainter>
#include <QPicture>
#include <QStringList>
#include <stdexcept>

#include "print/page_printer.h"

// A printer with a page of the test's size that records what each job drew.
struct FakePrinter : PagePrinter {
  QSize page{4800, 6800};
  bool setupConfirmed = true;
  int setups = 0;
  QStringList jobs;  // their titles
  QPicture printed;
  QString failure;  // a job fails with this error when set

  QSize pageSize() const override { return page; }
  bool setup(QWidget*) override {
    ++setups;
    return setupConfirmed;
  }
  void printPage(const QString& title, const std::function<void(QPainter&)>& draw) override {
    if (!failure.isEmpty()) throw std::runtime_error(failure.toStdString());
    jobs << title;
    QPainter painter(&printed);
    draw(painter);
  }
};
