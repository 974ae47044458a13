#include "fif/residual.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <numeric>
#include <vector>

#include "fif/cosine.h"
#include "fif/direction.h"
#include "fif/forecast_fit.h"
#include "fif/level_coding.h"
#include "fif/mean_grid.h"
#include "fif/residual_drawing.h"
#include "fif/squares.h"

namespace fif {

namespace {

// A region whose spectrum would keep more non-zero levels than this stays
// four squares (see LevelChooser::chooseRegionFor).
constexpr int kRichestRegion = 64;
// The directions nearest a square's shape that are weighed by their bits.
constexpr std::size_t kWeighedDirections = 2;
// And the scales of the luminance nearest its best fit.
constexpr std::size_t kWeighedLumaScales = 2;

Block squareOf(const std::vector<float>& plane, int width, int bx, int by) {
  return pixelsAt(plane.data(), width, bx * kResidualSide, by * kResidualSide);
}

int nearestLevel(float value, float step) {
  const int level = std::min(kLargestLevel, int(std::fabs(value) / step + 0.5f));
  return value < 0 ? -level : level;
}

// What levels from `first` on miss of the spectrum.
template <std::size_t Area>
float squaredError(const std::array<float, Area>& spectrum, const std::array<int, Area>& levels,
                   float step, std::size_t first) {
  float sum = 0;
  for (std::size_t i = first; i < Area; ++i) {
    const float d = spectrum[i] - float(levels[i]) * step;
    sum += d * d;
  }
  return sum;
}

// From the nearest levels `chosen`: none at all where that costs less, then
// each level, last in coding order first, one step towards zero where the
// bits saved outweigh the error added. `best` is left at the cost kept.
template <int N, class Cost>
std::array<int, std::size_t(N* N)> cheapened(std::array<int, std::size_t(N* N)> chosen,
                                             const Cost& cost, float& best) {
  using Spectrum = std::array<int, std::size_t(N * N)>;
  best = cost(chosen);
  if (const float c = cost(Spectrum{}); c < best) {
    chosen = Spectrum{};
    best = c;
  }
  for (int i = N * N - 1; i > 0; --i) {
    const auto at = std::size_t(zigzag<N>()[std::size_t(i)]);
    if (chosen[at] == 0) continue;
    Spectrum trial = chosen;
    trial[at] -= chosen[at] > 0 ? 1 : -1;
    if (const float c = cost(trial); c < best) {
      chosen = trial;
      best = c;
    }
  }
  return chosen;
}

// What else a square may be drawn on than the blocks' picture, each with
// the spectrum of what it leaves of the square: a copy, or its neighbours'
// edges carried across it (only where the square is `directable`).
struct DrawnOnChoices {
  struct Choice {
    CopyFrom on;
    Block left;
  };
  std::vector<Choice> choices;
  bool directable = false;
};

// Chooses a square's detail levels the way their coding will price them, both
// flat and against the slope, and keeps the cheaper: from the nearest levels,
// each, last in coding order first, drops one step towards zero when the bits
// saved outweigh the error added, and the square may keep no detail at all.
class LevelChooser {
 public:
  LevelChooser(int across, float rateWeight, const DetailFeatures& features)
      : coder_(across, features), rateWeight_(rateWeight) {}

  // `cost`, when given, receives the chosen detail's error and bits.
  // Drawing the square on each of `others` is weighed too; `kept`, when
  // given, receives what the square is drawn on (nothing unless one was
  // kept).
  Levels choose(const Block& flat, const Block& againstSlope, float step, int bx, bool& sloped,
                float* cost = nullptr, const DrawnOnChoices& others = {},
                CopyFrom* kept = nullptr) {
    const bool directable = others.directable;
    float flatCost, slopeCost;
    const Levels flatLevels = chooseFor(flat, step, bx, false, flatCost, {}, directable);
    const Levels slopeLevels = chooseFor(againstSlope, step, bx, true, slopeCost, {}, directable);
    sloped = slopeCost < flatCost;
    Levels chosen = sloped ? slopeLevels : flatLevels;
    float best = std::min(flatCost, slopeCost);
    CopyFrom drawnOn;
    const auto weigh = [&](const Block& spectrum, const CopyFrom& on) {
      float onCost;
      const Levels levels = chooseFor(spectrum, step, bx, false, onCost, on, directable);
      if (onCost < best) {
        chosen = levels;
        best = onCost;
        sloped = false;
        drawnOn = on;
      }
    };
    for (const DrawnOnChoices::Choice& other : others.choices) weigh(other.left, other.on);
    if (kept) *kept = drawnOn;
    if (cost) *cost = best;
    BitCounter counter;
    coder_.write(counter, chosen, sloped, bx, drawnOn, directable);
    return chosen;
  }

