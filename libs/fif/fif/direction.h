#pragma once

#include <array>

// From version 6 a square may be drawn on the decoded pixels just above it
// and just left of it, carried across it in one of a few directions: a line
// or an edge that runs on through a square then costs a direction instead of
// the many levels that would draw it.
namespace fif {

// Directions are counted among the finer angles of version 11: the angles
// of versions 6 to 10 are every other one of them, and the smooth surface
// the last.
constexpr int kDirections = 30;
constexpr int kDirectionBits = 5;
// Versions 6 to 10 code one of these, fifteen angles and the smooth surface.
constexpr int kCoarseDirections = 16;
constexpr int kCoarseDirectionBits = 4;
constexpr int kSmoothDirection = kDirections - 1;

// A direction of versions 6 to 10 among the finer ones, and back (-1 for a
// finer angle those versions lack).
constexpr int fromCoarse(int coarse) {
  return coarse == kCoarseDirections - 1 ? kSmoothDirection : 2 * coarse;
}
constexpr int toCoarse(int direction) {
  return direction == kSmoothDirection ? kCoarseDirections - 1
         : direction % 2 == 0          ? direction / 2
                                       : -1;
}

// The row above the square and the column left of it are both in the plane.
inline bool directable(int bx, int by) { return bx > 0 && by > 0; }

// The 8 x 8 pixels that the row above square (bx, by) and the column left of
// it, in `plane` (the padded plane as decoded so far, `paddedW` wide), make
// carried across it in `direction` (0 to kDirections - 1), rows first.
std::array<float, 64> directedSquare(const float* plane, int paddedW, int bx, int by,
                                     int direction);

}  // namespace fif
