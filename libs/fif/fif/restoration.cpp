#include "fif/restoration.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "fif/format.h"
#include "fif/least_squares.h"

namespace fif {

namespace {

// A tap in plain bits, offset so it is never negative.
constexpr int kTapBits = 9, kTapOffset = 1 << (kTapBits - 1);

int blocksAcross(int paddedW) { return (paddedW + kRestorationBlock - 1) / kRestorationBlock; }
int blocksDown(int paddedH) { return (paddedH + kRestorationBlock - 1) / kRestorationBlock; }

// No offset reaches further than this either way.
constexpr int kReach = 3;

// The plane's pixels, with the nearest edge pixel standing in beyond it.
class Edged {
 public:
  Edged(const float* plane, int width, int height)
      : plane_(plane), width_(width), height_(height) {}
  float at(int x, int y) const {
    return plane_[std::ptrdiff_t(std::clamp(y, 0, height_ - 1)) * width_ +
                  std::clamp(x, 0, width_ - 1)];
  }
  // What each pair of pixels at opposite offsets around (x, y) adds to it
  // at a weight of one: their sum less twice the pixel.
  void pairs(int x, int y, const std::vector<Offset>& offsets, float* out) const {
    const float twice = 2 * at(x, y);
    // Away from the edges the offsets need no clamping.
    if (x >= kReach && y >= kReach && x < width_ - kReach && y < height_ - kReach) {
      const float* p = plane_ + std::ptrdiff_t(y) * width_ + x;
      for (std::size_t k = 0; k < offsets.size(); ++k) {
        const std::ptrdiff_t o = std::ptrdiff_t(offsets[k].dy) * width_ + offsets[k].dx;
        out[k] = p[o] + p[-o] - twice;
      }
      return;
    }
    for (std::size_t k = 0; k < offsets.size(); ++k)
      out[k] = at(x + offsets[k].dx, y + offsets[k].dy) + at(x - offsets[k].dx, y - offsets[k].dy) -
               twice;
  }

 private:
  const float* plane_;
  int width_, height_;
};

// Pixels are filtered by classes of how busy the picture is around them:
// flat ground, gentle shading, texture and edges each want their own taps.
constexpr int kClassSide = 4;
constexpr float kClassBounds[] = {1.0f, 3.0f, 8.0f};

// Each pixel's class, kept by square of kClassSide pixels: from the mean
// size of the second differences over the square.
class Classes {
 public:
  Classes(const Edged& decoded, int paddedW, int paddedH)
      : across_((paddedW + kClassSide - 1) / kClassSide) {
    for (int y0 = 0; y0 < paddedH; y0 += kClassSide)
      for (int x0 = 0; x0 < paddedW; x0 += kClassSide) {
        float busy = 0;
        for (int y = y0; y < y0 + kClassSide; ++y)
          for (int x = x0; x < x0 + kClassSide; ++x)
            busy += std::fabs(4 * decoded.at(x, y) - decoded.at(x - 1, y) - decoded.at(x + 1, y) -
                              decoded.at(x, y - 1) - decoded.at(x, y + 1));
        busy /= kClassSide * kClassSide;
        kinds_.push_back(
            std::uint8_t(std::upper_bound(std::begin(kClassBounds), std::end(kClassBounds), busy) -
                         std::begin(kClassBounds)));
      }
  }
  std::size_t at(int x, int y) const {
    return kinds_[std::size_t(y / kClassSide) * std::size_t(across_) + std::size_t(x / kClassSide)];
  }

 private:
  int across_;
  std::vector<std::uint8_t> kinds_;
};

struct Fitting {
  const std::vector<float>& original;
  const Edged decoded;
  int paddedW, paddedH, width, height;
  const std::vector<Offset>& offsets;
  Classes classes;

  // Calls `visit(x, y, block, kind)` for every pixel of the picture.
  template <class Visit>
  void eachPixel(Visit visit) const {
    const int across = blocksAcross(paddedW);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        visit(x, y, std::size_t((y / kRestorationBlock) * across + x / kRestorationBlock),
              classes.at(x, y));
  }

