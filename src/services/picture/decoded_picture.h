#pragma once

#include <memory>

#include "services/picture/graphic.h"

class DecodedData : public SharedImage {
 public:
  DecodedData(QByteArray bytes, QImage image) : bytes(std::move(bytes)), image(std::move(image)) {}
  const QByteArray bytes;  // the file as read, written back unchanged
  const QImage image;  // what it decoded to
};

// A picture decoded once from a file it keeps: it is drawn from its pixels,
// saved as the bytes that were read, and its size cannot be changed.
class DecodedPicture : public Graphic {
 public:
  void SaveToStream(QIODevice& stream) const override;
  void Draw(QPainter& painter, const QRect& rect) override;
  bool Empty() const override { return !data_; }
  int Width() const override { return data_ ? data_->image.width() : 0; }
  int Height() const override { return data_ ? data_->image.height() : 0; }
  QVector<QRgb> Palette() const override;
  // Pictures of the same class share their data; others are refused.
  void Assign(Graphic* source) override;
  QImage ToImage() override { return data_ ? data_->image : QImage(); }

 protected:
  void setData(QByteArray bytes, QImage image);
  const DecodedData* data() const { return data_.get(); }

 private:
  std::shared_ptr<const DecodedData> data_;
};
