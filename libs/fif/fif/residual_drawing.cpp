#include "fif/residual_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "fif/direction.h"

namespace fif {

namespace {

// A neighbouring square's mean further off than this, in steps, is taken for
// an edge rather than a slope.
constexpr float kSlopeLimitSteps = 4.0f;

}  // namespace

SquareMeans::SquareMeans(int width, int height, const std::vector<float>& levels, float step)
    : across_(width / kResidualSide),
      down_(height / kResidualSide),
      limit_(kSlopeLimitSteps * step),
      means_(levels.size()) {
  for (std::size_t at = 0; at < levels.size(); ++at) means_[at] = levels[at] * step / kResidualSide;
}

Block SquareMeans::slope(int bx, int by) const {
  const float own = mean(bx, by, bx, by);
  Block surface{};
  float total = 0;
  for (int y = 0; y < kResidualSide; ++y)
    for (int x = 0; x < kResidualSide; ++x) {
      const float dx = (float(x) - 3.5f) / kResidualSide, dy = (float(y) - 3.5f) / kResidualSide;
      const int nx = bx + (dx < 0 ? -1 : 1), ny = by + (dy < 0 ? -1 : 1);
      const float tx = std::fabs(dx), ty = std::fabs(dy);
      const float value = (1 - tx) * (1 - ty) * own + tx * (1 - ty) * mean(bx, by, nx, by) +
                          (1 - tx) * ty * mean(bx, by, bx, ny) + tx * ty * mean(bx, by, nx, ny);
      surface[std::size_t(y * kResidualSide + x)] = value;
      total += value;
    }
  for (float& v : surface) v -= total / kResidualArea;
  return surface;
}

float SquareMeans::mean(int ox, int oy, int x, int y) const {
  const float own = means_[std::size_t(oy * across_ + ox)];
  if (x < 0 || y < 0 || x >= across_ || y >= down_) return own;
  const float other = means_[std::size_t(y * across_ + x)];
  return std::fabs(other - own) > limit_ ? own : other;
}

Block drawnOn(const float* plane, int paddedW, int bx, int by, const CopyFrom& copy,
              const float* shapes) {
  if (copy.direction != 0) return directedSquare(plane, paddedW, bx, by, copy.direction - 1);
  if (copy.lumaScale != 0) {
    // Without the luminance the square is drawn flat.
    if (!shapes) return Block{};
    Block shaped = pixelsAt(shapes, paddedW, bx * kResidualSide, by * kResidualSide);
    for (float& v : shaped) v *= lumaScaleValue(copy.lumaScale - 1);
    return shaped;
  }
  return pixelsAt(plane, paddedW, bx * kResidualSide + copy.dx, by * kResidualSide + copy.dy);
}

void drawSquare(float* plane, int paddedW, int bx, int by, const Levels& own, float meanLevel,
                float step, bool ownMeans, const Block& slope, const CopyFrom& copy,
                const float* shapes) {
  Block spectrum{};
  for (int i = 1; i < kResidualArea; ++i)
    spectrum[std::size_t(i)] = float(own[std::size_t(i)]) * step;
  spectrum[0] = meanLevel * step;
  float* corner =
      plane + std::ptrdiff_t(by) * kResidualSide * paddedW + std::ptrdiff_t(bx) * kResidualSide;
  if (copy.drawnOn()) {
    const Block from = drawnOn(plane, paddedW, bx, by, copy, shapes);
    const float mean = meanOf(from);
    const Block pixels = transform<kResidualSide>(spectrum, inverseBasis());
    for (int y = 0; y < kResidualSide; ++y)
      for (int x = 0; x < kResidualSide; ++x)
        corner[std::ptrdiff_t(y) * paddedW + x] = from[std::size_t(y * kResidualSide + x)] - mean +
                                                  pixels[std::size_t(y * kResidualSide + x)];
    return;
  }
  if (ownMeans)
    spectrum[0] -=
        meanOf(pixelsAt(plane, paddedW, bx * kResidualSide, by * kResidualSide)) * kResidualSide;
  const Block pixels = transform<kResidualSide>(spectrum, inverseBasis());
  for (int y = 0; y < kResidualSide; ++y)
    for (int x = 0; x < kResidualSide; ++x)
      corner[std::ptrdiff_t(y) * paddedW + x] +=
          pixels[std::size_t(y * kResidualSide + x)] + slope[std::size_t(y * kResidualSide + x)];
}

void drawRegion(float* plane, int paddedW, int rx, int ry, const RegionLevels& own, float step) {
  RegionBlock spectrum{};
  for (int i = 1; i < kRegionArea; ++i)
    spectrum[std::size_t(i)] = float(own[std::size_t(i)]) * step;
  const RegionBlock pixels = transform<kRegionSide>(spectrum, inverseBasis<kRegionSide>());
  float* corner =
      plane + std::ptrdiff_t(ry) * kRegionSide * paddedW + std::ptrdiff_t(rx) * kRegionSide;
  for (int y = 0; y < kRegionSide; ++y)
    for (int x = 0; x < kRegionSide; ++x)
      corner[std::ptrdiff_t(y) * paddedW + x] += pixels[std::size_t(y * kRegionSide + x)];
}

void addResidual(const Residual& residual, int paddedW, int paddedH, float* plane,
                 const float* shapes) {
  const float step = residual.step();
  const int across = paddedW / kResidualSide;
  const std::size_t squares = std::size_t(across) * std::size_t(paddedH / kResidualSide);
  // Where each square's levels start, so squares can be drawn in any order.
  std::vector<std::uint32_t> starts(squares + 1, 0);
  const auto& coefficients = residual.coefficients;
  for (std::size_t square = 0, at = 0; square < squares; ++square) {
    starts[square] = std::uint32_t(at);
    while (at < coefficients.size() && coefficients[at].block == square) ++at;
    starts[square + 1] = std::uint32_t(at);
  }
  const std::vector<float> means = squareMeanLevels(residual, paddedW, paddedH);
  const SquareMeans shown(paddedW, paddedH, means, step);
  const auto draw = [&](std::size_t square) {
    const int bx = column(square, across), by = row(square, across);
    Levels own{};
    for (std::uint32_t at = starts[square]; at < starts[square + 1]; ++at)
      own[coefficients[at].index] = coefficients[at].level;
    drawSquare(plane, paddedW, bx, by, own, means[square], step, residual.ownMeans,
               residual.slopedAt(square) ? shown.slope(bx, by) : Block{}, residual.copyAt(square),
               shapes);
  };
  if (!regionsTile(paddedW, paddedH)) {
    for (std::size_t square = 0; square < squares; ++square) draw(square);
    return;
  }
  // Region by region, as they were coded: a copy draws on what came before.
  const int regionsAcross = paddedW / kRegionSide;
  MergedLevels merged(residual.regionCoefficients);
  for (int ry = 0; ry < paddedH / kRegionSide; ++ry)
    for (int rx = 0; rx < regionsAcross; ++rx) {
      for (int q = 0; q < 4; ++q)
        draw(std::size_t(squareRow(ry, q) * across + squareColumn(rx, q)));
      if (const auto region = std::size_t(ry * regionsAcross + rx); residual.mergedAt(region))
        drawRegion(plane, paddedW, rx, ry, merged.of(region), step);
    }
}

namespace {

// Edges are eased only where the step is coarse enough to leave them; finer
// steps keep the picture's own texture sharper than easing would.
constexpr int kEasedFromStepCode = 40;
// Shares of the step: a jump up to kLargestJump steps may be the squares'
// doing when its neighbours move by less than kLargestBeside; it is eased
// by at most kLargestEase.
constexpr float kLargestJump = 2.0f, kLargestBeside = 0.5f, kLargestEase = 0.35f;

// Eases the step across one square's edge: p1 p0 | q0 q1 around `q0`.
void easeEdge(float* q0, std::ptrdiff_t step, float largest, float besideLargest, float clip) {
  const float p0 = q0[-step], p1 = q0[-2 * step], q1 = q0[step];
  const float jump = q0[0] - p0;
  if (std::fabs(jump) >= largest || std::fabs(p1 - p0) >= besideLargest ||
      std::fabs(q1 - q0[0]) >= besideLargest)
    return;
  const float delta = std::clamp((jump * 4 + (p1 - q1)) / 8, -clip, clip);
  q0[-step] += delta;
  q0[0] -= delta;
}

}  // namespace

void easeSquareEdges(const Residual& residual, int paddedW, int paddedH, float* plane) {
  if (residual.stepCode < kEasedFromStepCode) return;
  const float step = residual.step();
  const float largest = kLargestJump * step, beside = kLargestBeside * step,
              clip = kLargestEase * step;
  // A merged region has no edges inside it.
  const int regionsAcross = paddedW / kRegionSide;
  const auto inside = [&](int x, int y) {
    return !residual.merged.empty() &&
           residual.mergedAt(std::size_t((y / kRegionSide) * regionsAcross + x / kRegionSide));
  };
  // Squares are 8 pixels wide, so two pixels either side of an edge are inside the plane.
  for (int x = kResidualSide; x < paddedW; x += kResidualSide)
    for (int y = 0; y < paddedH; ++y)
      if (x % kRegionSide == 0 || !inside(x, y))
        easeEdge(plane + std::ptrdiff_t(y) * paddedW + x, 1, largest, beside, clip);
  for (int y = kResidualSide; y < paddedH; y += kResidualSide)
    for (int x = 0; x < paddedW; ++x)
      if (y % kRegionSide == 0 || !inside(x, y))
        easeEdge(plane + std::ptrdiff_t(y) * paddedW + x, paddedW, largest, beside, clip);
}

}  // namespace fif
