#include "fif/direction.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace fif {

namespace {

constexpr int kSide = 8;
// The directions the pixels come from, in degrees: 90 straight down from the
// row above, 180 straight across from the column left, 45 from above right
// and 135 from above left; each odd one lies midway between its neighbours.
// The last direction is no angle: a smooth surface between the row and the
// column.
constexpr double kAngles[kDirections - 1] = {
    45,  49.8,  54.6,  59.45,  64.3,  69.1,  73.9,  78.75,  83.6,  86.8,
    90,  93.2,  96.4,  101.25, 106.1, 110.9, 115.7, 120.55, 125.4, 130.2,
    135, 139.8, 144.6, 149.45, 154.3, 159.1, 163.9, 171.95, 180};

// Edge pixels from the corner above left (at -1) along the row or column,
// as far as they are decoded (`last`); past that the last pixel stands in.
struct Edge {
  std::array<float, 2 * kSide + 1> pixels{};  // pixels[i + 1] is position i
  int last = kSide - 1;
  float at(double position) const {
    const double p = std::clamp(position, -1.0, double(last));
    const int below = int(std::floor(p));
    const double share = p - below;
    const float low = pixels[std::size_t(below + 1)];
    const float high = pixels[std::size_t(std::min(below + 2, last + 1))];
    return float(low + share * (high - low));
  }
};

// Each angle's cosine and sine, worked out once: the encoder carries edges
// across every square in many directions.
struct Way {
  double c = 0, s = 0;
};
const std::array<Way, kDirections - 1>& ways() {
  static const auto table = [] {
    std::array<Way, kDirections - 1> all{};
    for (std::size_t d = 0; d < all.size(); ++d) {
      const double radians = kAngles[d] * std::numbers::pi / 180;
      all[d] = {std::cos(radians), std::sin(radians)};
    }
    return all;
  }();
  return table;
}

float angled(const Edge& above, const Edge& left, int x, int y, const Way& way) {
  const double c = way.c, s = way.s;
  // Back from the pixel against the direction, to the row above if the way
  // meets it within the square's width or left of it, else to the column.
  if (s > 1e-9) {
    const double across = x + (y + 1) * c / s;
    if (across >= -1) return above.at(across);
  }
  return left.at(y - (x + 1) * s / -c);
}

// Each pixel the mean of the row above carried down and the column left
// carried across, each fading into the far corner's pixel.
float smooth(const Edge& above, const Edge& left, int x, int y) {
  const float near = (kSide - 0.5f - float(y)) / kSide,
              nearLeft = (kSide - 0.5f - float(x)) / kSide;
  const float down = near * above.at(x) + (1 - near) * left.at(kSide - 1);
  const float across = nearLeft * left.at(y) + (1 - nearLeft) * above.at(kSide - 1);
  return (down + across) / 2;
}

}  // namespace

std::array<float, 64> directedSquare(const float* plane, int paddedW, int bx, int by,
                                     int direction) {
  const float* corner = plane + std::ptrdiff_t(by * kSide) * paddedW + bx * kSide;
  Edge above, left;
  // The row above goes on over the next square where that is decoded: in
  // the plane, and not in the region right of the bottom right square's.
  if ((bx + 1) * kSide < paddedW && (bx % 2 == 0 || by % 2 == 0)) above.last = 2 * kSide - 1;
  for (int i = -1; i <= above.last; ++i) above.pixels[std::size_t(i + 1)] = corner[-paddedW + i];
  for (int i = -1; i <= left.last; ++i)
    left.pixels[std::size_t(i + 1)] = corner[std::ptrdiff_t(i) * paddedW - 1];
  std::array<float, 64> square{};
  const bool isSmooth = direction == kSmoothDirection;
  const Way way = isSmooth ? Way{} : ways()[std::size_t(direction)];
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      square[std::size_t(y * kSide + x)] =
          isSmooth ? smooth(above, left, x, y) : angled(above, left, x, y, way);
  return square;
}

}  // namespace fif
