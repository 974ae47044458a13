#include "picture/jpeg_image.h"

#include <QGuiApplication>
#include <QIODevice>
#include <QPainter>
#include <QScreen>

#include "picture/jpeg_decoder.h"
#include "picture/picture_error.h"

namespace {

JpegImage::Output screenOutput() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen && screen->depth() <= 8 ? JpegImage::Output::Palette8
                                        : JpegImage::Output::Colours24;
}

}  // namespace

JpegImage::JpegImage() : output_(screenOutput()) {}

void JpegImage::LoadFromStream(QIODevice& stream) { load(stream.readAll()); }

void JpegImage::load(QByteArray bytes) {
  QImage image = decodeJpeg(bytes, output_ == Output::Palette8);
  data_ = std::make_shared<JpegData>(std::move(bytes), std::move(image));
  Changed();
}

void JpegImage::SaveToStream(QIODevice& stream) const {
  if (!data_) throw InvalidGraphicOperation(QStringLiteral("No JPEG picture to write"));
  if (stream.write(data_->bytes) != data_->bytes.size())
    throw PictureError(QStringLiteral("Cannot write the JPEG picture: %1").arg(stream.errorString()));
}

void JpegImage::Draw(QPainter& painter, const QRect& rect) {
  if (data_) painter.drawImage(rect, data_->image);
}

QVector<QRgb> JpegImage::Palette() const {
  return data_ ? data_->image.colorTable() : QVector<QRgb>();
}

void JpegImage::Assign(Graphic* source) {
  if (source && !dynamic_cast<JpegImage*>(source)) refuseAssignment(*source);
  data_ = source ? static_cast<JpegImage*>(source)->data_ : nullptr;
  Changed();
}

void JpegImage::setOutput(Output output) {
  if (output == output_) return;
  output_ = output;
  if (data_) load(data_->bytes);
}
