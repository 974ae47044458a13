#include "windows/clipboard_viewer/picture_view.h"

#include <QPainter>

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  setAccessibleName("Clipboard picture");
}

void PictureView::setPicture(const QImage& picture) {
  picture_ = picture;
  // What a screen reader says of the picture: its size.
  setAccessibleDescription(
      picture.isNull() ? QString() : QString("%1 x %2").arg(picture.width()).arg(picture.height()));
  updateGeometry();
  update();
}

void PictureView::setRealSize(bool realSize) {
  realSize_ = realSize;
  updateGeometry();
  update();
}

QSize PictureView::sizeHint() const { return realSize_ ? picture_.size() : QSize(); }

// A small picture is left at its size: enlarging only blurs it.
QRect PictureView::pictureRect() const {
  if (realSize_) return QRect(QPoint(0, 0), picture_.size());
  QSize size = picture_.size();
  if (size.width() > width() || size.height() > height())
    size.scale(this->size(), Qt::KeepAspectRatio);
  QRect placed(QPoint(0, 0), size);
  placed.moveCenter(rect().center());
  return placed;
}

void PictureView::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(pictureRect(), picture_);
}
