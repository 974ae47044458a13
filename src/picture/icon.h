#pragma once

#include <memory>

#include "picture/graphic.h"

class IconData : public SharedImage {
 public:
  IconData(QByteArray bytes, QImage image) : bytes(std::move(bytes)), image(std::move(image)) {}
  const QByteArray bytes;  // the file as read, written back unchanged
  const QImage image;      // the chosen image, transparent where its mask says
};

// A Windows icon file. Of its images the one the system would pick for its
// standard icon size on this screen is shown; its size cannot be changed.
class Icon : public Graphic {
 public:
  QString ClassName() const override { return QStringLiteral("Icon"); }
  void LoadFromStream(QIODevice& stream) override;
  void SaveToStream(QIODevice& stream) const override;
  void Draw(QPainter& painter, const QRect& rect) override;
  bool Empty() const override { return !data_; }
  int Width() const override { return data_ ? data_->image.width() : 0; }
  int Height() const override { return data_ ? data_->image.height() : 0; }
  void Assign(Graphic* source) override;
  QImage ToImage() override { return data_ ? data_->image : QImage(); }

 private:
  std::shared_ptr<const IconData> data_;
};

// The image of an icon file chosen for a standard size of `side` pixels on a
// screen of `screenDepth` bits per pixel.
QImage readIconFile(QByteArrayView bytes, int side, int screenDepth);
