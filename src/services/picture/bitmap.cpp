#include "services/picture/bitmap.h"

#include <QIODevice>
#include <QPainter>

#include "services/picture/picture_error.h"
#include "services/picture/picture_limits.h"

void Bitmap::LoadFromStream(QIODevice& stream) {
  replace(std::make_shared<BitmapData>(readBmpFile(stream.readAll())));
}

void Bitmap::SaveToStream(QIODevice& stream) const {
  const QByteArray bytes = data_ ? writeBmpFile(data_->dib) : QByteArray();
  writeStored(stream, data_ ? &bytes : nullptr);
}

void Bitmap::Draw(QPainter& painter, const QRect& rect) {
  if (!data_) return;
  painter.drawImage(rect, Transparent() ? maskedImage() : data_->dib.image);
}

void Bitmap::setWidth(int width) { resize(width, Height()); }

void Bitmap::setHeight(int height) { resize(Width(), height); }

void Bitmap::resize(int width, int height) {
  if (!data_ || (width == Width() && height == Height())) return;
  picture_limits::checkSize(width, height);
  Dib dib = data_->dib;
  dib.image = dib.image.copy(0, 0, width, height);
  replace(std::make_shared<BitmapData>(std::move(dib)));
}

void Bitmap::Assign(Graphic* source) {
  if (!source) {
    replace(nullptr);
  } else if (const auto* bitmap = dynamic_cast<Bitmap*>(source)) {
    replace(bitmap->data_);
  } else if (source->Empty()) {
    replace(nullptr);
  } else {
    Dib dib;
    dib.image = source->ToImage();
    replace(std::make_shared<BitmapData>(std::move(dib)));
  }
}

QRgb Bitmap::TransparentColor() const {
  if (!data_) return qRgb(255, 255, 255);
  if (data_->dib.format == PixelFormat::Bits1) return qRgb(255, 255, 255);
  return data_->dib.image.pixel(0, Height() - 1) | 0xFF000000;
}

void Bitmap::Changed() {
  masked_.reset();
  Graphic::Changed();
}

void Bitmap::replace(std::shared_ptr<const BitmapData> data) {
  data_ = std::move(data);
  Changed();
}

const QImage& Bitmap::maskedImage() {
  if (!masked_) {
    const QRgb key = TransparentColor() & 0xFFFFFF;
    QImage image = data_->dib.image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x)
        if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
    }
    masked_ = std::move(image);
  }
  return *masked_;
}
