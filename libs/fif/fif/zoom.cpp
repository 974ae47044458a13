#include "fif/zoom.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "fif/interpolate.h"
#include "fif/least_squares.h"

namespace fif {

namespace {

// Each new pixel is drawn from the 4 x 4 pixels nearest it: one picture
// teaches larger windows no better.
constexpr int kReach = 2;
constexpr std::size_t kTaps = 4 * kReach * kReach;
// Quartered, the plane must still hold enough pixels to learn the taps from.
constexpr int kSmallestSide = 32;
// Keeps the taps' equations solvable where the picture is flat.
constexpr double kRidge = 1e-4;
// Rounds of drawing the doubled picture back towards the plane.
constexpr int kBackProjections = 4;

struct Area {
  int width = 0, height = 0;
  std::vector<float> pixels;
  // Edges repeat, as Lanczos takes them.
  float at(int x, int y) const {
    return pixels[std::size_t(std::clamp(y, 0, height - 1)) * std::size_t(width) +
                  std::size_t(std::clamp(x, 0, width - 1))];
  }
};

using Taps = std::array<double, kTaps>;
// By the new pixel's place among the four that replace an old one:
// 2 (y & 1) + (x & 1).
using Filter = std::array<Taps, 4>;

// The pixels around old pixel (x, y) that draw new pixel (2x + a, 2y + b):
// those nearest its centre, a quarter of a pixel from (x, y) each way.
Taps windowAt(const Area& from, int x, int y, int a, int b) {
  Taps window;
  std::size_t k = 0;
  for (int j = b - kReach; j < b + kReach; ++j)
    for (int i = a - kReach; i < a + kReach; ++i) window[k++] = from.at(x + i, y + j);
  return window;
}

// Each pixel the mean of four, as a picture is commonly made smaller.
Area halved(const Area& from) {
  Area half{from.width / 2, from.height / 2, {}};
  half.pixels.reserve(std::size_t(half.width) * std::size_t(half.height));
  for (int y = 0; y < half.height; ++y)
    for (int x = 0; x < half.width; ++x)
      half.pixels.push_back((from.at(2 * x, 2 * y) + from.at(2 * x + 1, 2 * y) +
                             from.at(2 * x, 2 * y + 1) + from.at(2 * x + 1, 2 * y + 1)) *
                            0.25f);
  return half;
}

// Least squares: the taps that best draw the targets from their windows.
class Equations {
 public:
  void add(const Taps& window, double target) {
    for (std::size_t i = 0; i < kTaps; ++i) {
      right_[i] += window[i] * target;
      for (std::size_t j = 0; j <= i; ++j) normal_[i * kTaps + j] += window[i] * window[j];
    }
  }

  // None where even the ridge leaves them without a single answer.
  std::optional<Taps> solve() const {
    std::vector<double> normal(normal_.begin(), normal_.end());
    if (!addRidge(normal, kRidge)) return std::nullopt;
    for (std::size_t i = 0; i < kTaps; ++i)
      for (std::size_t j = 0; j < i; ++j) normal[j * kTaps + i] = normal[i * kTaps + j];
    std::vector<double> weights;
    if (!solveSymmetric(std::move(normal), {right_.begin(), right_.end()}, weights))
      return std::nullopt;
    Taps taps{};
    std::copy(weights.begin(), weights.end(), taps.begin());
    return taps;
  }

