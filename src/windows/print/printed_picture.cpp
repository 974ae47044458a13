#include "windows/print/printed_picture.h"

#include <QPainter>

void DrawPage(QPainter& painter, const PageLayout& layout, const PrintedPicture& picture,
              const QString& details) {
  if (picture.draw) picture.draw(painter, layout.picture);
  if (details.isEmpty() || !layout.textOrigin) return;
  const QPoint origin = *layout.textOrigin;
  painter.drawText(origin.x(), origin.y() + painter.fontMetrics().ascent(), details);
}
