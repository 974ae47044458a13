#include "fif/residual.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace fif {

namespace {

// Keeps a square's or a region's non-zero levels from `first` on.
template <std::size_t N>
void keepNonZero(std::vector<Coefficient>& kept, std::size_t block,
                 const std::array<int, N>& levels, int first) {
  for (int i = first; i < int(N); ++i)
    if (levels[std::size_t(i)] != 0)
      kept.push_back(
          {std::uint32_t(block), std::uint16_t(i), std::int16_t(levels[std::size_t(i)])});
}

}  // namespace

bool regionsTile(int paddedW, int paddedH) {
  return paddedW % kRegionSide == 0 && paddedH % kRegionSide == 0;
}

void Residual::add(std::size_t square, const std::array<int, kResidualArea>& levels,
                   bool drawnSloped) {
  keepNonZero(coefficients, square, levels, 0);
  if (sloped.size() <= square) sloped.resize(square + 1);
  sloped[square] = drawnSloped;
}

void Residual::addRegion(std::size_t region, const std::array<int, kRegionArea>& levels) {
  // Its mean level is its squares' own.
  keepNonZero(regionCoefficients, region, levels, 1);
  if (merged.size() <= region) merged.resize(region + 1);
  merged[region] = true;
}

void Residual::setCopy(std::size_t square, const CopyFrom& copy) {
  if (copies.size() <= square) copies.resize(square + 1);
  copies[square] = copy;
}

void Residual::sortSquares() {
  std::stable_sort(coefficients.begin(), coefficients.end(),
                   [](const Coefficient& a, const Coefficient& b) { return a.block < b.block; });
}

}  // namespace fif
