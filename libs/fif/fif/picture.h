#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace fif {

// Pixels as red, green, blue bytes, rows top down with no padding.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

// Called with the percentage done.
using Progress = std::function<void(int percent)>;

// Full-range luminance and chroma, as the planes are coded.
struct Ycc {
  float y, cb, cr;
};

inline Ycc toYcc(int r, int g, int b) {
  return {0.299f * r + 0.587f * g + 0.114f * b, 128.0f - 0.168736f * r - 0.331264f * g + 0.5f * b,
          128.0f + 0.5f * r - 0.418688f * g - 0.081312f * b};
}

inline std::uint8_t toByte(float v) { return std::uint8_t(v <= 0 ? 0 : v >= 255 ? 255 : v + 0.5f); }

inline void toRgb(float y, float cb, float cr, std::uint8_t* rgb) {
  rgb[0] = toByte(y + 1.402f * (cr - 128));
  rgb[1] = toByte(y - 0.344136f * (cb - 128) - 0.714136f * (cr - 128));
  rgb[2] = toByte(y + 1.772f * (cb - 128));
}

}  // namespace fif
