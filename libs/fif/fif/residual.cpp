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

std::vector<int> lumaGuide(const LumaPlane& luma, int paddedW, int paddedH, int stepCode) {
  if (!luma.residual || luma.residual->stepCode == 0 || stepCode == 0 ||
      !meanBlocksTile(paddedW, paddedH) || luma.paddedW != 2 * paddedW ||
      luma.paddedH != 2 * paddedH)
    return {};
  const std::vector<float> levels = squareMeanLevels(*luma.residual, luma.paddedW, luma.paddedH);
  const int across = paddedW / kResidualSide, lumaAcross = 2 * across;
  // A mean level is the mean pixel times 8 over the step: the luminance's
  // four levels' mean in the chroma's levels.
  const double scale = double(luma.residual->stepCode) / (4.0 * stepCode);
  std::vector<int> guide;
  for (int y = 0; y < paddedH / kResidualSide; ++y)
    for (int x = 0; x < across; ++x) {
      const auto at = std::size_t(2 * y * lumaAcross + 2 * x);
      const double sum = double(levels[at]) + levels[at + 1] +
                         levels[at + std::size_t(lumaAcross)] +
                         levels[at + std::size_t(lumaAcross) + 1];
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

std::vector<float> lumaShapes(const float* luma, int paddedW, int paddedH) {
  const int width = paddedW / 2, height = paddedH / 2;
  std::vector<float> halved(std::size_t(width) * std::size_t(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const float* p = luma + std::ptrdiff_t(2 * y) * paddedW + 2 * x;
      halved[std::size_t(y * width + x)] = (p[0] + p[1] + p[paddedW] + p[paddedW + 1]) / 4;
    }
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