  // Each class's weights, in kRestorationOne shares, that bring the chosen
  // squares nearest the original; zero for a class that cannot be fitted.
  std::vector<int> taps(const std::vector<bool>& chosen) const {
    const std::size_t n = offsets.size();
    std::vector<double> a(kRestorationClasses * n * n, 0), b(kRestorationClasses * n, 0);
    std::vector<float> d(n);
    eachPixel([&](int x, int y, std::size_t block, std::size_t kind) {
      if (!chosen[block]) return;
      decoded.pairs(x, y, offsets, d.data());
      const double missed =
          double(original[std::size_t(y) * std::size_t(paddedW) + std::size_t(x)]) -
          decoded.at(x, y);
      double* ak = a.data() + kind * n * n;
      double* bk = b.data() + kind * n;
      for (std::size_t k = 0; k < n; ++k) {
        bk[k] += double(d[k]) * missed;
        for (std::size_t l = k; l < n; ++l) ak[k * n + l] += double(d[k]) * d[l];
      }
    });
    std::vector<int> taps(kRestorationClasses * n, 0);
    for (std::size_t kind = 0; kind < kRestorationClasses; ++kind) {
      std::vector<double> ak(a.begin() + std::ptrdiff_t(kind * n * n),
                             a.begin() + std::ptrdiff_t((kind + 1) * n * n));
      for (std::size_t k = 0; k < n; ++k)
        for (std::size_t l = 0; l < k; ++l) ak[k * n + l] = ak[l * n + k];
      std::vector<double> weights;
      if (!solveSymmetric(
              ak,
              {b.begin() + std::ptrdiff_t(kind * n), b.begin() + std::ptrdiff_t((kind + 1) * n)},
              weights))
        continue;
      for (std::size_t k = 0; k < n; ++k)
        taps[kind * n + k] =
            std::clamp(int(std::lround(weights[k] * kRestorationOne)), -kTapOffset, kTapOffset - 1);
    }
    return taps;
  }

