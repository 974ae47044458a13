#include "viewer/picture_area.h"

#include <QPainter>

#include "picture/graphic.h"
#include "picture/graphic_formats.h"
#include "viewer/fif/fif_image.h"

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) {}

PictureArea::~PictureArea() = default;

void PictureArea::load(const QString& path) {
  std::unique_ptr<Graphic> loaded = GraphicFormats::Standard().LoadFromFile(path);
  picture_ = std::move(loaded);
  size_ = storedSize(*picture_);
  cut_ = QImage();
  update();
}

// A fractal picture has no size of its own until it is decoded at one; the
// size stored in its file stands for it.
QSize PictureArea::storedSize(Graphic& picture) {
  if (auto* fractal = dynamic_cast<TFIFImage*>(&picture))
    return QSize(fractal->OriginalWidth(), fractal->OriginalHeight());
  return QSize(picture.Width(), picture.Height());
}

QSize PictureArea::pictureSize() const {
  if (!cut_.isNull()) return cut_.size();
  return size_;
}

bool PictureArea::tooBig() const {
  const QSize size = pictureSize();
  return size.width() > MaxSide || size.height() > MaxSide;
}

// Not every picture class can be cut in place, so the cut is made on its pixels.
void PictureArea::cut() {
  const QSize size = pictureSize();
  cut_ = picture_->ToImage().copy(0, 0, std::min(size.width(), MaxSide),
                                  std::min(size.height(), MaxSide));
  update();
}

void PictureArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  drawPicture(painter, rect());
}
