#include "fif/residual.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fif/cosine.h"
#include "fif/level_coding.h"

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

bool meanBlocksTile(int paddedW, int paddedH) {
  constexpr int side = kMeanBlockSide * kResidualSide;
  return paddedW > 0 && paddedH > 0 && paddedW % side == 0 && paddedH % side == 0;
}

std::vector<float> squareMeanLevels(const Residual& residual, int paddedW, int paddedH) {
  const int across = paddedW / kResidualSide;
  std::vector<float> means(std::size_t(across) * std::size_t(paddedH / kResidualSide), 0);
  for (const Coefficient& c : residual.coefficients)
    if (c.index == 0 && c.block < means.size()) means[c.block] = c.level;
  if (residual.blockMeans.empty() || !meanBlocksTile(paddedW, paddedH)) return means;
  const int blocksAcross = across / kMeanBlockSide;
  std::vector<SquareOf<kMeanBlockSide>> spectra(means.size() / kMeanBlockArea);
  for (const Coefficient& c : residual.blockMeans)
    if (c.block < spectra.size()) spectra[c.block][c.index] = c.level;
  for (std::size_t block = 0; block < spectra.size(); ++block) {
    if (!residual.spectralAt(block)) continue;
    const SquareOf<kMeanBlockSide> levels =
        transform<kMeanBlockSide>(spectra[block], inverseBasis<kMeanBlockSide>());
    const int x0 = int(block % std::size_t(blocksAcross)) * kMeanBlockSide;
    const int y0 = int(block / std::size_t(blocksAcross)) * kMeanBlockSide;
    for (int y = 0; y < kMeanBlockSide; ++y)
      for (int x = 0; x < kMeanBlockSide; ++x)
        means[std::size_t((y0 + y) * across + x0 + x)] =
            levels[std::size_t(y * kMeanBlockSide + x)];
  }
  return means;
}

namespace {

// A luminance of an odd number of top-level blocks falls this many pixels
// short of twice its chroma, whose padding takes one more block.
constexpr int kLargestLumaShortfall = kMeanBlockSide * kResidualSide;

// Whether the luminance's padded side covers 2 x 2 of its pixels under each
// of the chroma's: exactly twice the chroma's, or from version 10 short of
// it by no more than kLargestLumaShortfall.
bool lumaCovers(int lumaSide, int chromaSide, int version) {
  const int shortfall = 2 * chromaSide - lumaSide;
  return shortfall == 0 || (version >= 10 && shortfall > 0 && shortfall <= kLargestLumaShortfall);
}

}  // namespace

std::vector<int> lumaGuide(const LumaPlane& luma, int paddedW, int paddedH, int stepCode,
                           int version) {
  if (version < 9 || !luma.residual || luma.residual->stepCode == 0 || stepCode == 0 ||
      !meanBlocksTile(paddedW, paddedH) || !lumaCovers(luma.paddedW, paddedW, version) ||
      !lumaCovers(luma.paddedH, paddedH, version))
    return {};
  const std::vector<float> levels = squareMeanLevels(*luma.residual, luma.paddedW, luma.paddedH);
  const int across = paddedW / kResidualSide, lumaAcross = luma.paddedW / kResidualSide;
  const int lumaDown = luma.paddedH / kResidualSide;
  const auto level = [&](int x, int y) {
    return double(
        levels[std::size_t(std::min(y, lumaDown - 1) * lumaAcross + std::min(x, lumaAcross - 1))]);
  };
  // A mean level is the mean pixel times 8 over the step: the luminance's
  // four levels' mean in the chroma's levels.
  const double scale = double(luma.residual->stepCode) / (4.0 * stepCode);
  std::vector<int> guide;
  for (int y = 0; y < paddedH / kResidualSide; ++y)
    for (int x = 0; x < across; ++x) {
      const double sum = level(2 * x, 2 * y) + level(2 * x + 1, 2 * y) + level(2 * x, 2 * y + 1) +
                         level(2 * x + 1, 2 * y + 1);
      guide.push_back(
          int(std::clamp<double>(std::round(sum * scale), -kLargestLevel, kLargestLevel)));
    }
  return guide;
}

float lumaScaleValue(int index) {
  // In sixteenths, for indices 0 to 7; 8 to 15 are the same turned negative.
  static constexpr std::array<int, kLumaScales / 2> kSixteenths{1, 2, 3, 4, 6, 8, 11, 16};
  const float magnitude = float(kSixteenths[std::size_t(index % (kLumaScales / 2))]) / 16;
  return index < kLumaScales / 2 ? magnitude : -magnitude;
}

std::vector<float> lumaShapes(const float* luma, int lumaW, int lumaH, int width, int height) {
  std::vector<float> halved(std::size_t(width) * std::size_t(height));
  const auto at = [&](int x, int y) {
    return luma[std::ptrdiff_t(std::min(y, lumaH - 1)) * lumaW + std::min(x, lumaW - 1)];
  };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      halved[std::size_t(y * width + x)] = (at(2 * x, 2 * y) + at(2 * x + 1, 2 * y) +
                                            at(2 * x, 2 * y + 1) + at(2 * x + 1, 2 * y + 1)) /
                                           4;
  return halved;
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