  // The same for a merged region's spectra (of what its squares' means, and
  // slopes, leave), its top-left square in column `bx`.
  RegionLevels chooseRegion(RegionCoder& regions, const RegionBlock& flat,
                            const RegionBlock& againstSlope, float step, int bx, bool& sloped,
                            float& cost) {
    float flatCost, slopeCost;
    const RegionLevels flatLevels = chooseRegionFor(regions, flat, step, bx, false, flatCost);
    const RegionLevels slopeLevels =
        chooseRegionFor(regions, againstSlope, step, bx, true, slopeCost);
    sloped = slopeCost < flatCost;
    cost = std::min(flatCost, slopeCost);
    BitCounter counter;
    coder_.writeRegion(counter, regions, sloped ? slopeLevels : flatLevels, sloped, bx);
    return sloped ? slopeLevels : flatLevels;
  }

 private:
  Levels chooseFor(const Block& spectrum, float step, int bx, bool sloped, float& best,
                   const CopyFrom& copy, bool directable) const {
    const auto cost = [&](const Levels& levels) {
      // A square's mean is weighed on its own.
      return squaredError(spectrum, levels, step, 1) +
             rateWeight_ * step * step * coder_.bits(levels, sloped, bx, copy, directable);
    };
    Levels chosen{};
    for (int i = 1; i < kResidualArea; ++i)
      chosen[std::size_t(i)] = nearestLevel(spectrum[std::size_t(i)], step);
    return cheapened<kResidualSide>(chosen, cost, best);
  }

  RegionLevels chooseRegionFor(const RegionCoder& regions, const RegionBlock& spectrum, float step,
                               int bx, bool sloped, float& best) const {
    const float slopedBits = coder_.slopedBits(sloped, bx);
    const int context = coder_.codedContext(bx);
    // What the squares' means leave at position 0 counts against the region.
    const auto cost = [&](const RegionLevels& levels) {
      return squaredError(spectrum, levels, step, 0) +
             rateWeight_ * step * step * (slopedBits + regions.bits(levels, context));
    };
    RegionLevels chosen{};
    int nonZero = 0;
    for (int i = 1; i < kRegionArea; ++i) {
      chosen[std::size_t(i)] = nearestLevel(spectrum[std::size_t(i)], step);
      nonZero += chosen[std::size_t(i)] != 0;
    }
    // Detail this rich is cheaper in squares, and weighing it level by
    // level would cost the encoder most of its time.
    if (nonZero > kRichestRegion) {
      best = std::numeric_limits<float>::max();
      return RegionLevels{};
    }
    return cheapened<kRegionSide>(chosen, cost, best);
  }

