#include "services/picture/jpeg_image.h"

#include <QGuiApplication>
#include <QIODevice>
#include <QScreen>

#include "services/picture/jpeg_decoder.h"

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
  setData(std::move(bytes), std::move(image));
}

void JpegImage::setOutput(Output output) {
  if (output == output_) return;
  output_ = output;
  if (data()) load(data()->bytes);
}
