#include "fif/residual.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "fif/format.h"
#include "fif/level_coding.h"
#include "fif/mean_grid.h"
#include "fif/squares.h"

namespace fif {

namespace {

constexpr int kStepBits = 10;

void writeForecastTaps(RangeEncoder& coder, const ForecastTaps& taps) {
  coder.encodeDirect(taps == kCornerRule ? 0 : 1, 1);
  if (taps == kCornerRule) return;
  for (int tap : taps) {
    if (tap < -kForecastTapOffset || tap >= kForecastTapOffset)
      throw std::logic_error("a mean forecast's tap out of range");
    coder.encodeDirect(std::uint32_t(tap + kForecastTapOffset), kForecastTapBits);
  }
}

ForecastTaps readForecastTaps(RangeDecoder& coder) {
  ForecastTaps taps = kCornerRule;
  if (coder.decodeDirect(1) == 0) return taps;
  for (int& tap : taps) tap = int(coder.decodeDirect(kForecastTapBits)) - kForecastTapOffset;
  return taps;
}

void stopIfCutShort(const RangeDecoder& coder) {
  if (coder.overrun()) throw FormatError(FormatFault::Corrupt, "the residual is cut short");
}

// Whether `drawn` holds for what some square is drawn on: the writer
// refuses a residual whose layout cannot say so.
template <class Drawn>
bool anySquare(const Residual& residual, Drawn drawn) {
  return std::any_of(residual.copies.begin(), residual.copies.end(), drawn);
}

MeanGridCoder meanGrid(const Residual& residual, int across, int down,
                       const std::vector<int>& guide) {
  return {across, down, residual.meanTaps,
          lumaForecastTerms(guide, across, residual.meanTaps, residual.lumaShare)};
}

// The means of a plane of blocks (version 8), square by square in rows.
void writeMeanGrid(RangeEncoder& coder, const Residual& residual, int across, std::size_t squares,
                   const std::vector<int>& guide) {
  const int blocksAcross = across / kMeanBlockSide, down = int(squares / std::size_t(across));
  MeanGridCoder grid = meanGrid(residual, across, down, guide);
  std::vector<int> own(squares, 0);
  for (const Coefficient& c : residual.coefficients)
    if (c.index == 0 && c.block < squares) own[c.block] = c.level;
  std::vector<MeanBlockLevels> spectra(squares / kMeanBlockArea);
  for (const Coefficient& c : residual.blockMeans)
    if (c.block < spectra.size()) spectra[c.block][c.index] = c.level;
  for (int y = 0; y < down; ++y)
    for (int x = 0; x < across; ++x) {
      if (x == 0 && y % kMeanBlockSide == 0) grid.openBlockRow(y);
      const int bx = x / kMeanBlockSide, by = y / kMeanBlockSide;
      const auto block = std::size_t(by * blocksAcross + bx);
      const bool spectral = residual.spectralAt(block);
      if (x % kMeanBlockSide == 0 && y % kMeanBlockSide == 0) {
        grid.writeSpectral(coder, spectral, bx);
        if (spectral) grid.writeSpectrum(coder, spectra[block], bx, by);
      }
      if (!spectral) grid.writeSquare(coder, own[std::size_t(y * across + x)], x, y);
    }
}

// Reads what writeMeanGrid wrote: the spectral blocks into `residual`, and
// each square's own mean level (0 in spectral blocks) into `means`.
void readMeanGrid(RangeDecoder& coder, Residual& residual, int across, std::size_t squares,
                  const std::vector<int>& guide, std::vector<int>& means) {
  const int blocksAcross = across / kMeanBlockSide, down = int(squares / std::size_t(across));
  MeanGridCoder grid = meanGrid(residual, across, down, guide);
  for (int y = 0; y < down; ++y) {
    stopIfCutShort(coder);
    if (y % kMeanBlockSide == 0) {
      grid.openBlockRow(y);
      residual.spectral.resize(residual.spectral.size() + std::size_t(blocksAcross), false);
    }
    means.resize(means.size() + std::size_t(across), 0);
    for (int x = 0; x < across; ++x) {
      const int bx = x / kMeanBlockSide, by = y / kMeanBlockSide;
      const auto block = std::size_t(by * blocksAcross + bx);
      if (x % kMeanBlockSide == 0 && y % kMeanBlockSide == 0 && grid.readSpectral(coder, bx)) {
        residual.spectral[block] = true;
        const MeanBlockLevels levels = grid.readSpectrum(coder, bx, by);
        for (int i = 0; i < kMeanBlockArea; ++i)
          if (levels[std::size_t(i)] != 0)
            residual.blockMeans.push_back(
                {std::uint32_t(block), std::uint16_t(i), std::int16_t(levels[std::size_t(i)])});
      }
      if (!residual.spectral[block])
        means[std::size_t(y * across + x)] = grid.readSquare(coder, x, y);
    }
  }
}

}  // namespace

void writeResidual(RangeEncoder& coder, const Residual& residual, int paddedW, int paddedH,
                   int version, const LumaPlane& luma) {
  // Version 3 coded each mean with its square's detail; written in the
  // later layout, such a file would not read back.
  if (version < 4) throw std::logic_error("files of version 3 are read, not written");
  coder.encodeDirect(std::uint32_t(residual.stepCode), kStepBits);
  if (residual.stepCode == 0) return;
  const int across = paddedW / kResidualSide;
  const std::size_t squares = std::size_t(across) * std::size_t(paddedH / kResidualSide);
  // The means first: the detail of each square is drawn against the slope
  // its neighbours' means make.
  if (version >= 7)
    writeForecastTaps(coder, residual.meanTaps);
  else if (residual.meanTaps != kCornerRule)
    throw std::logic_error("a plane's own mean forecast needs version 7");
  const std::vector<int> guide = lumaGuide(luma, paddedW, paddedH, residual.stepCode, version);
  if (!guide.empty()) {
    if (residual.lumaShare < -kLumaShareOffset || residual.lumaShare >= kLumaShareOffset)
      throw std::logic_error("a luma share out of range");
    coder.encodeDirect(std::uint32_t(residual.lumaShare + kLumaShareOffset), kLumaShareBits);
  } else if (residual.lumaShare != 0) {
    throw std::logic_error("a luma share needs version 9 and a chroma plane over the luminance");
  }
  if (version >= 8 && meanBlocksTile(paddedW, paddedH)) {
    writeMeanGrid(coder, residual, across, squares, guide);
  } else {
    if (std::find(residual.spectral.begin(), residual.spectral.end(), true) !=
        residual.spectral.end())
      throw std::logic_error("spectral blocks of means need version 8 and a plane of blocks");
    MeanCoder means(across, version >= 6, residual.meanTaps);
    SquareLevels meanLevels(residual.coefficients);
    for (std::size_t square = 0; square < squares; ++square)
      means.write(coder, meanLevels.of(square)[0], column(square, across), row(square, across));
  }
  const bool byRegions = version >= 5 && regionsTile(paddedW, paddedH);
  const bool directions = version >= 6;
  if (!directions && anySquare(residual, [](const CopyFrom& c) { return c.direction != 0; }))
    throw std::logic_error("directed squares need version 6");
  const DetailFeatures features = detailFeatures(version, byRegions, !guide.empty());
  if (!features.lumaShapes &&
      anySquare(residual, [](const CopyFrom& c) { return c.lumaScale != 0; }))
    throw std::logic_error(
        "squares shaped by the luminance need version 10 and a chroma plane over it");
  DetailCoder details(across, features);
  SquareLevels detailLevels(residual.coefficients);
  if (byRegions) {
    // Region by region, each region's squares rows first.
    std::vector<Levels> ofSquare(squares);
    for (std::size_t square = 0; square < squares; ++square) {
      ofSquare[square] = detailLevels.of(square);
      ofSquare[square][0] = 0;
    }
    const int regionsAcross = across / 2;
    RegionCoder regions(regionsAcross);
    MergedLevels merged(residual.regionCoefficients);
    for (int ry = 0; ry < paddedH / kRegionSide; ++ry)
      for (int rx = 0; rx < regionsAcross; ++rx) {
        const auto region = std::size_t(ry * regionsAcross + rx);
        const bool isMerged = residual.mergedAt(region);
        regions.writeMerged(coder, isMerged, rx);
        if (isMerged) {
          const auto corner = std::size_t(squareRow(ry, 0) * across + squareColumn(rx, 0));
          details.writeRegion(coder, regions, merged.of(region), residual.slopedAt(corner), 2 * rx);
          continue;
        }
        for (int q = 0; q < 4; ++q) {
          const auto square = std::size_t(squareRow(ry, q) * across + squareColumn(rx, q));
          details.write(coder, ofSquare[square], residual.slopedAt(square), squareColumn(rx, q),
                        residual.copyAt(square), directable(squareColumn(rx, q), squareRow(ry, q)));
        }
      }
    return;
  }
  if (std::find(residual.merged.begin(), residual.merged.end(), true) != residual.merged.end() ||
      anySquare(residual, [](const CopyFrom& c) { return c.drawnOn(); }))
    throw std::logic_error(
        "merged, copied and directed squares need version 5 or 6 and a plane of regions");
  for (std::size_t square = 0; square < squares; ++square) {
    Levels levels = detailLevels.of(square);
    levels[0] = 0;
    details.write(coder, levels, residual.slopedAt(square), column(square, across));
  }
}

namespace {

// The layout of version 3: each square's mean with its detail.
void readInterleaved(RangeDecoder& coder, int across, std::size_t squares, Residual& residual) {
  residual.ownMeans = false;
  DetailCoder details(across, detailFeatures(3, false));
  MeanForecast forecasts(across, false);
  for (std::size_t square = 0; square < squares; ++square) {
    stopIfCutShort(coder);
    const int bx = column(square, across), by = row(square, across);
    bool sloped = false;
    CopyFrom copy;
    Levels levels = details.read(coder, sloped, bx, copy);
    levels[0] += forecasts.forecast(bx, by);
    if (std::abs(levels[0]) > kLargestLevel)
      throw FormatError(FormatFault::Corrupt, "a residual level is too large");
    forecasts.set(bx, levels[0]);
    residual.add(square, levels, false);
  }
}

// Every mean first, then every square's detail; with `regions`, region by
// region, each either merged or its four squares.
void readMeansFirst(RangeDecoder& coder, int across, std::size_t squares, bool regions, int version,
                    const std::vector<int>& guide, Residual& residual) {
  // Grown as read, so a file claiming a huge plane stops at its real end.
  std::vector<int> means;
  const int paddedW = across * kResidualSide;
  const int paddedH = across > 0 ? int(squares / std::size_t(across)) * kResidualSide : 0;
  if (version >= 8 && meanBlocksTile(paddedW, paddedH)) {
    readMeanGrid(coder, residual, across, squares, guide, means);
  } else {
    MeanCoder meanCoder(across, version >= 6, residual.meanTaps);
    for (std::size_t square = 0; square < squares; ++square) {
      stopIfCutShort(coder);
      means.push_back(meanCoder.read(coder, column(square, across), row(square, across)));
    }
  }
  DetailCoder details(across, detailFeatures(version, regions, !guide.empty()));
  if (regions) {
    const int regionsAcross = across / 2;
    const int regionsDown = across > 0 ? int(squares / std::size_t(across)) / 2 : 0;
    RegionCoder regionCoder(regionsAcross);
    for (int ry = 0; ry < regionsDown; ++ry)
      for (int rx = 0; rx < regionsAcross; ++rx) {
        stopIfCutShort(coder);
        const auto region = std::size_t(ry * regionsAcross + rx);
        if (regionCoder.readMerged(coder, rx)) {
          bool sloped = false;
          const RegionLevels levels = details.readRegion(coder, regionCoder, sloped, 2 * rx);
          for (int q = 0; q < 4; ++q) {
            const auto square = std::size_t(squareRow(ry, q) * across + squareColumn(rx, q));
            Levels own{};
            own[0] = means[square];
            residual.add(square, own, sloped);
          }
          residual.addRegion(region, levels);
          continue;
        }
        for (int q = 0; q < 4; ++q) {
          stopIfCutShort(coder);
          const auto square = std::size_t(squareRow(ry, q) * across + squareColumn(rx, q));
          bool sloped = false;
          CopyFrom copy;
          Levels levels = details.read(coder, sloped, squareColumn(rx, q), copy,
                                       directable(squareColumn(rx, q), squareRow(ry, q)));
          if (copy.on && !copyable(squareColumn(rx, q), squareRow(ry, q), copy.dx, copy.dy,
                                   across * kResidualSide))
            throw FormatError(FormatFault::Corrupt, "a square is copied from where it cannot be");
          levels[0] = means[square];
          residual.add(square, levels, sloped);
          if (copy.drawnOn()) residual.setCopy(square, copy);
        }
      }
    residual.sortSquares();
    return;
  }
  for (std::size_t square = 0; square < squares; ++square) {
    stopIfCutShort(coder);
    bool sloped = false;
    CopyFrom copy;
    Levels levels = details.read(coder, sloped, column(square, across), copy);
    levels[0] = means[square];
    residual.add(square, levels, sloped);
  }
}

}  // namespace

Residual readResidual(RangeDecoder& coder, int paddedW, int paddedH, bool tiles, int version,
                      const LumaPlane& luma) {
  Residual residual;
  residual.stepCode = int(coder.decodeDirect(kStepBits));
  if (residual.stepCode == 0) return residual;
  if (!tiles) throw FormatError(FormatFault::Corrupt, "a residual on blocks it cannot tile");
  const int across = paddedW / kResidualSide;
  const std::size_t squares = std::size_t(across) * std::size_t(paddedH / kResidualSide);
  if (version >= 7) residual.meanTaps = readForecastTaps(coder);
  const std::vector<int> guide = lumaGuide(luma, paddedW, paddedH, residual.stepCode, version);
  if (!guide.empty())
    residual.lumaShare = int(coder.decodeDirect(kLumaShareBits)) - kLumaShareOffset;
  if (version == 3)
    readInterleaved(coder, across, squares, residual);
  else
    readMeansFirst(coder, across, squares, version >= 5 && regionsTile(paddedW, paddedH), version,
                   guide, residual);
  stopIfCutShort(coder);
  return residual;
}

}  // namespace fif
