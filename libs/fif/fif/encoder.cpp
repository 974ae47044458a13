#include "fif/encoder.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>

#include "fif/decoder.h"
#include "fif/domain_pool.h"
#include "fif/format.h"
#include "fif/isometry.h"

namespace fif {

namespace {

// Mean squared error a block may keep before it is split, which also prices
// a domain's bits. The blocks only sketch the picture: on photographs the
// residual keeps detail for fewer bits than smaller blocks or domains that
// save less than this would cost, so blocks mostly stay whole and flat.
constexpr float kSplitThreshold = 5000.0f;
constexpr float kChromaTolerance = 2.0f;
// What a block's parameters roughly cost once the coder has learnt the
// picture, in bits; a domain adds its index. Choices weigh error against
// bits at a price tied to the split threshold.
constexpr float kFlatBits = 5, kTransformBits = 11, kSplitBits = 1;
float pricePerBit(float threshold) { return 4 * threshold; }

// The plane's samples padded to whole top-level blocks by repeating its
// last row and column.
struct PaddedPlane {
  int width = 0, height = 0;
  std::vector<float> pixels;
};

PaddedPlane extractPlane(const RgbImage& image, const Header& header, int index) {
  int width, height;
  planeSize(header, index, width, height);
  PaddedPlane plane{
      paddedSide(width, header.maxRangeLog2), paddedSide(height, header.maxRangeLog2), {}};
  plane.pixels.resize(std::size_t(plane.width) * std::size_t(plane.height));
  const int shrink = index == 0 ? 1 : 2;
  for (int y = 0; y < plane.height; ++y)
    for (int x = 0; x < plane.width; ++x) {
      float sum = 0;
      int count = 0;
      for (int dy = 0; dy < shrink; ++dy)
        for (int dx = 0; dx < shrink; ++dx) {
          const int sx = std::min(std::min(x, width - 1) * shrink + dx, image.width - 1);
          const int sy = std::min(std::min(y, height - 1) * shrink + dy, image.height - 1);
          const std::uint8_t* p =
              image.rgb.data() + (std::size_t(sy) * std::size_t(image.width) + std::size_t(sx)) * 3;
          const Ycc c = toYcc(p[0], p[1], p[2]);
          sum += index == 0 ? c.y : index == 1 ? c.cb : c.cr;
          ++count;
        }
      plane.pixels[std::size_t(y) * std::size_t(plane.width) + std::size_t(x)] = sum / float(count);
    }
  return plane;
}

class PlaneEncoder {
 public:
  PlaneEncoder(const Header& header, const PaddedPlane& plane, float threshold)
      : header_(header), plane_(plane), threshold_(threshold), price_(pricePerBit(threshold)) {}

  template <class Step>
  void encode(Plane& out, Step step) {
    const int top = 1 << header_.maxRangeLog2;
    if (out.width == 0) return;
    for (int y = 0; y < plane_.height; y += top)
      for (int x = 0; x < plane_.width; x += top) {
        block(x, y, top, out.transforms);
        step();
      }
  }

 private:
  struct Choice {
    Transform transform;
    float error = 0;
    float cost = 0;  // the error and the bits at their price
  };

  // Codes the block whole, or split when it is too far from the picture and
  // its quarters cost less; returns the cost of what was chosen.
  float block(int x, int y, int size, std::vector<Transform>& out) {
    const Choice choice = best(x, y, size);
    const bool canSplit = size > (1 << header_.minRangeLog2);
    if (canSplit && choice.error > threshold_ * float(size * size)) {
      std::vector<Transform> quarters;
      const int half = size / 2;
      float cost = price_ * kSplitBits;
      for (int q = 0; q < 4; ++q)
        cost += block(x + (q & 1) * half, y + (q >> 1) * half, half, quarters);
      if (cost < choice.cost) {
        out.insert(out.end(), quarters.begin(), quarters.end());
        return cost;
      }
    }
    out.push_back(choice.transform);
    return choice.cost;
  }

  Choice best(int x, int y, int size) {
    std::vector<float> pixels(std::size_t(size * size));
    for (int j = 0; j < size; ++j)
      std::copy_n(
          plane_.pixels.data() + std::size_t(y + j) * std::size_t(plane_.width) + std::size_t(x),
          size, pixels.data() + std::size_t(j * size));
    const Normalised range = normalise(pixels.data(), size);

    Choice choice;
    Transform& t = choice.transform;
    t.x = std::uint16_t(x);
    t.y = std::uint16_t(y);
    t.size = std::uint8_t(size);
    t.flat = true;
    t.mean = std::uint8_t(std::clamp(int(std::lround((range.mean - 1) / 2)), 0, 127));
    const float meanError = float(size * size) * std::pow(range.mean - meanValue(t.mean), 2.0f);
    choice.error = range.energy;
    choice.cost = range.energy + price_ * kFlatBits;
    // A block this smooth is as good flat as it can be made.
    if (range.energy > threshold_ * float(size * size) / 4) {
      search(range, size, 1, choice);
      // A negative contrast matches the domains that fit the block turned
      // upside down in brightness.
      for (float& v : pixels) v = -v;
      search(normalise(pixels.data(), size), size, -1, choice);
    }
    choice.error += meanError;
    choice.cost += meanError;
    return choice;
  }

