#pragma once

#include <QImage>
#include <cstring>

#include "fif/picture.h"

// Between Qt's pictures and the codec's plain pixels, for the tools that read
// and write pictures through Qt.
namespace fif {

inline RgbImage fromQImage(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  RgbImage out{rgb.width(), rgb.height(), {}};
  out.rgb.resize(std::size_t(out.width) * std::size_t(out.height) * 3);
  for (int y = 0; y < out.height; ++y)
    std::memcpy(out.rgb.data() + std::size_t(y) * std::size_t(out.width) * 3, rgb.constScanLine(y),
                std::size_t(out.width) * 3);
  return out;
}

inline QImage toQImage(const RgbImage& image) {
  QImage out(image.width, image.height, QImage::Format_RGB888);
  for (int y = 0; y < image.height; ++y)
    std::memcpy(out.scanLine(y), image.rgb.data() + std::size_t(y) * std::size_t(image.width) * 3,
                std::size_t(image.width) * 3);
  return out;
}

}  // namespace fif
