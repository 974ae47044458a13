#pragma once

#include <memory>

#include "picture/graphic.h"

class JpegData : public SharedImage {
 public:
  JpegData(QByteArray bytes, QImage image) : bytes(std::move(bytes)), image(std::move(image)) {}
  const QByteArray bytes;  // the file as read, written back unchanged
  const QImage image;
};

// A JPEG picture, decoded when it is loaded. Its size cannot be changed and
// nothing is ever encoded: saving writes the bytes that were read.
class JpegImage : public Graphic {
 public:
  enum class Output { Colours24, Palette8 };

  // The output follows the screen: a palette on displays of 8 bits or fewer.
  JpegImage();

  QString ClassName() const override { return QStringLiteral("JPEG Image"); }
  void LoadFromStream(QIODevice& stream) override;
  void SaveToStream(QIODevice& stream) const override;
  void Draw(QPainter& painter, const QRect& rect) override;
  bool Empty() const override { return !data_; }
  int Width() const override { return data_ ? data_->image.width() : 0; }
  int Height() const override { return data_ ? data_->image.height() : 0; }
  QVector<QRgb> Palette() const override;
  void Assign(Graphic* source) override;
  QImage ToImage() override { return data_ ? data_->image : QImage(); }

  Output output() const { return output_; }
  // Decodes the picture again for the new output.
  void setOutput(Output output);

 private:
  void load(QByteArray bytes);

  std::shared_ptr<const JpegData> data_;
  Output output_;
};
