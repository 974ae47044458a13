#include "fif/level_coding.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "fif/format.h"

namespace fif {

namespace {

int readLevel(RangeDecoder& coder, ResidualModels& m, int position, int recent) {
  return readSize(coder, m.aboveOne[band(position)][recent], m.aboveTwo[band(position)][recent],
                  m.prefix);
}

}  // namespace

int readSize(RangeDecoder& coder, BitModel& aboveOne, BitModel& aboveTwo, BitModel* prefix,
             BitModel* sign) {
  int magnitude = 1;
  if (coder.decode(aboveOne)) {
    magnitude = 2;
    if (coder.decode(aboveTwo)) {
      int length = 0;
      while (length < kLongestPrefix && coder.decode(prefix[length])) ++length;
      const unsigned size = (1u << length) + coder.decodeDirect(length) + 2;
      if (size > unsigned(kLargestLevel))
        throw FormatError(FormatFault::Corrupt, "a residual level is too large");
      magnitude = int(size);
    }
  }
  return (sign ? coder.decode(*sign) : coder.decodeDirect(1)) ? -magnitude : magnitude;
}

namespace {

// A sum in kForecastOne shares of a level, to the nearest whole level (a
// half rounded up whatever the sign, as a shift would), within the levels'
// range.
int inWholeLevels(std::int64_t shares) {
  const std::int64_t sum = shares + kForecastOne / 2;
  const std::int64_t whole =
      sum >= 0 ? sum / kForecastOne : -((-sum + kForecastOne - 1) / kForecastOne);
  return int(std::clamp<std::int64_t>(whole, -kLargestLevel, kLargestLevel));
}

}  // namespace

int foretellMean(int left, int above, int corner, int right, const ForecastTaps& taps) {
  const int low = std::min(left, above), high = std::max(left, above);
  const int byCorner = corner >= high ? low : corner <= low ? high : left + above - corner;
  if (taps == kCornerRule) return byCorner;
  const std::int64_t sum = std::int64_t(taps[0]) * left + std::int64_t(taps[1]) * above +
                           std::int64_t(taps[2]) * corner + std::int64_t(taps[3]) * right +
                           std::int64_t(taps[4]) * byCorner;
  return inWholeLevels(sum);
}

std::vector<int> lumaForecastTerms(const std::vector<int>& guide, int across,
                                   const ForecastTaps& taps, int share) {
  if (guide.empty() || share == 0) return {};
  std::vector<int> terms(guide.size(), 0);
  const auto at = [&](int x, int y) { return guide[std::size_t(y * across + x)]; };
  for (auto i = std::size_t(across); i < guide.size(); ++i) {
    const int x = column(i, across), y = row(i, across);
    if (x == 0) continue;
    const int right = x + 1 < across ? at(x + 1, y - 1) : at(x, y - 1);
    const std::int64_t miss =
        at(x, y) - foretellMean(at(x - 1, y), at(x, y - 1), at(x - 1, y - 1), right, taps);
    terms[i] = inWholeLevels(share * miss);
  }
  return terms;
}

int MeanForecast::fromNeighbours(int x, int y) const {
  if (x > 0 && y > 0 && !byCorner_)
    return (above_[std::size_t(x)] + above_[std::size_t(x - 1)]) / 2;
  if (x > 0 && y > 0) {
    const int above = above_[std::size_t(x)];
    const int right = std::size_t(x + 1) < above_.size() ? above_[std::size_t(x + 1)] : above;
    return foretellMean(above_[std::size_t(x - 1)], above, corner_, right, taps_);
  }
  if (x > 0) return above_[std::size_t(x - 1)];
  return y > 0 ? above_[std::size_t(x)] : 0;
}

bool RegionCoder::readMerged(RangeDecoder& coder, int rx) {
  const bool merged = coder.decode(models_.merged[merged_.context(rx)]);
  merged_.set(rx, merged);
  return merged;
}

float RegionCoder::bits(const RegionLevels& levels, int codedContext) const {
  RegionModels trial = models_;
  BitCounter counter;
  writeLevels(counter, trial, levels, codedContext);
  return counter.bits();
}

RegionLevels RegionCoder::readLevels(RangeDecoder& coder, int codedContext, bool& coded) {
  RegionLevels levels{};
  coded = coder.decode(models_.coded[codedContext]);
  if (!coded) return levels;
  const int last = int(models_.last.decode(coder)) + 1;
  if (last >= kRegionArea)
    throw FormatError(FormatFault::Corrupt, "a region's spectrum is too long");
  RecentLevels recent;
  for (int i = 1; i <= last; ++i) {
    const bool significant =
        i == last || coder.decode(models_.significant[regionBand(i)][recent.count()]);
    if (significant)
      levels[std::size_t(zigzag<kRegionSide>()[std::size_t(i)])] =
          readSize(coder, models_.aboveOne[regionSizeBand(i)][recent.count()],
                   models_.aboveTwo[regionSizeBand(i)][recent.count()], models_.prefix);
    recent.push(significant);
  }
  return levels;
}

float DetailCoder::bits(const Levels& levels, bool sloped, int bx, const CopyFrom& copy,
                        bool directable) const {
  DetailCoder trial = *this;
  BitCounter counter;
  trial.write(counter, levels, sloped, bx, copy, directable);
  return counter.bits();
}

RegionLevels DetailCoder::readRegion(RangeDecoder& coder, RegionCoder& regions, bool& sloped,
                                     int bx) {
  sloped = coder.decode(models_.sloped[sloped_.context(bx)]);
  bool coded = false;
  const RegionLevels levels = regions.readLevels(coder, coded_.context(bx), coded);
  learnRegion(bx, sloped, coded);
  return levels;
}

float DetailCoder::slopedBits(bool sloped, int bx) const {
  BitModel model = models_.sloped[sloped_.context(bx)];
  BitCounter counter;
  counter.encode(model, sloped);
  return counter.bits();
}

int DetailCoder::readDirection(RangeDecoder& coder) {
  if (!features_.fineAngles) return fromCoarse(int(models_.direction.decode(coder)));
  const int direction = int(models_.fineDirection.decode(coder));
  if (direction >= kDirections)
    throw FormatError(FormatFault::Corrupt, "a square's direction is out of range");
  return direction;
}

Levels DetailCoder::read(RangeDecoder& coder, bool& sloped, int bx, CopyFrom& copy,
                         bool directable) {
  copy = {};
  if (features_.copies) {
    copy.on = coder.decode(models_.copied[copied_.context(bx)]);
    copied_.set(bx, copy.on);
    if (copy.on) {
      copy.dx = std::int8_t(int(coder.decodeDirect(kCopyBits)) - kCopyReach);
      copy.dy = std::int8_t(int(coder.decodeDirect(kCopyBits)) - kCopyReach);
    }
  }
  if (features_.directions && directable && !copy.on &&
      coder.decode(models_.directed[directed_.context(bx)]))
    copy.direction = std::uint8_t(readDirection(coder) + 1);
  directed_.set(bx, copy.direction != 0);
  if (features_.lumaShapes && !copy.on && copy.direction == 0 &&
      coder.decode(models_.shaped[shaped_.context(bx)]))
    copy.lumaScale = std::uint8_t(models_.lumaScale.decode(coder) + 1);
  shaped_.set(bx, copy.lumaScale != 0);
  sloped = features_.slopes && !copy.drawnOn() && coder.decode(models_.sloped[sloped_.context(bx)]);
  sloped_.set(bx, sloped);
  Levels levels{};
  const bool coded = coder.decode(models_.coded[coded_.context(bx)]);
  coded_.set(bx, coded);
  if (!coded) return levels;
  const int last = int(models_.last.decode(coder));
  RecentLevels recent;
  for (int i = 0; i <= last; ++i) {
    const int natural = zigzag()[std::size_t(i)];
    const int context = features_.byLower ? lowerLevels(levels, natural) : recent.count();
    const bool significant = i == last || coder.decode(models_.significant[i][context]);
    if (significant) levels[std::size_t(natural)] = readLevel(coder, models_, i, context);
    recent.push(significant);
  }
  return levels;
}

float MeanCoder::bits(int level, int bx, int by) const {
  MeanCoder trial = *this;
  BitCounter counter;
  trial.write(counter, level, bx, by);
  return counter.bits();
}

int MeanCoder::read(RangeDecoder& coder, int bx, int by) {
  int difference = 0;
  if (bySpan_) {
    const int span = spanContext(bx, by);
    if (coder.decode(spans_.significant[span]))
      difference = readSize(coder, spans_.aboveOne[span], spans_.aboveTwo[span], spans_.prefix,
                            &spans_.sign[wayContext(bx, by)]);
  } else {
    const int context = missed_.context(bx);
    if (coder.decode(models_.significant[0][context]))
      difference = readLevel(coder, models_, 0, context);
  }
  const int level = forecast(bx, by) + difference;
  if (std::abs(level) > kLargestLevel)
    throw FormatError(FormatFault::Corrupt, "a residual level is too large");
  learn(level, difference, bx);
  return level;
}

}  // namespace fif