  DetailCoder coder_;
  float rateWeight_;
};

// Each square's mean term (of its spectrum), row by row.
std::vector<float> meanTerms(const std::vector<float>& plane, int width, int height) {
  std::vector<float> terms;
  for (int by = 0; by < height / kResidualSide; ++by)
    for (int bx = 0; bx < width / kResidualSide; ++bx) {
      float sum = 0;
      for (float v : squareOf(plane, width, bx, by)) sum += v;
      terms.push_back(sum / kResidualSide);
    }
  return terms;
}

// Each term's nearest level.
std::vector<int> nearestLevels(const std::vector<float>& terms, float step) {
  std::vector<int> nearest;
  for (float term : terms) nearest.push_back(nearestLevel(term, step));
  return nearest;
}

// The level nearest `term` or `forecast`, whichever costs less: its error
// plus `bits(level)` at `price` a bit. `cost`, when given, receives that.
template <class Bits>
int nearestOrForecast(float term, float step, float price, int forecast, const Bits& bits,
                      float* cost = nullptr) {
  const auto costOf = [&](int level) {
    const float d = term - float(level) * step;
    return d * d + price * bits(level);
  };
  const int nearest = nearestLevel(term, step);
  const float forecastCost = costOf(forecast), nearestCost = costOf(nearest);
  if (cost) *cost = std::min(forecastCost, nearestCost);
  return forecastCost < nearestCost ? forecast : nearest;
}

// The mean levels, each the nearest or the forecast, whichever costs less;
// `bySpan` and `taps` as MeanCoder takes them. `costs`, when given,
// receives each one's error and bits.
std::vector<int> chooseMeans(const std::vector<float>& terms, int across, float step,
                             float rateWeight, bool bySpan, const ForecastTaps& taps,
                             std::vector<float>* costs = nullptr,
                             const std::vector<int>& lumaTerms = {}) {
  std::vector<int> levels;
  MeanCoder coder(across, bySpan, taps, lumaTerms);
  for (std::size_t at = 0; at < terms.size(); ++at) {
    const int bx = column(at, across), by = row(at, across);
    float cost = 0;
    const int level = nearestOrForecast(
        terms[at], step, rateWeight * step * step, coder.forecast(bx, by),
        [&](int l) { return coder.bits(l, bx, by); }, &cost);
    if (costs) costs->push_back(cost);
    BitCounter counter;
    coder.write(counter, level, bx, by);
    levels.push_back(level);
  }
  return levels;
}

// The offset whose source, its own mean taken out, is nearest the square's
// pixels less theirs; off when none is allowed.
CopyFrom nearestCopy(const std::vector<float>& decoded, const Block& own, int paddedW, int bx,
                     int by) {
  CopyFrom best;
  float nearest = std::numeric_limits<float>::max();
  const auto weigh = [&](int dx, int dy) {
    if (dx < -kCopyReach || dx >= kCopyReach || dy < -kCopyReach || dy >= kCopyReach ||
        !copyable(bx, by, dx, dy, paddedW))
      return;
    const float* source = decoded.data() + std::ptrdiff_t(by * kResidualSide + dy) * paddedW +
                          bx * kResidualSide + dx;
    // One sum for each column, so the compiler can add the columns side by
    // side.
    std::array<float, kResidualSide> sums{}, squares{};
    for (int y = 0; y < kResidualSide; ++y)
      for (int x = 0; x < kResidualSide; ++x) {
        const float d =
            own[std::size_t(y * kResidualSide + x)] - source[std::ptrdiff_t(y) * paddedW + x];
        sums[std::size_t(x)] += d;
        squares[std::size_t(x)] += d * d;
      }
    const float sum = std::accumulate(sums.begin(), sums.end(), 0.0f);
    const float error =
        std::accumulate(squares.begin(), squares.end(), 0.0f) - sum * sum / kResidualArea;
    if (error < nearest) {
      nearest = error;
      best = {true, std::int8_t(dx), std::int8_t(dy)};
    }
  };
  // Every other offset, then the ones around the nearest of those: a
  // quarter of the work for nearly the same copies.
  for (int dy = -kCopyReach; dy < kCopyReach; dy += 2)
    for (int dx = -kCopyReach; dx < kCopyReach; dx += 2) weigh(dx, dy);
  if (!best.on) return best;
  const CopyFrom coarse = best;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (dx != 0 || dy != 0) weigh(coarse.dx + dx, coarse.dy + dy);
  return best;
}

// What `draw` makes of the `count` indices of the smallest misses (miss,
// index), smallest first.
template <class Draw>
std::vector<CopyFrom> nearestOf(std::vector<std::pair<float, int>> misses, std::size_t count,
                                Draw draw) {
  count = std::min(count, misses.size());
  std::partial_sort(misses.begin(), misses.begin() + std::ptrdiff_t(count), misses.end());
  std::vector<CopyFrom> nearest;
  for (std::size_t k = 0; k < count; ++k) nearest.push_back(draw(misses[k].second));
  return nearest;
}

// The `count` directions whose carried edges, their mean taken out, are
// nearest the square's pixels `own` less theirs, nearest first; among the
// finer angles too where `fine`.
std::vector<CopyFrom> nearestDirections(const std::vector<float>& decoded, const Block& own,
                                        int paddedW, int bx, int by, std::size_t count, bool fine) {
  std::vector<std::pair<float, int>> errors;
  std::array<bool, kDirections> weighed{};
  const auto weigh = [&](int d) {
    if (weighed[std::size_t(d)]) return;
    weighed[std::size_t(d)] = true;
    const Block from = directedSquare(decoded.data(), paddedW, bx, by, d);
    float sum = 0, squares = 0;
    for (int i = 0; i < kResidualArea; ++i) {
      const float diff = own[std::size_t(i)] - from[std::size_t(i)];
      sum += diff;
      squares += diff * diff;
    }
    errors.emplace_back(squares - sum * sum / kResidualArea, d);
  };
  for (int coarse = 0; coarse < kCoarseDirections; ++coarse) weigh(fromCoarse(coarse));
  if (fine) {
    // Only the finer angles beside the nearest coarse ones: up to four more
    // where weighing them all would take fourteen, for nearly the same choice.
    std::vector<std::pair<float, int>> nearest = errors;
    const std::size_t kept = std::min(count, nearest.size());
    std::partial_sort(nearest.begin(), nearest.begin() + std::ptrdiff_t(kept), nearest.end());
    for (std::size_t k = 0; k < kept; ++k)
      if (const int d = nearest[k].second; d != kSmoothDirection) {
        if (d > 0) weigh(d - 1);
        if (d + 1 < kSmoothDirection) weigh(d + 1);
      }
  }
  return nearestOf(errors, count, [](int d) {
    CopyFrom direction;
    direction.direction = std::uint8_t(d + 1);
    return direction;
  });
}

// The `count` scales of the luminance under the square (`shapes`, see
// lumaShapes) nearest the one that fits the square's pixels `own` best,
// means taken out of both; none where the luminance is flat.
std::vector<CopyFrom> nearestLumaScales(const float* shapes, const Block& own, int paddedW, int bx,
                                        int by, std::size_t count) {
  const Block luma = pixelsAt(shapes, paddedW, bx * kResidualSide, by * kResidualSide);
  const float lumaMean = meanOf(luma), ownMean = meanOf(own);
  float along = 0, energy = 0;
  for (int i = 0; i < kResidualArea; ++i) {
    const float l = luma[std::size_t(i)] - lumaMean;
    along += l * (own[std::size_t(i)] - ownMean);
    energy += l * l;
  }
  if (energy < kResidualArea) return {};
  const float fit = along / energy;
  std::vector<std::pair<float, int>> misses;
  for (int k = 0; k < kLumaScales; ++k) misses.emplace_back(std::fabs(lumaScaleValue(k) - fit), k);
  return nearestOf(misses, count, [](int k) {
    CopyFrom shaped;
    shaped.lumaScale = std::uint8_t(k + 1);
    return shaped;
  });
}

// The spectrum of what drawing on `from` leaves of the square's pixels `own`.
Block spectrumLeft(const Block& own, const Block& from) {
  Block left{};
  for (int i = 0; i < kResidualArea; ++i)
    left[std::size_t(i)] = own[std::size_t(i)] - from[std::size_t(i)];
  return transform<kResidualSide>(left, basis());
}

// A region's pixels, kept to be put back.
class RegionPixels {
 public:
  RegionPixels(const std::vector<float>& plane, int paddedW, int rx, int ry)
      : at_(std::size_t(ry * kRegionSide) * std::size_t(paddedW) + std::size_t(rx * kRegionSide)),
        paddedW_(paddedW) {
    for (int y = 0; y < kRegionSide; ++y)
      std::copy_n(plane.begin() + std::ptrdiff_t(row(y)), kRegionSide,
                  pixels_.begin() + y * kRegionSide);
  }
  void restore(std::vector<float>& plane) const {
    for (int y = 0; y < kRegionSide; ++y)
      std::copy_n(pixels_.begin() + y * kRegionSide, kRegionSide,
                  plane.begin() + std::ptrdiff_t(row(y)));
  }