  void search(const Normalised& range, int size, int sign, Choice& choice) {
    const DomainPool& pool = poolFor(size);
    const std::size_t count = std::size_t(size * size);
    const float bitsCost =
        price_ * (kTransformBits + float(domainIndexBits(plane_.width, plane_.height, size)));
    for (const PooledDomain& domain : pool.ofClass(range.kind)) {
      if (domain.block.energy <= 0) continue;
      float dot = 0;
      for (std::size_t i = 0; i < count; ++i) dot += range.pixels[i] * domain.block.pixels[i];
      // Even the exact contrast would not do better: skip the rounding.
      if (dot <= 0 || range.energy - dot * dot / domain.block.energy + bitsCost >= choice.cost)
        continue;
      const int magnitude =
          std::clamp(int(std::lround(dot / domain.block.energy * 16)), 1, kMaxContrast);
      const float s = contrastValue(magnitude);
      const float error = range.energy - 2 * s * dot + s * s * domain.block.energy;
      if (error + bitsCost >= choice.cost) continue;
      choice.error = error;
      choice.cost = error + bitsCost;
      Transform& t = choice.transform;
      t.flat = false;
      t.contrast = std::int8_t(sign * magnitude);
      t.domainX = std::uint16_t(domain.x);
      t.domainY = std::uint16_t(domain.y);
      t.isometry =
          std::uint8_t(composeIsometries(domain.block.isometry, inverseIsometry(range.isometry)));
    }
  }

  const DomainPool& poolFor(int size) {
    auto& pool = pools_[size];
    if (!pool)
      pool = std::make_unique<DomainPool>(plane_.pixels, plane_.width, plane_.height, size);
    return *pool;
  }

