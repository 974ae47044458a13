#pragma once

#include <array>
#include <cstdint>

#include "fif/picture.h"

// Writes rendered pixels in the layouts SetOutputFormat names (deco32.h).
namespace deco {

struct OutputFormat {
  enum class Layout { Rgb24, Rgb15, Indexed8 };
  Layout layout = Layout::Rgb24;
  std::array<int, 3> order{};  // component (0 red, 1 green, 2 blue) per byte or field
  int ditherSize = 1;  // 1 or 4
  int alignment = 4;
  bool bottomUp = false;

  int rowBytes(int width) const;
};

// Parses the arguments of SetOutputFormat; false when they name no layout.
bool parseOutputFormat(int a, int b, int c, int alignment, int orientation, OutputFormat& format);

// 0x00RRGGBB entries; `used` false for entries the picture may not take.
struct ColourTable {
  std::array<std::uint32_t, 256> colours{};
  std::array<bool, 256> used{};
  int count = 0;
};

void writePixels(const fif::RgbImage& image, const OutputFormat& format, const ColourTable& table,
                 std::uint8_t* pixels, int stride);

}  // namespace deco
