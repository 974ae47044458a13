#include "services/media_device/video_surface.h"

#include <QPainter>

VideoSurface::VideoSurface(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
}

void VideoSurface::present(const QImage& frame) {
  frame_ = frame;
  ++framesShown_;
  update();
}

void VideoSurface::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (frame_.isNull())
    painter.fillRect(rect(), Qt::black);
  else
    painter.drawImage(rect(), frame_);
}
