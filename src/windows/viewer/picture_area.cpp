#include "windows/viewer/picture_area.h"

#include <QPainter>

#include "services/fif/fif_image.h"
#include "services/picture/bitmap.h"
#include "services/picture/graphic.h"
#include "services/picture/graphic_formats.h"
#include "services/picture/icon.h"
#include "services/picture/metafile.h"

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) {}

PictureArea::~PictureArea() = default;

namespace {

// Icons keep their own mask and metafiles draw only what they hold; every
// other picture lets the window's face show through its background colour.
bool drawsTransparently(const Graphic& picture) {
  return !dynamic_cast<const Icon*>(&picture) && !dynamic_cast<const Metafile*>(&picture);
}

}  // namespace

void PictureArea::load(const QString& path) {
  std::unique_ptr<Graphic> loaded = GraphicFormats::Standard().LoadFromFile(path);
  const QSize size = storedSize(*loaded);
  // A fractal picture is decoded now: one that cannot be is refused here,
  // where the viewer can say so, and never when it is painted.
  if (dynamic_cast<TFIFImage*>(loaded.get())) loaded->ToImage();
  loaded->setTransparent(drawsTransparently(*loaded));
  picture_ = std::move(loaded);
  size_ = size;
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

// A bitmap is cut in place, so it goes on drawing its background colour
// transparently; other classes cannot be, so the cut is made on the pixels of
// the part kept alone (a poster-sized metafile never becomes a raster whole).
void PictureArea::cut() {
  const QSize size = pictureSize().boundedTo(QSize(MaxSide, MaxSide));
  if (auto* bitmap = dynamic_cast<Bitmap*>(picture_.get())) {
    bitmap->setWidth(size.width());
    bitmap->setHeight(size.height());
    size_ = size;
  } else {
    cut_ = picture_->ToImagePart(QRect(QPoint(0, 0), size));
  }
  update();
}

// Drawn straight onto the device's pixels: at its own size a picture keeps
// sharp pixels whatever the screen's scale; stretched, it is sampled at the
// screen's full resolution.
void PictureArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, size() != pictureSize());
  try {
    drawPicture(painter, rect());
  } catch (const std::exception&) {
    // A picture that fails to draw leaves the area empty; loading has
    // already refused every picture it could tell would fail.
  }
}
