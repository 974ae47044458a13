#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "fif/encoder.h"
#include "fif/picture.h"

// A picture with smooth shading, hard edges and fine texture, so every kind
// of block is exercised.
inline fif::RgbImage testScene(int width, int height, bool grey = false) {
  fif::RgbImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * std::size_t(height) * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool disc = std::hypot(x - width / 2.0, y - height / 3.0) < width / 4.0;
      const int r = disc ? 220 : 40 + 150 * x / std::max(1, width);
      const int g = disc ? 60 : 60 + 120 * y / std::max(1, height);
      const int b = int(128 + 60 * std::sin(x * 0.3) * std::cos(y * 0.2));
      std::uint8_t* p = image.rgb.data() + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3;
      p[0] = std::uint8_t(grey ? g : r);
      p[1] = std::uint8_t(g);
      p[2] = std::uint8_t(grey ? g : b);
    }
  return image;
}

// Peak signal to noise ratio of the luminance, in decibels.
inline double lumaPsnr(const fif::RgbImage& a, const fif::RgbImage& b) {
  double squares = 0;
  for (std::size_t i = 0; i < a.rgb.size(); i += 3) {
    const float d = fif::toYcc(a.rgb[i], a.rgb[i + 1], a.rgb[i + 2]).y -
                    fif::toYcc(b.rgb[i], b.rgb[i + 1], b.rgb[i + 2]).y;
    squares += double(d) * d;
  }
  const double mse = squares / double(a.rgb.size() / 3);
  return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

inline std::vector<std::uint8_t> encodeAt(const fif::RgbImage& image, int quality,
                                          std::vector<std::uint32_t> colourTable = {}) {
  fif::EncodeOptions options;
  options.quality = quality;
  options.colourTable = std::move(colourTable);
  return fif::encode(image, options);
}
