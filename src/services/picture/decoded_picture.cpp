#include "services/picture/decoded_picture.h"

#include <QPainter>
#include <typeinfo>

#include "services/picture/picture_error.h"

void DecodedPicture::SaveToStream(QIODevice& stream) const {
  writeStored(stream, data_ ? &data_->bytes : nullptr);
}

void DecodedPicture::Draw(QPainter& painter, const QRect& rect) {
  if (data_) painter.drawImage(rect, data_->image);
}

QVector<QRgb> DecodedPicture::Palette() const {
  return data_ ? data_->image.colorTable() : QVector<QRgb>();
}

void DecodedPicture::Assign(Graphic* source) {
  if (source && typeid(*source) != typeid(*this)) refuseAssignment(*source);
  data_ = source ? static_cast<DecodedPicture*>(source)->data_ : nullptr;
  Changed();
}

void DecodedPicture::setData(QByteArray bytes, QImage image) {
  data_ = std::make_shared<DecodedData>(std::move(bytes), std::move(image));
  Changed();
}