 private:
  std::size_t row(int y) const { return at_ + std::size_t(y) * std::size_t(paddedW_); }
  std::size_t at_;
  int paddedW_;
  RegionBlock pixels_{};
};

// Sets square `q` (0 to 3, rows first) of a region's pixels to `square`'s,
// lifted by `lift`.
void putInRegion(RegionBlock& region, int q, const Block& square, float lift) {
  for (int y = 0; y < kResidualSide; ++y)
    for (int x = 0; x < kResidualSide; ++x) {
      const auto to =
          std::size_t((y + (q >> 1) * kResidualSide) * kRegionSide + x + (q & 1) * kResidualSide);
      region[to] = square[std::size_t(y * kResidualSide + x)] + lift;
    }
}

// The squares' means as chosen: each its own level, or (version 8) by
// blocks, each its squares' own levels or its spectrum.
struct SquareMeansChoice {
  ForecastTaps taps = kCornerRule;
  int lumaShare = 0;
  std::vector<int> lumaTerms;  // what the luminance adds to each forecast
  std::vector<int> own;  // 0 in spectral blocks
  std::vector<bool> spectral;
  std::vector<Coefficient> blocks;
  std::vector<float> drawn;  // each square's mean level as drawn
  float cost = 0;  // by blocks: the means' squared error plus their bits' price

