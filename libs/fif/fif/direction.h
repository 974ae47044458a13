#pragma once

#include <array>

// From version 6 a square may be drawn on the decoded pixels just above it
// and just left of it, carried across it in one of a few directions: a line
// or an edge that runs on through a square then costs a direction instead of
// the many levels that would draw it.
namespace fif {

constexpr int kDirections = 16;
constexpr int kDirectionBits = 4;

// The row above the square and the column left of it are both in the plane.
inline bool directable(int bx, int by) { return bx > 0 && by > 0; }

// The 8 x 8 pixels that the row above square (bx, by) and the column left of
// it, in `plane` (the padded plane as decoded so far, `paddedW` wide), make
// carried across it in `direction` (0 to kDirections - 1), rows first.
std::array<float, 64> directedSquare(const float* plane, int paddedW, int bx, int by,
                                     int direction);

}  // namespace fif