 private:
  std::array<double, kTaps * kTaps> normal_{};  // lower half
  Taps right_{};
};

// The filter that best draws `large` (at least twice `small`'s size) from
// `small`.
std::optional<Filter> fit(const Area& small, const Area& large) {
  std::array<Equations, 4> equations;
  for (int y = 0; y < small.height; ++y)
    for (int x = 0; x < small.width; ++x)
      for (int p = 0; p < 4; ++p)
        equations[std::size_t(p)].add(windowAt(small, x, y, p & 1, p >> 1),
                                      large.at(2 * x + (p & 1), 2 * y + (p >> 1)));
  Filter filter;
  for (int p = 0; p < 4; ++p) {
    const std::optional<Taps> taps = equations[std::size_t(p)].solve();
    if (!taps) return std::nullopt;
    filter[std::size_t(p)] = *taps;
  }
  return filter;
}

// `from` at twice its size drawn by `filter` over `under`, the same size,
// each pixel `share` the filter's and the rest `under`'s.
Area enlarged(const Area& from, const Filter& filter, Area under, double share) {
  for (int y = 0; y < from.height; ++y)
    for (int x = 0; x < from.width; ++x)
      for (int p = 0; p < 4; ++p) {
        const Taps window = windowAt(from, x, y, p & 1, p >> 1);
        const Taps& taps = filter[std::size_t(p)];
        double sum = 0;
        for (std::size_t i = 0; i < window.size(); ++i) sum += taps[i] * window[i];
        float& pixel = under.pixels[std::size_t(2 * y + (p >> 1)) * std::size_t(under.width) +
                                    std::size_t(2 * x + (p & 1))];
        pixel = float(share * float(sum) + (1 - share) * pixel);
      }
  return under;
}

Area lanczosDoubled(const Area& from) {
  return {
      2 * from.width, 2 * from.height,
      lanczosResize(from.pixels, from.width, from.height, 2 * from.width, 2 * from.height, 2, 2)};
}

// Over the drawn area, which lies in the top left of the truth.
double squaredError(const Area& drawn, const Area& truth) {
  double sum = 0;
  for (int y = 0; y < drawn.height; ++y)
    for (int x = 0; x < drawn.width; ++x) {
      const double d =
          double(drawn.pixels[std::size_t(y) * std::size_t(drawn.width) + std::size_t(x)]) -
          truth.at(x, y);
      sum += d * d;
    }
  return sum;
}

// The share of the picture `filter` draws from `small`, in quarters over
// Lanczos's, that draws `truth` best; none unless some share does strictly
// better than Lanczos alone, so a failed or poisoned fit never wins.
double bestShare(const Area& small, const Filter& filter, const Area& truth) {
  const Area lanczos = lanczosDoubled(small);
  double best = 0, leastError = squaredError(lanczos, truth);
  for (const double share : {0.25, 0.5, 0.75, 1.0})
    if (const double error = squaredError(enlarged(small, filter, lanczos, share), truth);
        error < leastError) {
      best = share;
      leastError = error;
    }
  return best;
}

// Adds `small` to `doubled`, twice its size, each new pixel taking it
// bilinearly: the new pixel lies a quarter of an old one from that one's
// centre, towards the neighbours it takes 3/16 (across, down) and 1/16
// (diagonal) from.
void addDoubled(const Area& small, Area& doubled) {
  for (int y = 0; y < doubled.height; ++y)
    for (int x = 0; x < doubled.width; ++x) {
      const int ox = x / 2, oy = y / 2, nx = ox + (x & 1 ? 1 : -1), ny = oy + (y & 1 ? 1 : -1);
      doubled.pixels[std::size_t(y) * std::size_t(doubled.width) + std::size_t(x)] +=
          0.5625f * small.at(ox, oy) + 0.1875f * (small.at(nx, oy) + small.at(ox, ny)) +
          0.0625f * small.at(nx, ny);
    }
}

// `doubled` drawn towards the pictures that, halved, give back `own`: what
// its half misses of `own` is added to it, doubled, a few times over. Where
// the plane is its true picture halved, that picture is among them. Adding
// in place keeps the memory a render needs as it was.
Area backProjected(Area doubled, const Area& own) {
  for (int round = 0; round < kBackProjections; ++round) {
    Area missed = halved(doubled);
    for (std::size_t i = 0; i < missed.pixels.size(); ++i)
      missed.pixels[i] = own.pixels[i] - missed.pixels[i];
    addDoubled(missed, doubled);
  }
  return doubled;
}

}  // namespace

std::vector<float> doubleSize(std::vector<float> plane, int width, int height) {
  const Area own{width, height, std::move(plane)};
  if (width < kSmallestSide || height < kSmallestSide) return lanczosDoubled(own).pixels;
  const Area half = halved(own);
  const std::optional<Filter> fromQuarter = fit(halved(half), half);
  const double share = fromQuarter ? bestShare(half, *fromQuarter, own) : 0;
  const std::optional<Filter> fromHalf = share > 0 ? fit(half, own) : std::nullopt;
  return backProjected(
             fromHalf ? enlarged(own, *fromHalf, lanczosDoubled(own), share) : lanczosDoubled(own),
             own)
      .pixels;
}

}  // namespace fif