  int stored(std::size_t square) const { return own[square]; }
  void keep(Residual& residual) const {
    residual.meanTaps = taps;
    residual.lumaShare = lumaShare;
    residual.spectral = spectral;
    residual.blockMeans = blocks;
  }
};

// A block of means is drawn as a spectrum only where that costs less than
// this share of its squares' own levels: its rounded means also foretell
// the squares after it, which its own price does not see.
constexpr float kSpectralShare = 0.9f;

// The cheaper of a block's own levels (each the nearest or the forecast) and
// its spectrum (its mean level the nearest or the forecast, the others
// weighed as a square's detail is).
class MeanGridChooser {
 public:
  MeanGridChooser(const std::vector<float>& terms, int across, float step, float rateWeight,
                  SquareMeansChoice& choice)
      : terms_(terms),
        across_(across),
        step_(step),
        rateWeight_(rateWeight),
        choice_(choice),
        coder_(across, int(terms.size()) / across, choice.taps, choice.lumaTerms) {
    choice_.own.assign(terms.size(), 0);
    choice_.spectral.assign(terms.size() / kMeanBlockArea, false);
  }

  void run() {
    // What each square's own level would cost, coded as every square's is
    // before version 8: the price a block weighs its spectrum against.
    chooseMeans(terms_, across_, step_, rateWeight_, true, choice_.taps, &ownCosts_,
                choice_.lumaTerms);
    const int down = int(terms_.size()) / across_;
    for (int y = 0; y < down; ++y)
      for (int x = 0; x < across_; ++x) {
        if (x == 0 && y % kMeanBlockSide == 0) coder_.openBlockRow(y);
        const int bx = x / kMeanBlockSide, by = y / kMeanBlockSide;
        const auto block = std::size_t(by * (across_ / kMeanBlockSide) + bx);
        if (x % kMeanBlockSide == 0 && y % kMeanBlockSide == 0) chooseBlock(block, bx, by);
        if (!choice_.spectral[block]) chooseSquare(x, y);
      }
    choice_.drawn = coder_.drawn();
  }

 private:
  std::size_t square(int bx, int by, int x, int y) const {
    return std::size_t((by * kMeanBlockSide + y) * across_ + bx * kMeanBlockSide + x);
  }

  // Met at its top-left square: a spectrum, or its squares' own levels.
  void chooseBlock(std::size_t block, int bx, int by) {
    MeanGridCoder spectral = coder_;
    MeanBlockLevels spectrum{};
    const float spectralCost = spectrumOf(spectral, bx, by, spectrum);
    BitCounter flag;
    MeanGridCoder own = coder_;
    own.writeSpectral(flag, false, bx);
    float ownCost = rateWeight_ * step_ * step_ * flag.bits();
    for (int y = 0; y < kMeanBlockSide; ++y)
      for (int x = 0; x < kMeanBlockSide; ++x) ownCost += ownCosts_[square(bx, by, x, y)];
    const bool isSpectral = spectralCost < ownCost * kSpectralShare;
    choice_.spectral[block] = isSpectral;
    coder_ = isSpectral ? spectral : own;
    // Unless spectral, the squares add their own as they are chosen.
    choice_.cost += isSpectral ? spectralCost : rateWeight_ * step_ * step_ * flag.bits();
    if (!isSpectral) return;
    for (int i = 0; i < kMeanBlockArea; ++i)
      if (spectrum[std::size_t(i)] != 0)
        choice_.blocks.push_back(
            {std::uint32_t(block), std::uint16_t(i), std::int16_t(spectrum[std::size_t(i)])});
  }

  // A square's own level: the nearest or the forecast.
  void chooseSquare(int x, int y) {
    float cost = 0;
    const int level = nearestOrForecast(
        terms_[std::size_t(y * across_ + x)], step_, rateWeight_ * step_ * step_,
        coder_.forecast(x, y), [&](int l) { return coder_.squareBits(l, x, y); }, &cost);
    choice_.cost += cost;
    BitCounter bits;
    coder_.writeSquare(bits, level, x, y);
    choice_.own[std::size_t(y * across_ + x)] = level;
  }

