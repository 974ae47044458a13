#pragma once

#include <QImage>
#include <QWidget>

// Where a video's frames are drawn: stretched over the whole surface, which
// sits on the display window's rectangle, or is a window of its own.
class VideoSurface : public QWidget {
  Q_OBJECT
 public:
  explicit VideoSurface(QWidget* parent = nullptr);

  void present(const QImage& frame);
  int framesShown() const { return framesShown_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage frame_;
  int framesShown_ = 0;
};
