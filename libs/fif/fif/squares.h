#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "fif/cosine.h"
#include "fif/residual.h"

// Where a plane's squares, and its regions of 2 x 2 squares, lie; and their
// levels as a Residual keeps them.
namespace fif {

using Levels = std::array<int, kResidualArea>;
using RegionLevels = std::array<int, kRegionArea>;

// Where a square, counted in block order, lies among the squares.
inline int column(std::size_t square, int across) { return int(square % std::size_t(across)); }
inline int row(std::size_t square, int across) { return int(square / std::size_t(across)); }

// Where the square `q` (0 to 3, rows first) of a region lies.
inline int squareColumn(int rx, int q) { return 2 * rx + (q & 1); }
inline int squareRow(int ry, int q) { return 2 * ry + (q >> 1); }

// Whether square (bx, by) may be copied from `dx`, `dy` away: the source
// lies in the plane, in the regions decoded before the square's own.
inline bool copyable(int bx, int by, int dx, int dy, int paddedW) {
  const int sx = bx * kResidualSide + dx, sy = by * kResidualSide + dy;
  if (sx < 0 || sy < 0 || sx + kResidualSide > paddedW) return false;
  const int rowTop = (by / 2) * kRegionSide, regionLeft = (bx / 2) * kRegionSide;
  return sy + kResidualSide <= rowTop ||
         (sx + kResidualSide <= regionLeft && sy + kResidualSide <= rowTop + kRegionSide);
}

// The 8 x 8 pixels whose top-left corner is (x, y) in a plane `width` wide.
inline Block pixelsAt(const float* plane, int width, int x, int y) {
  Block pixels{};
  for (int j = 0; j < kResidualSide; ++j)
    for (int i = 0; i < kResidualSide; ++i)
      pixels[std::size_t(j * kResidualSide + i)] = plane[std::ptrdiff_t(y + j) * width + x + i];
  return pixels;
}

inline float meanOf(const Block& square) {
  float sum = 0;
  for (float v : square) sum += v;
  return sum / kResidualArea;
}

// Walks non-zero levels (of squares, or of merged regions) one square or
// region at a time, in order.
template <class Levels>
class LevelWalk {
 public:
  explicit LevelWalk(const std::vector<Coefficient>& coefficients)
      : next_(coefficients.begin()), end_(coefficients.end()) {}
  Levels of(std::size_t block) {
    Levels levels{};
    for (; next_ != end_ && next_->block == block; ++next_) levels[next_->index] = next_->level;
    return levels;
  }

 private:
  std::vector<Coefficient>::const_iterator next_, end_;
};

using SquareLevels = LevelWalk<Levels>;
using MergedLevels = LevelWalk<RegionLevels>;

}  // namespace fif