  float spectrumOf(MeanGridCoder& coder, int bx, int by, MeanBlockLevels& chosen) const {
    BitCounter bits;
    coder.writeSpectral(bits, true, bx);
    const float flagBits = bits.bits();
    SquareOf<kMeanBlockSide> own{};
    for (int y = 0; y < kMeanBlockSide; ++y)
      for (int x = 0; x < kMeanBlockSide; ++x)
        own[std::size_t(y * kMeanBlockSide + x)] = terms_[square(bx, by, x, y)] / step_;
    const SquareOf<kMeanBlockSide> spectrum =
        transform<kMeanBlockSide>(own, basis<kMeanBlockSide>());
    for (int i = 1; i < kMeanBlockArea; ++i)
      chosen[std::size_t(i)] = nearestLevel(spectrum[std::size_t(i)], 1);
    const auto costOf = [&](int mean, MeanBlockLevels levels) {
      levels[0] = mean;
      return squaredError(spectrum, levels, 1, 0) +
             rateWeight_ * coder.spectrumBits(levels, bx, by);
    };
    const int nearest = nearestLevel(spectrum[0], 1), forecast = coder.blockForecast(bx, by);
    const int mean = costOf(forecast, chosen) < costOf(nearest, chosen) ? forecast : nearest;
    float best;
    chosen = cheapened<kMeanBlockSide>(
        chosen, [&](const MeanBlockLevels& l) { return costOf(mean, l); }, best);
    chosen[0] = mean;
    coder.writeSpectrum(bits, chosen, bx, by);
    return (rateWeight_ * flagBits + best) * step_ * step_;
  }

  const std::vector<float>& terms_;
  int across_;
  float step_, rateWeight_;
  SquareMeansChoice& choice_;
  MeanGridCoder coder_;
  std::vector<float> ownCosts_;
};

// Each square's own mean, or (version 8, where the plane tiles into blocks)
// by blocks.
SquareMeansChoice chooseSquareMeans(const std::vector<float>& terms, int width, int height,
                                    float step, float rateWeight, int version,
                                    const std::vector<int>& guide) {
  const int across = width / kResidualSide;
  SquareMeansChoice choice;
  // The plane's own forecast, fitted to its nearest levels.
  const std::vector<int> nearest = nearestLevels(terms, step);
  if (version >= 7) choice.taps = fitForecastTaps(nearest, across);
  if (version >= 8 && meanBlocksTile(width, height)) {
    MeanGridChooser(terms, across, step, rateWeight, choice).run();
    // The luminance's guide where it pays for its bits too.
    const int share =
        version >= 9 && !guide.empty() ? fitLumaShare(nearest, across, choice.taps, guide) : 0;
    if (share == 0) return choice;
    SquareMeansChoice guided;
    guided.taps = choice.taps;
    guided.lumaShare = share;
    guided.lumaTerms = lumaForecastTerms(guide, across, choice.taps, share);
    MeanGridChooser(terms, across, step, rateWeight, guided).run();
    guided.cost += rateWeight * step * step * kLumaShareBits;
    return guided.cost < choice.cost ? guided : choice;
  }
  choice.own = chooseMeans(terms, across, step, rateWeight, version >= 6, choice.taps);
  choice.drawn.assign(choice.own.begin(), choice.own.end());
  return choice;
}

// Chooses one plane's residual: the squares' means first, then their detail
// square by square, or region by region where a region's squares may share
// one spectrum.
class PlaneQuantiser {
 public:
  PlaneQuantiser(const std::vector<float>& original, const std::vector<float>& predicted, int width,
                 int height, float step, float rateWeight, int version,
                 const std::vector<int>& lumaGuide, const float* shapes)
      : original_(original),
        predicted_(predicted),
        difference_(original.size()),
        width_(width),
        height_(height),
        across_(width / kResidualSide),
        step_(step),
        price_(rateWeight * step * step),
        // The squares' means are the picture's own: the blocks give only the
        // shape inside them.
        means_(chooseSquareMeans(meanTerms(original, width, height), width, height, step,
                                 rateWeight, version, lumaGuide)),
        shown_(width, height, means_.drawn, step),
        features_(detailFeatures(version, regionsTile(width, height), !lumaGuide.empty())),
        shapes_(features_.lumaShapes ? shapes : nullptr),
        chooser_(across_, rateWeight, features_) {
    for (std::size_t i = 0; i < original.size(); ++i) difference_[i] = original[i] - predicted[i];
  }