  // By square and by class: the squared error the taps take away (negative
  // where they add to it).
  std::vector<double> saved(const std::vector<int>& taps) const {
    const std::size_t n = offsets.size();
    std::vector<double> gains(
        std::size_t(blocksAcross(paddedW) * blocksDown(paddedH)) * kRestorationClasses, 0);
    std::vector<float> d(n);
    eachPixel([&](int x, int y, std::size_t block, std::size_t kind) {
      decoded.pairs(x, y, offsets, d.data());
      float change = 0;
      for (std::size_t k = 0; k < n; ++k) change += float(taps[kind * n + k]) * d[k];
      const float before =
          original[std::size_t(y) * std::size_t(paddedW) + std::size_t(x)] - decoded.at(x, y);
      const float after = before - change / kRestorationOne;
      gains[block * kRestorationClasses + kind] += double(before) * before - double(after) * after;
    });
    return gains;
  }
};

// Filtered squares come in runs: each is coded in the context of how many
// of the squares left of and above it are filtered.
int flagContext(const std::vector<bool>& blocks, std::size_t at, std::size_t across) {
  return (at % across > 0 && blocks[at - 1] ? 1 : 0) +
         (at >= across && blocks[at - across] ? 1 : 0);
}

template <class Coder>
void writeFilter(Coder& coder, const RestorationFilter& filter, int paddedW) {
  coder.encodeDirect(filter.on ? 1 : 0, 1);
  if (!filter.on) return;
  const std::size_t n = filter.taps.size() / kRestorationClasses;
  for (std::size_t kind = 0; kind < kRestorationClasses; ++kind) {
    const auto first = filter.taps.begin() + std::ptrdiff_t(kind * n);
    const bool used = std::any_of(first, first + std::ptrdiff_t(n), [](int t) { return t != 0; });
    coder.encodeDirect(used ? 1 : 0, 1);
    if (used)
      std::for_each(first, first + std::ptrdiff_t(n), [&](int tap) {
        coder.encodeDirect(std::uint32_t(tap + kTapOffset), kTapBits);
      });
  }
  BitModel models[3];
  const auto across = std::size_t(blocksAcross(paddedW));
  for (std::size_t at = 0; at < filter.blocks.size(); ++at)
    coder.encode(models[flagContext(filter.blocks, at, across)], filter.blocks[at]);
}

void readFlags(RangeDecoder& coder, std::vector<bool>& blocks, int paddedW) {
  BitModel models[3];
  const auto across = std::size_t(blocksAcross(paddedW));
  for (std::size_t at = 0; at < blocks.size(); ++at)
    blocks[at] = coder.decode(models[flagContext(blocks, at, across)]) != 0;
}

}  // namespace

const std::vector<Offset>& restorationOffsets(bool chroma) {
  static const std::vector<Offset> luma = {{1, 0}, {2, 0},  {3, 0}, {0, 1},  {0, 2}, {0, 3},
                                           {1, 1}, {-1, 1}, {2, 1}, {-2, 1}, {1, 2}, {-1, 2}};
  static const std::vector<Offset> halfSize = {{1, 0}, {2, 0}, {0, 1}, {0, 2}, {1, 1}, {-1, 1}};
  return chroma ? halfSize : luma;
}

RestorationFilter fitRestoration(const std::vector<float>& original,
                                 const std::vector<float>& decoded, int paddedW, int paddedH,
                                 int width, int height, bool chroma, float pricePerBit) {
  RestorationFilter filter;
  if (width == 0 || height == 0) return filter;
  const Edged edged(decoded.data(), paddedW, paddedH);
  const std::vector<Offset>& offsets = restorationOffsets(chroma);
  const Fitting fitting{original, edged,  paddedW, paddedH,
                        width,    height, offsets, Classes(edged, paddedW, paddedH)};
  const double classPrice = double(pricePerBit) * double(offsets.size() * kTapBits);
  // Fitted over every square, then again over those it improved; a class
  // whose taps save less than their bits keeps none.
  std::vector<bool> chosen(std::size_t(blocksAcross(paddedW) * blocksDown(paddedH)), true);
  std::vector<int> taps;
  double saved = 0;
  for (int round = 0; round < 2; ++round) {
    taps = fitting.taps(chosen);
    const std::vector<double> gains = fitting.saved(taps);
    std::array<double, kRestorationClasses> byClass{};
    for (std::size_t at = 0; at < chosen.size(); ++at)
      for (std::size_t kind = 0; kind < kRestorationClasses; ++kind)
        if (chosen[at]) byClass[kind] += gains[at * kRestorationClasses + kind];
    for (std::size_t kind = 0; kind < kRestorationClasses; ++kind)
      if (byClass[kind] <= classPrice)
        std::fill_n(taps.begin() + std::ptrdiff_t(kind * offsets.size()), offsets.size(), 0);
    saved = 0;
    for (std::size_t at = 0; at < chosen.size(); ++at) {
      double gain = 0;
      for (std::size_t kind = 0; kind < kRestorationClasses; ++kind)
        if (byClass[kind] > classPrice) gain += gains[at * kRestorationClasses + kind];
      chosen[at] = gain > 0;
      if (chosen[at]) saved += gain;
    }
    if (saved <= 0) return filter;
  }
  const RestorationFilter kept{true, taps, chosen};
  BitCounter bits;
  writeFilter(bits, kept, paddedW);
  // Off costs a bit too.
  return saved > double(pricePerBit) * (bits.bits() - 1) ? kept : filter;
}

void applyRestoration(const RestorationFilter& filter, int paddedW, int paddedH, bool chroma,
                      float* plane) {
  if (!filter.on) return;
  const std::vector<float> source(plane, plane + std::ptrdiff_t(paddedW) * paddedH);
  const Edged decoded(source.data(), paddedW, paddedH);
  const Classes classes(decoded, paddedW, paddedH);
  const std::vector<Offset>& offsets = restorationOffsets(chroma);
  const std::size_t n = offsets.size();
  std::vector<float> d(n);
  const int across = blocksAcross(paddedW);
  for (int y = 0; y < paddedH; ++y)
    for (int x = 0; x < paddedW; ++x) {
      if (!filter.blocks[std::size_t((y / kRestorationBlock) * across + x / kRestorationBlock)])
        continue;
      decoded.pairs(x, y, offsets, d.data());
      const int* taps = filter.taps.data() + classes.at(x, y) * n;
      float change = 0;
      for (std::size_t k = 0; k < n; ++k) change += float(taps[k]) * d[k];
      plane[std::ptrdiff_t(y) * paddedW + x] += change / kRestorationOne;
    }
}

void writeRestoration(RangeEncoder& coder, const RestorationFilter& filter, int paddedW) {
  writeFilter(coder, filter, paddedW);
}

RestorationFilter readRestoration(RangeDecoder& coder, int paddedW, int paddedH, bool chroma) {
  RestorationFilter filter;
  filter.on = coder.decodeDirect(1) != 0;
  if (!filter.on) return filter;
  const std::size_t n = restorationOffsets(chroma).size();
  filter.taps.assign(kRestorationClasses * n, 0);
  for (std::size_t kind = 0; kind < kRestorationClasses; ++kind)
    if (coder.decodeDirect(1))
      for (std::size_t k = 0; k < n; ++k)
        filter.taps[kind * n + k] = int(coder.decodeDirect(kTapBits)) - kTapOffset;
  filter.blocks.assign(std::size_t(blocksAcross(paddedW) * blocksDown(paddedH)), false);
  readFlags(coder, filter.blocks, paddedW);
  if (coder.overrun()) throw FormatError(FormatFault::Corrupt, "the filter is cut short");
  return filter;
}

}  // namespace fif
