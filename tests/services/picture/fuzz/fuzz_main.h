#pragma once

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "services/picture/graphic.h"

// Text in metafiles needs fonts, and fonts need an application.
inline void startApplication() {
  static int argc = 1;
  static char name[] = "fuzz";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(argc, argv);
}

// Drawing at a small and a stretched size reaches every drawing path.
inline void drawTwice(Graphic& graphic) {
  for (QSize size : {QSize(16, 16), QSize(97, 41)}) {
    QImage image(size, QImage::Format_ARGB32);
    QPainter painter(&image);
    graphic.Draw(painter, image.rect());
  }
}
