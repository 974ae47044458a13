#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

#include "windows/print/page_layout.h"

class QPainter;

// The picture a print request hands to the print options: its size, how to
// draw it stretched into a rectangle, and the file it came from.
struct PrintedPicture {
  QSize size;
  std::function<void(QPainter&, const QRect&)> draw;
  QString fullPath;
  QString fileName;
};

// The picture into the layout's rectangle and, when there is one and room for
// it, the details text with its top-left corner at the layout's text origin.
void DrawPage(QPainter& painter, const PageLayout& layout, const PrintedPicture& picture,
              const QString& details);
