#pragma once

#include <memory>
#include <optional>

#include "services/picture/dib.h"
#include "services/picture/graphic.h"

class BitmapData : public SharedImage {
 public:
  explicit BitmapData(Dib dib) : dib(std::move(dib)) {}
  const Dib dib;
};

// A Windows device-independent bitmap of 1, 4, 8, 16, 24 or 32 bits, plain or
// run-length encoded. It keeps its palette and pixel format and is saved in
// them. Drawn transparently, its bottom-left pixel's colour is left undrawn.
class Bitmap : public Graphic {
 public:
  Bitmap() = default;

  QString ClassName() const override { return QStringLiteral("Bitmap"); }
  void LoadFromStream(QIODevice& stream) override;
  void SaveToStream(QIODevice& stream) const override;
  void Draw(QPainter& painter, const QRect& rect) override;
  bool Empty() const override { return !data_; }
  int Width() const override { return data_ ? data_->dib.image.width() : 0; }
  int Height() const override { return data_ ? data_->dib.image.height() : 0; }
  // A new size keeps the top-left part of the picture.
  void setWidth(int width) override;
  void setHeight(int height) override;
  QVector<QRgb> Palette() const override { return data_ ? data_->dib.palette : QVector<QRgb>(); }
  // Bitmaps share their pixels; any other picture is drawn into a new bitmap.
  void Assign(Graphic* source) override;
  QImage ToImage() override { return data_ ? data_->dib.image : QImage(); }

  PixelFormat pixelFormat() const { return data_ ? data_->dib.format : PixelFormat::Bits24; }
  QRgb TransparentColor() const;

 protected:
  void Changed() override;

 private:
  void resize(int width, int height);
  void replace(std::shared_ptr<const BitmapData> data);
  const QImage& maskedImage();

  std::shared_ptr<const BitmapData> data_;
  std::optional<QImage> masked_;
};