  // Each square on its own, in block order.
  void squareBySquare(Residual& residual) {
    means_.keep(residual);
    for (int by = 0; by < height_ / kResidualSide; ++by)
      for (int bx = 0; bx < across_; ++bx) {
        Block againstSlope;
        const Block detail = detailOf(bx, by, againstSlope);
        bool sloped = false;
        Levels levels =
            chooser_.choose(transform<kResidualSide>(detail, basis()),
                            transform<kResidualSide>(againstSlope, basis()), step_, bx, sloped);
        levels[0] = means_.stored(std::size_t(by * across_ + bx));
        residual.add(std::size_t(by * across_ + bx), levels, sloped);
      }
  }

  // Region by region, each merged where one spectrum over it costs less
  // than its four squares.
  void regionByRegion(Residual& residual) {
    means_.keep(residual);
    RegionCoder regions(across_ / 2);
    // The picture as decoded so far, which copies and directions draw on.
    std::vector<float> decoded = predicted_;
    for (int ry = 0; ry < height_ / kRegionSide; ++ry)
      for (int rx = 0; rx < across_ / 2; ++rx) {
        const RegionPixels blocks(decoded, width_, rx, ry);
        const FourSquares four = asFourSquares(regions, decoded, rx, ry);
        const OneSpectrum one = asOneSpectrum(regions, four, rx);
        const bool merged = one.cost < four.cost;
        // Merged, the region is drawn afresh on the blocks' picture.
        if (merged) blocks.restore(decoded);
        chooser_ = merged ? one.chooser : four.chooser;
        regions = merged ? one.regions : four.regions;
        keepRegion(residual, decoded, rx, ry, merged, four, one);
      }
    residual.sortSquares();
  }

 private:
  // A square's detail as chosen on its own.
  struct SquareChoice {
    Levels levels{};
    bool sloped = false;
    CopyFrom copy;
  };
  // A region as four squares of their own: their choices, the contexts they
  // leave, and their cost with each square's mean error counted too. And
  // what their means, and slopes, leave of the region, for one spectrum.
  struct FourSquares {
    LevelChooser chooser;
    RegionCoder regions;
    float cost = 0;
    std::array<SquareChoice, 4> squares{};
    RegionBlock flat{}, againstSlopes{};
  };
  // A region as one spectrum over what its squares' means, and slopes, leave.
  struct OneSpectrum {
    LevelChooser chooser;
    RegionCoder regions;
    float cost = 0;
    RegionLevels levels{};
    bool sloped = false;
  };

  // The square's difference from the blocks' picture; `againstSlope` is that
  // less the square's slope.
  Block detailOf(int bx, int by, Block& againstSlope) const {
    const Block detail = squareOf(difference_, width_, bx, by);
    againstSlope = detail;
    const Block slope = shown_.slope(bx, by);
    for (int i = 0; i < kResidualArea; ++i) againstSlope[std::size_t(i)] -= slope[std::size_t(i)];
    return detail;
  }

  // Each square is drawn on `decoded` as it is chosen, so the next may
  // carry its edges on.
  FourSquares asFourSquares(const RegionCoder& regions, std::vector<float>& decoded, int rx,
                            int ry) const {
    FourSquares four{chooser_, regions};
    BitCounter bits;
    four.regions.writeMerged(bits, false, rx);
    four.cost = price_ * bits.bits();
    for (int q = 0; q < 4; ++q) {
      const int bx = squareColumn(rx, q), by = squareRow(ry, q);
      Block againstSlope;
      const Block detail = detailOf(bx, by, againstSlope);
      SquareChoice& square = four.squares[std::size_t(q)];
      const Block own = squareOf(original_, width_, bx, by);
      float cost = 0;
      square.levels = four.chooser.choose(transform<kResidualSide>(detail, basis()),
                                          transform<kResidualSide>(againstSlope, basis()), step_,
                                          bx, square.sloped, &cost,
                                          drawnOnChoices(decoded, own, bx, by), &square.copy);
      const float meanLevel = means_.drawn[std::size_t(by * across_ + bx)];
      drawSquare(decoded.data(), width_, bx, by, square.levels, meanLevel, step_, true,
                 square.sloped ? shown_.slope(bx, by) : Block{}, square.copy, shapes_);
      const float shownMean = meanLevel * step_ / kResidualSide;
      const float meanError = meanOf(own) - shownMean;
      four.cost += cost + kResidualArea * meanError * meanError;
      const float lift = meanOf(squareOf(predicted_, width_, bx, by)) - shownMean;
      putInRegion(four.flat, q, detail, lift);
      putInRegion(four.againstSlopes, q, againstSlope, lift);
    }
    return four;
  }

