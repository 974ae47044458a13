#include "fif/mean_grid.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "fif/cosine.h"
#include "fif/format.h"

namespace fif {

MeanGridCoder::MeanGridCoder(int across, int down, const ForecastTaps& taps, std::vector<int> terms)
    : across_(across),
      down_(down),
      taps_(taps),
      terms_(std::move(terms)),

      spectral_(across / kMeanBlockSide),
      coded_(across / kMeanBlockSide) {}

void MeanGridCoder::openBlockRow(int y) {
  const auto size = std::size_t(std::min(down_, y + kMeanBlockSide)) * std::size_t(across_);
  drawn_.resize(size, 0.0f);
  misses_.resize(size, 0);
}

bool MeanGridCoder::readSpectral(RangeDecoder& coder, int bx) {
  const bool spectral = coder.decode(models_.spectral[spectral_.context(bx)]);
  spectral_.set(bx, spectral);
  if (!spectral) coded_.set(bx, false);
  return spectral;
}

int MeanGridCoder::level(int x, int y) const {
  return int(std::lround(drawn_[std::size_t(y * across_ + x)]));
}

int MeanGridCoder::forecast(int x, int y) const {
  return fromNeighbours(x, y) + (terms_.empty() ? 0 : terms_[std::size_t(y * across_ + x)]);
}

int MeanGridCoder::fromNeighbours(int x, int y) const {
  if (x > 0 && y > 0) {
    const int above = level(x, y - 1);
    return foretellMean(level(x - 1, y), above, level(x - 1, y - 1),
                        x + 1 < across_ ? level(x + 1, y - 1) : above, taps_);
  }
  if (x > 0) return level(x - 1, y);
  return y > 0 ? level(x, y - 1) : 0;
}

int MeanGridCoder::blockForecast(int bx, int by) const {
  // Met at its top-left square: the row above it and the square left of
  // that are decoded.
  const int x0 = bx * kMeanBlockSide, y0 = by * kMeanBlockSide;
  float mean = 0;
  if (y0 > 0) {
    for (int x = 0; x < kMeanBlockSide; ++x)
      mean += drawn_[std::size_t((y0 - 1) * across_ + x0 + x)];
    mean /= kMeanBlockSide;
    if (x0 > 0)
      mean += drawn_[std::size_t(y0 * across_ + x0 - 1)] -
              drawn_[std::size_t((y0 - 1) * across_ + x0 - 1)];
  } else if (x0 > 0) {
    mean = drawn_[std::size_t(y0 * across_ + x0 - 1)];
  }
  // The spectrum's level 0 is the block's mean level times its side.
  return int(std::lround(mean * kMeanBlockSide));
}

int MeanGridCoder::missAt(int x, int y) const {
  return x >= 0 && y >= 0 ? misses_[std::size_t(y * across_ + x)] : 0;
}

int MeanGridCoder::spanContext(int x, int y) const {
  return missSpan(missAt(x - 1, y), missAt(x, y - 1));
}

int MeanGridCoder::wayContext(int x, int y) const {
  return missWay(missAt(x - 1, y), missAt(x, y - 1));
}

void MeanGridCoder::keepSquare(int x, int y, float level, int miss) {
  drawn_[std::size_t(y * across_ + x)] = level;
  misses_[std::size_t(y * across_ + x)] = miss;
}

void MeanGridCoder::keepSpectrum(const MeanBlockLevels& levels, int bx, int by) {
  SquareOf<kMeanBlockSide> spectrum{};
  for (int i = 0; i < kMeanBlockArea; ++i) spectrum[std::size_t(i)] = float(levels[std::size_t(i)]);
  const SquareOf<kMeanBlockSide> means =
      transform<kMeanBlockSide>(spectrum, inverseBasis<kMeanBlockSide>());
  for (int y = 0; y < kMeanBlockSide; ++y)
    for (int x = 0; x < kMeanBlockSide; ++x)
      keepSquare(bx * kMeanBlockSide + x, by * kMeanBlockSide + y,
                 means[std::size_t(y * kMeanBlockSide + x)], 0);
}

int MeanGridCoder::readMiss(RangeDecoder& coder, MissModels& set, int span, int way) {
  if (!coder.decode(set.significant[span])) return 0;
  return readSize(coder, set.aboveOne[span], set.aboveTwo[span], set.prefix, &set.sign[way]);
}

int MeanGridCoder::readSquare(RangeDecoder& coder, int x, int y) {
  const int miss = readMiss(coder, models_.squares, spanContext(x, y), wayContext(x, y));
  const int level = forecast(x, y) + miss;
  if (std::abs(level) > kLargestLevel)
    throw FormatError(FormatFault::Corrupt, "a residual level is too large");
  keepSquare(x, y, float(level), miss);
  return level;
}

MeanBlockLevels MeanGridCoder::readSpectrum(RangeDecoder& coder, int bx, int by) {
  MeanBlockLevels levels{};
  levels[0] = blockForecast(bx, by) + readMiss(coder, models_.blockMeans, 0, 4);
  if (std::abs(levels[0]) > kLargestLevel)
    throw FormatError(FormatFault::Corrupt, "a residual level is too large");
  const bool coded = coder.decode(models_.coded[coded_.context(bx)]);
  coded_.set(bx, coded);
  if (coded) {
    const int last = int(models_.last.decode(coder)) + 1;
    if (last >= kMeanBlockArea)
      throw FormatError(FormatFault::Corrupt, "a block of means runs past its end");
    RecentLevels recent;
    for (int i = 1; i <= last; ++i) {
      const bool significant = i == last || coder.decode(models_.significant[i][recent.count()]);
      if (significant)
        levels[std::size_t(zigzag<kMeanBlockSide>()[std::size_t(i)])] =
            readSize(coder, models_.aboveOne[i][recent.count()],
                     models_.aboveTwo[i][recent.count()], models_.prefix);
      recent.push(significant);
    }
  }
  keepSpectrum(levels, bx, by);
  return levels;
}

float MeanGridCoder::squareBits(int level, int x, int y) const {
  MissModels set = models_.squares;
  BitCounter counter;
  writeMiss(counter, set, spanContext(x, y), wayContext(x, y), level - forecast(x, y));
  return counter.bits();
}

float MeanGridCoder::spectrumBits(const MeanBlockLevels& levels, int bx, int by) const {
  Models models = models_;
  CodedNeighbours codedBlocks = coded_;
  BitCounter counter;
  writeMiss(counter, models.blockMeans, 0, 4, levels[0] - blockForecast(bx, by));
  writeDetail(counter, models, codedBlocks, levels, bx);
  return counter.bits();
}

}  // namespace fif
