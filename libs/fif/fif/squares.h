#pragma once

#include <array>
#include <cstddef>
#include <vector>

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
