#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "fif/encoder.h"
#include "fif/format.h"
#include "fif/picture.h"

// A picture with smooth shading, hard edges and fine texture, so every kind
// of block is exercised.
inline fif::RgbImage testScene(int width, int height, bool grey = false) {
  fif::RgbImage image{width, height,
                      std::vector<std::uint8_t>(std::size_t(width) * std::size_t(height) * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool disc = std::hypot(x - width / 2.0, y - height / 3.0) < width / 4.0;
      const int r = disc ? 220 : 40 + 150 * x / std::max(1, width);
      const int g = disc ? 60 : 60 + 120 * y / std::max(1, height);
      const int b = int(128 + 60 * std::sin(x * 0.3) * std::cos(y * 0.2));
      std::uint8_t* p =
          image.rgb.data() + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3;
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

// A flat grey picture coded the shortest way a picture of its size can be:
// every top-level block whole and of one mean.
inline std::vector<std::uint8_t> flatPicture(int width, int height) {
  fif::FifFile file;
  file.header.width = width;
  file.header.height = height;
  file.header.minRangeLog2 = fif::kMaxRangeLog2;
  fif::Plane& plane = file.planes.emplace_back();
  plane.width = width;
  plane.height = height;
  const int top = 1 << fif::kMaxRangeLog2;
  for (int y = 0; y < fif::paddedSide(height, fif::kMaxRangeLog2); y += top)
    for (int x = 0; x < fif::paddedSide(width, fif::kMaxRangeLog2); x += top) {
      fif::Transform block;
      block.x = std::uint16_t(x);
      block.y = std::uint16_t(y);
      block.size = std::uint8_t(top);
      block.flat = true;
      block.mean = 64;
      plane.transforms.push_back(block);
    }
  return fif::writeFile(file);
}

// A header declaring any sides in front of any payload, its check value
// right, so a reader gets past the header to the payload.
inline std::vector<std::uint8_t> fileDeclaring(unsigned width, unsigned height, bool colour,
                                               int smallestLog2, const std::uint8_t* payload,
                                               std::size_t size) {
  std::vector<std::uint8_t> file(std::begin(fif::kSignature), std::end(fif::kSignature));
  const auto put = [&file](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file.push_back(std::uint8_t(value >> (8 * i)));
  };
  file.push_back(fif::kVersionMajor);
  file.push_back(fif::kVersionMinor);
  put(width, 2);
  put(height, 2);
  file.push_back(colour ? 1 : 0);
  file.push_back(fif::kMaxRangeLog2);
  file.push_back(std::uint8_t(smallestLog2));
  file.push_back(0);
  put(0, 2);  // no colour table
  put(std::uint32_t(size), 4);
  put(fif::crc32(payload, size), 4);
  file.insert(file.end(), payload, payload + size);
  return file;
}
