#pragma once

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

#include "program_fixture.h"
#include "widgets/drive_box.h"
#include "widgets/list_ticks.h"
#include "windows/viewer/graphics_viewer_window.h"

// The graphics viewer of a whole program on the doubles, with a folder of its
// own to stand for a drive.
struct ViewerFixture : ProgramFixture {
  ViewerFixture() {
    start();
    viewer = forms().Form9.get();
    viewer->FormActivate();
  }

  QString file(const QString& name) const { return drive.path() + '/' + name; }
  QString picture(const QString& name, QSize size = {40, 30}) const {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.save(file(name), "BMP");
    return file(name);
  }
  void select(const QStringList& files) {
    ui.expectOpenFiles(files);
    viewer->Button1Click();
  }
  QStringList lines() const {
    QStringList texts;
    for (int row = 0; row < viewer->ListBox1->count(); ++row)
      texts << viewer->ListBox1->item(row)->text();
    return texts;
  }
  QSize screen() const { return viewer->screen()->geometry().size(); }
  QPoint screenCentre() const { return QPoint(screen().width() / 2, screen().height() / 2); }
  bool ticked(int row) const { return lineTicked(*viewer->ListBox1, row); }
  void userTick(int row, bool ticked) {
    viewer->ListBox1->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
  }

  QTemporaryDir drive;
  TForm9* viewer = nullptr;
};