  const Header& header_;
  const PaddedPlane& plane_;
  const float threshold_;
  const float price_;
  std::map<int, std::unique_ptr<DomainPool>> pools_;
};

// The residual's quantiser step: from fine at quality 100 down to quality
// 10, each quality a constant ratio from the next, the ratio that would
// reach kScaleEndStep at quality 1 (below 10 the step takes a steeper way).
constexpr float kFinestStep = 1.0f, kScaleEndStep = 100.0f;
// Chroma is coded at twice the step: the eye forgives it more.
constexpr float kChromaStepShare = 2.0f;
// What a bit of the residual is worth in squared error, in steps squared.
constexpr float kRateWeight = 0.08f;
// Below this quality fine texture keeps a level in most squares whatever the
// step, so each quality down makes the step a larger share coarser, up to
// the coarsest the format holds at kCoarsestAt: at the same bytes a coarser
// step loses less than bits priced dearer at a finer one.
constexpr int kCoarserBelow = 10, kCoarsestAt = 5;
// What the step code's ten bits hold.
constexpr int kCoarsestStepCode = 1023;

int stepCodeFor(int quality, bool chroma) {
  quality = std::clamp(quality, 1, 100);
  const float lost = float(100 - std::max(quality, kCoarserBelow)) / 99.0f;
  float step = kFinestStep * std::pow(kScaleEndStep / kFinestStep, lost);
  if (quality < kCoarserBelow) {
    const float towardsCoarsest =
        std::min(1.0f, float(kCoarserBelow - quality) / float(kCoarserBelow - kCoarsestAt));
    step *= std::pow(float(kCoarsestStepCode) / 8 / step, towardsCoarsest);
  }
  return std::clamp(int(std::lround(step * 8 * (chroma ? kChromaStepShare : 1.0f))), 1,
                    kCoarsestStepCode);
}

// Below the coarsest step each quality further down doubles a bit's worth,
// and the lowest keeps little more than the squares' means, which any
// picture fits in a tenth of a bit a pixel. Chroma's bits are priced as at
// twice the luminance's step also where its own can be no coarser, so the
// planes share the bits as they do at every other quality.
float rateWeightFor(int quality, bool chroma) {
  const float weight = kRateWeight * std::exp2(float(std::max(0, kCoarsestAt - quality)));
  const int held = stepCodeFor(quality, true);
  if (!chroma || held < kCoarsestStepCode) return weight;
  const float share = float(held) / (kChromaStepShare * float(stepCodeFor(quality, false)));
  return weight / (share * share);
}

Header headerFor(const RgbImage& image, const EncodeOptions& options) {
  if (image.width < 0 || image.height < 0 || image.width > kMaxSide || image.height > kMaxSide ||
      (image.width == 0) != (image.height == 0))
    throw std::invalid_argument("the picture's size cannot be stored");
  if (image.rgb.size() != std::size_t(image.width) * std::size_t(image.height) * 3)
    throw std::invalid_argument("the picture's pixels do not match its size");
  if (options.colourTable.size() > std::size_t(kMaxColours))
    throw std::invalid_argument("a colour table holds at most 256 colours");
  Header header;
  header.width = image.width;
  header.height = image.height;
  header.colourTable = options.colourTable;
  bool grey = true;
  for (std::size_t i = 0; grey && i < image.rgb.size(); i += 3)
    grey = image.rgb[i] == image.rgb[i + 1] && image.rgb[i] == image.rgb[i + 2];
  header.colour = grey ? ColourModel::Grey : ColourModel::YCbCr420;
  return header;
}

// The picture coded with self-similar blocks under the residual, or with
// plain ones; `step` runs once a top-level block is done, or with plain
// blocks once a plane is.
template <class Step>
FifFile codeWith(const Header& header, const std::vector<PaddedPlane>& sources, int quality,
                 bool selfSimilar, Step step) {
  FifFile file;
  file.header = header;
  // The luminance as decoded, at the chroma's size, which may shape its squares.
  std::vector<float> shapes;
  for (int p = 0; p < planeCount(header.colour); ++p) {
    Plane& plane = file.planes.emplace_back();
    planeSize(header, p, plane.width, plane.height);
    const PaddedPlane& source = sources[std::size_t(p)];
    const float threshold = kSplitThreshold * (p == 0 ? 1.0f : kChromaTolerance);
    if (selfSimilar)
      PlaneEncoder(header, source, threshold).encode(plane, step);
    else
      plane.transforms = plainBlocks(header, plane.width, plane.height);
    std::vector<float> decoded = predictPlane(header, plane);
    LumaPlane luma = lumaOf(file, std::size_t(p));
    if (luma.residual) luma.shapes = shapes.data();
    plane.residual = quantiseResidual(source.pixels, decoded, source.width, source.height,
                                      stepCodeFor(quality, p > 0), rateWeightFor(quality, p > 0),
                                      header.version, luma);
    // The filter is fitted to the plane as the decoder draws it.
    addResidual(plane.residual, source.width, source.height, decoded.data(), luma.shapes);
    if (p == 0 && sources.size() > 1)
      shapes = lumaShapes(decoded.data(), source.width, source.height, sources[1].width,
                          sources[1].height);
    const float stepSize = plane.residual.step();
    plane.restoration =
        fitRestoration(source.pixels, decoded, source.width, source.height, plane.width,
                       plane.height, p > 0, rateWeightFor(quality, p > 0) * stepSize * stepSize);
    if (!selfSimilar) step();
  }
  return file;
}

// What a file costs: its squared error over the three colours, in
// luminance's measure, and its bits at the residual's price.
double costOf(const RgbImage& image, const FifFile& file, std::size_t bytes, int quality,
              const Progress& progress) {
  const RgbImage decoded = render(file, image.width, image.height, progress);
  double squares = 0;
  for (std::size_t i = 0; i < image.rgb.size(); ++i) {
    const double d = double(image.rgb[i]) - double(decoded.rgb[i]);
    squares += d * d;
  }
  const double step = double(stepCodeFor(quality, false)) / 8;
  return squares / 3 + double(rateWeightFor(quality, false)) * step * step * 8 * double(bytes);
}

}  // namespace

std::vector<std::uint8_t> encode(const RgbImage& image, const EncodeOptions& options) {
  const Header header = headerFor(image, options);
  const int planes = planeCount(header.colour);
  const int top = 1 << header.maxRangeLog2;
  const int blocksPerPlane = (paddedSide(image.width, header.maxRangeLog2) / top) *
                             (paddedSide(image.height, header.maxRangeLog2) / top);
  // Chroma planes hold a quarter of the blocks each.
  const int total = std::max(1, blocksPerPlane + (planes - 1) * ((blocksPerPlane + 3) / 4));
  // Shares of the progress: the self-similar blocks half, the plain ones a
  // fifth, and weighing the two files the rest.
  const auto report = [&](double from, double share) {
    return [&options, from, share](double done) {
      if (options.progress) options.progress(std::min(100, int(100 * (from + share * done))));
    };
  };
  std::vector<PaddedPlane> sources;
  for (int p = 0; p < planes; ++p) sources.push_back(extractPlane(image, header, p));
  int blocks = 0, plainPlanes = 0;
  const FifFile selfSimilar = codeWith(header, sources, options.quality, true,
                                       [&, to = report(0, 0.5)] { to(double(++blocks) / total); });
  // Self-similar blocks stay only where they earn their bits: on many
  // photographs the residual alone draws the picture better for less.
  const FifFile plain =
      codeWith(header, sources, options.quality, false,
               [&, to = report(0.5, 0.2)] { to(double(++plainPlanes) / planes); });
  std::vector<std::uint8_t> withBlocks = writeFile(selfSimilar), without = writeFile(plain);
  const auto weighing = [&](double from) {
    return [to = report(from, 0.15)](int percent) { to(percent / 100.0); };
  };
  const double withBlocksCost =
      costOf(image, selfSimilar, withBlocks.size(), options.quality, weighing(0.7));
  const double withoutCost = costOf(image, plain, without.size(), options.quality, weighing(0.85));
  if (options.progress) options.progress(100);
  return withBlocksCost <= withoutCost ? withBlocks : without;
}

}  // namespace fif
