#include "fif/forecast_fit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <utility>

#include "fif/least_squares.h"
#include "fif/level_coding.h"
#include "fif/squares.h"

namespace fif {

namespace {

// What the taps cost in the file besides the bit that says they follow.
constexpr double kTapsBits = kForecastTaps * kForecastTapBits;
// Rounds of least squares reweighted towards the least absolute misses,
// which the coder's bits follow more nearly than their squares; a miss
// counts as at least this much so that a hit does not take all the weight.
constexpr int kFitRounds = 3;
constexpr double kSmallestMiss = 0.5;
// Neighbours often say the same (left and above on a diagonal ripple); a
// small ridge, in shares of the normal equations' mean diagonal, still
// gives their taps a single answer.
constexpr double kRidge = 1e-9;

using Neighbours = std::array<double, kForecastTaps>;

// Calls `use(level, neighbours)` for every square with neighbours above and
// left, in the order the taps weigh them.
template <class Use>
void forEachForetold(const std::vector<int>& levels, int across, Use use) {
  MeanForecast corner(across, true);
  for (std::size_t at = 0; at < levels.size(); ++at) {
    const int x = column(at, across), y = row(at, across);
    if (x > 0 && y > 0) {
      const std::size_t above = at - std::size_t(across);
      const int right = x + 1 < across ? levels[above + 1] : levels[above];
      use(levels[at],
          Neighbours{double(levels[at - 1]), double(levels[above]), double(levels[above - 1]),
                     double(right), double(corner.forecast(x, y))});
    }
    corner.set(x, levels[at]);
  }
}

double weighed(const std::vector<double>& weights, const Neighbours& n) {
  double sum = 0;
  for (int i = 0; i < kForecastTaps; ++i) sum += weights[std::size_t(i)] * n[std::size_t(i)];
  return sum;
}

// The bits the misses of `taps` would take, roughly: a miss of m costs
// about 2 log2(1 + m).
double missBits(const std::vector<int>& levels, int across, const ForecastTaps& taps,
                std::vector<int> terms = {}) {
  MeanForecast forecasts(across, true, taps, std::move(terms));
  double bits = 0;
  for (std::size_t at = 0; at < levels.size(); ++at) {
    const int x = column(at, across), y = row(at, across);
    bits += 2 * std::log2(1.0 + std::abs(levels[at] - forecasts.forecast(x, y)));
    forecasts.set(x, levels[at]);
  }
  return bits;
}

}  // namespace

ForecastTaps fitForecastTaps(const std::vector<int>& levels, int across) {
  // Start from the corner rule, then fit.
  std::vector<double> weights(kForecastTaps, 0.0);
  weights.back() = 1;
  for (int round = 0; round < kFitRounds; ++round) {
    std::vector<double> normal(kForecastTaps * kForecastTaps), target(kForecastTaps);
    forEachForetold(levels, across, [&](int level, const Neighbours& n) {
      const double w =
          round == 0 ? 1.0 : 1.0 / std::max(std::fabs(weighed(weights, n) - level), kSmallestMiss);
      for (std::size_t i = 0; i < n.size(); ++i) {
        target[i] += w * n[i] * level;
        for (std::size_t j = 0; j < n.size(); ++j) normal[i * n.size() + j] += w * n[i] * n[j];
      }
    });
    if (!addRidge(normal, kRidge) || !solveSymmetric(normal, target, weights)) return kCornerRule;
  }
  ForecastTaps taps{};
  for (std::size_t i = 0; i < taps.size(); ++i)
    taps[i] = std::clamp(int(std::lround(weights[i] * kForecastOne)), -kForecastTapOffset,
                         kForecastTapOffset - 1);
  return missBits(levels, across, taps) + kTapsBits < missBits(levels, across, kCornerRule)
             ? taps
             : kCornerRule;
}

int fitLumaShare(const std::vector<int>& levels, int across, const ForecastTaps& taps,
                 const std::vector<int>& guide) {
  // Each mean's miss of its neighbours' forecast against the luminance's
  // miss of its own, reweighted as the taps are.
  const std::vector<int> unit = lumaForecastTerms(guide, across, taps, kForecastOne);
  if (unit.size() != levels.size()) return 0;
  std::vector<double> misses;
  MeanForecast forecasts(across, true, taps);
  for (std::size_t at = 0; at < levels.size(); ++at) {
    const int x = column(at, across);
    misses.push_back(levels[at] - forecasts.forecast(x, row(at, across)));
    forecasts.set(x, levels[at]);
  }
  double share = 0;
  for (int round = 0; round < kFitRounds; ++round) {
    double across2 = 0, along = 0;
    for (std::size_t at = 0; at < levels.size(); ++at) {
      const double u = unit[at], w = round == 0 ? 1.0
                                                : 1.0 / std::max(std::fabs(share * u - misses[at]),
                                                                 kSmallestMiss);
      across2 += w * u * u;
      along += w * u * misses[at];
    }
    if (across2 <= 0) return 0;
    share = along / across2;
  }
  const int stored =
      std::clamp(int(std::lround(share * kForecastOne)), -kLumaShareOffset, kLumaShareOffset - 1);
  const double with =
      missBits(levels, across, taps, lumaForecastTerms(guide, across, taps, stored));
  return with + kLumaShareBits < missBits(levels, across, taps) ? stored : 0;
}

}  // namespace fif
