#include "fif/interpolate.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>

namespace fif {

namespace {

constexpr double kLobes = 3;

double lanczos(double x) {
  if (x == 0) return 1;
  if (std::fabs(x) >= kLobes) return 0;
  const double px = std::numbers::pi * x;
  return kLobes * std::sin(px) * std::sin(px / kLobes) / (px * px);
}

// The taps of every output position along one axis.
struct Taps {
  int count = 0;
  std::vector<int> first;
  std::vector<float> weights;  // count per output position, normalised
};

Taps tapsFor(int to, double scale) {
  const double stretch = std::max(1.0, 1.0 / scale);
  Taps taps;
  taps.count = int(std::ceil(2 * kLobes * stretch)) + 1;
  for (int x = 0; x < to; ++x) {
    const double centre = (x + 0.5) / scale - 0.5;
    const int first = int(std::floor(centre - kLobes * stretch)) + 1;
    double total = 0;
    const std::size_t at = taps.weights.size();
    for (int i = 0; i < taps.count; ++i) {
      const double w = lanczos((centre - (first + i)) / stretch);
      taps.weights.push_back(float(w));
      total += w;
    }
    for (int i = 0; i < taps.count; ++i)
      taps.weights[at + std::size_t(i)] = float(taps.weights[at + std::size_t(i)] / total);
    taps.first.push_back(first);
  }
  return taps;
}

// Where a pass finds its samples: `lines` lines of `length` samples.
struct Layout {
  int lines, length;
  std::ptrdiff_t sampleStep, lineStep;
};

void resizeAxis(const float* from, Layout in, const Taps& taps, float* to, Layout out) {
  for (int line = 0; line < in.lines; ++line) {
    const float* source = from + line * in.lineStep;
    float* target = to + line * out.lineStep;
    for (int x = 0; x < out.length; ++x) {
      const float* w = taps.weights.data() + std::size_t(x) * std::size_t(taps.count);
      const int first = taps.first[std::size_t(x)];
      float sum = 0;
      for (int i = 0; i < taps.count; ++i)
        sum += w[i] * source[std::clamp(first + i, 0, in.length - 1) * in.sampleStep];
      target[x * out.sampleStep] = sum;
    }
  }
}

}  // namespace

std::vector<float> lanczosResize(const std::vector<float>& plane, int width, int height,
                                 int toWidth, int toHeight, double scaleX, double scaleY) {
  const Taps across = tapsFor(toWidth, scaleX), down = tapsFor(toHeight, scaleY);
  std::vector<float> out(std::size_t(toWidth) * std::size_t(toHeight));
  // The axis that shrinks the picture more goes first: the picture between
  // the passes is then never larger than the larger of the two ends.
  if (std::int64_t(toWidth) * height <= std::int64_t(width) * toHeight) {
    std::vector<float> between(std::size_t(toWidth) * std::size_t(height));
    resizeAxis(plane.data(), {height, width, 1, width}, across, between.data(),
               {height, toWidth, 1, toWidth});
    resizeAxis(between.data(), {toWidth, height, toWidth, 1}, down, out.data(),
               {toWidth, toHeight, toWidth, 1});
  } else {
    std::vector<float> between(std::size_t(width) * std::size_t(toHeight));
    resizeAxis(plane.data(), {width, height, width, 1}, down, between.data(),
               {width, toHeight, width, 1});
    resizeAxis(between.data(), {toHeight, width, 1, width}, across, out.data(),
               {toHeight, toWidth, 1, toWidth});
  }
  return out;
}

}  // namespace fif
