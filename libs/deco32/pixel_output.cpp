#include "pixel_output.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace deco {

namespace {

// The same three codes in any order, mapped to components 0, 1 and 2.
bool componentOrder(int a, int b, int c, int first, std::array<int, 3>& order) {
  order = {a - first, b - first, c - first};
  std::array<int, 3> sorted = order;
  std::sort(sorted.begin(), sorted.end());
  return sorted == std::array<int, 3>{0, 1, 2};
}

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
constexpr int kLevels = 32;  // per component in the nearest-colour lookup

// Nearest entry of the table for each colour of a 32 x 32 x 32 grid.
std::vector<std::uint8_t> nearestColours(const ColourTable& table) {
  std::vector<std::uint8_t> lookup(kLevels * kLevels * kLevels);
  for (int r = 0; r < kLevels; ++r)
    for (int g = 0; g < kLevels; ++g)
      for (int b = 0; b < kLevels; ++b) {
        const int cr = r * 255 / (kLevels - 1), cg = g * 255 / (kLevels - 1),
                  cb = b * 255 / (kLevels - 1);
        int best = 0, bestDistance = INT_MAX;
        for (int i = 0; i < table.count; ++i) {
          if (!table.used[std::size_t(i)]) continue;
          const std::uint32_t c = table.colours[std::size_t(i)];
          const int dr = int(c >> 16 & 0xFF) - cr, dg = int(c >> 8 & 0xFF) - cg,
                    db = int(c & 0xFF) - cb;
          const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
          if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
          }
        }
        lookup[std::size_t((r * kLevels + g) * kLevels + b)] = std::uint8_t(best);
      }
  return lookup;
}

int level(int value, int offset) {
  return std::clamp(((value + offset) * (kLevels - 1) + 127) / 255, 0, kLevels - 1);
}

}  // namespace

int OutputFormat::rowBytes(int width) const {
  const int bytes = layout == Layout::Rgb24 ? 3 : layout == Layout::Rgb15 ? 2 : 1;
  return width * bytes;
}

bool parseOutputFormat(int a, int b, int c, int alignment, int orientation, OutputFormat& format) {
  if (alignment != 1 && alignment != 2 && alignment != 4) return false;
  if (orientation != 0 && orientation != 1) return false;
  format.alignment = alignment;
  format.bottomUp = orientation == 1;
  if (a == 10) {
    format.layout = OutputFormat::Layout::Indexed8;
    format.ditherSize = b;
    return b == c && (b == 1 || b == 4);
  }
  if (componentOrder(a, b, c, 1, format.order)) {
    format.layout = OutputFormat::Layout::Rgb24;
    return true;
  }
  format.layout = OutputFormat::Layout::Rgb15;
  return componentOrder(a, b, c, 20, format.order);
}

void writePixels(const fif::RgbImage& image, const OutputFormat& format, const ColourTable& table,
                 std::uint8_t* pixels, int stride) {
  std::vector<std::uint8_t> lookup;
  if (format.layout == OutputFormat::Layout::Indexed8) lookup = nearestColours(table);
  // One step of the 32 levels spread over the dither matrix.
  const int spread = format.ditherSize == 4 ? 255 / (kLevels - 1) : 0;
  for (int y = 0; y < image.height; ++y) {
    const std::uint8_t* in = image.rgb.data() + std::size_t(y) * std::size_t(image.width) * 3;
    std::uint8_t* row =
        pixels + std::ptrdiff_t(format.bottomUp ? image.height - 1 - y : y) * stride;
    for (int x = 0; x < image.width; ++x, in += 3) {
      switch (format.layout) {
        case OutputFormat::Layout::Rgb24:
          for (int i = 0; i < 3; ++i) row[3 * x + i] = in[format.order[std::size_t(i)]];
          break;
        case OutputFormat::Layout::Rgb15: {
          unsigned word = 0;
          for (int i = 0; i < 3; ++i)
            word |= unsigned(in[format.order[std::size_t(i)]] >> 3) << (10 - 5 * i);
          row[2 * x] = std::uint8_t(word);
          row[2 * x + 1] = std::uint8_t(word >> 8);
          break;
        }
        case OutputFormat::Layout::Indexed8: {
          const int offset = spread ? (kBayer[y & 3][x & 3] - 8) * spread / 16 : 0;
          row[x] =
              lookup[std::size_t((level(in[0], offset) * kLevels + level(in[1], offset)) * kLevels +
                                 level(in[2], offset))];
          break;
        }
      }
    }
  }
}

}  // namespace deco