  DrawnOnChoices drawnOnChoices(const std::vector<float>& decoded, const Block& own, int bx,
                                int by) const {
    DrawnOnChoices others;
    const auto add = [&](const CopyFrom& on) {
      others.choices.push_back(
          {on, spectrumLeft(own, drawnOn(decoded.data(), width_, bx, by, on, shapes_))});
    };
    if (const CopyFrom copy = nearestCopy(decoded, own, width_, bx, by); copy.on) add(copy);
    others.directable = features_.directions && directable(bx, by);
    if (others.directable)
      for (const CopyFrom& direction : nearestDirections(decoded, own, width_, bx, by,
                                                         kWeighedDirections, features_.fineAngles))
        add(direction);
    if (shapes_)
      for (const CopyFrom& shaped :
           nearestLumaScales(shapes_, own, width_, bx, by, kWeighedLumaScales))
        add(shaped);
    return others;
  }

  OneSpectrum asOneSpectrum(const RegionCoder& regions, const FourSquares& four, int rx) const {
    OneSpectrum one{chooser_, regions};
    BitCounter bits;
    one.regions.writeMerged(bits, true, rx);
    one.levels = one.chooser.chooseRegion(
        one.regions, transform<kRegionSide>(four.flat, basis<kRegionSide>()),
        transform<kRegionSide>(four.againstSlopes, basis<kRegionSide>()), step_, 2 * rx, one.sloped,
        one.cost);
    one.cost += price_ * bits.bits();
    return one;
  }

  // Keeps the region's squares, and its spectrum where merged; a merged
  // region is drawn on `decoded` for the squares after it (four squares
  // were drawn as they were chosen).
  void keepRegion(Residual& residual, std::vector<float>& decoded, int rx, int ry, bool merged,
                  const FourSquares& four, const OneSpectrum& one) const {
    for (int q = 0; q < 4; ++q) {
      const int bx = squareColumn(rx, q), by = squareRow(ry, q);
      const auto square = std::size_t(by * across_ + bx);
      const SquareChoice& alone = four.squares[std::size_t(q)];
      Levels own = merged ? Levels{} : alone.levels;
      own[0] = means_.stored(square);
      const bool sloped = merged ? one.sloped : alone.sloped;
      const CopyFrom copy = merged ? CopyFrom{} : alone.copy;
      residual.add(square, own, sloped);
      if (copy.drawnOn()) residual.setCopy(square, copy);
      if (merged)
        drawSquare(decoded.data(), width_, bx, by, own, means_.drawn[square], step_, true,
                   sloped ? shown_.slope(bx, by) : Block{}, copy, shapes_);
    }
    if (merged) {
      residual.addRegion(std::size_t(ry * (across_ / 2) + rx), one.levels);
      drawRegion(decoded.data(), width_, rx, ry, one.levels, step_);
    }
  }

  const std::vector<float>& original_;
  const std::vector<float>& predicted_;
  std::vector<float> difference_;
  int width_, height_, across_;
  float step_;
  float price_;  // of a bit, in squared error
  SquareMeansChoice means_;
  SquareMeans shown_;
  DetailFeatures features_;
  const float* shapes_;  // the luminance that may shape the squares; none if they may not
  LevelChooser chooser_;
};

}  // namespace

Residual quantiseResidual(const std::vector<float>& original, const std::vector<float>& predicted,
                          int width, int height, int stepCode, float rateWeight, int version,
                          const LumaPlane& luma) {
  Residual residual;
  residual.stepCode = stepCode;
  if (stepCode == 0) return residual;
  const bool byRegions = version >= 5 && regionsTile(width, height);
  PlaneQuantiser plane(original, predicted, width, height, residual.step(), rateWeight, version,
                       lumaGuide(luma, width, height, stepCode, version), luma.shapes);
  if (byRegions)
    plane.regionByRegion(residual);
  else
    plane.squareBySquare(residual);
  return residual;
}

}  // namespace fif
