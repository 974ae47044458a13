#include "platform/artwork.h"

#include <QPainter>
#include <QRadialGradient>

QPixmap discPicture(int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF disc(1, 1, size - 2, size - 2);
  QRadialGradient sheen(disc.center(), size / 2.0,
                        disc.topLeft() + QPointF(size / 3.0, size / 4.0));
  sheen.setColorAt(0.0, QColor(235, 240, 255));
  sheen.setColorAt(0.45, QColor(160, 175, 215));
  sheen.setColorAt(0.7, QColor(215, 190, 230));
  sheen.setColorAt(1.0, QColor(120, 135, 185));
  painter.setPen(QPen(QColor(70, 80, 120), 1));
  painter.setBrush(sheen);
  painter.drawEllipse(disc);
  const double hub = size / 6.0;
  painter.setBrush(QColor(240, 240, 240));
  painter.drawEllipse(disc.center(), hub, hub);
  painter.setBrush(Qt::white);
  painter.drawEllipse(disc.center(), hub / 2.5, hub / 2.5);
  return picture;
}
