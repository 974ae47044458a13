// A photograph decoded at twice its size shows no block edges: the steps
// between neighbouring pixels on the lines where blocks meet are not much
// larger than those inside the blocks. The enlargement is saved beside the
// test for looking at.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <cmath>

#include "codec_test_support.h"
#include "fif/decoder.h"
#include "fif/format.h"
#include "fif/interpolate.h"
#include "fif/qimage_conversion.h"
#include "fif/zoom.h"

namespace {

const char* const kPhotograph = "/usr/share/backgrounds/mate/nature/Aqua.jpg";
constexpr int kSide = 256;
// Blocks of four pixels and more meet on multiples of four, at twice the
// size on multiples of eight.
constexpr int kEdgePeriod = 8;

// Mean luminance step across the lines where blocks may meet, over the mean
// step everywhere else.
double blockEdgeRatio(const fif::RgbImage& image) {
  auto luma = [&](int x, int y) {
    const std::uint8_t* p =
        image.rgb.data() + (std::size_t(y) * std::size_t(image.width) + std::size_t(x)) * 3;
    return fif::toYcc(p[0], p[1], p[2]).y;
  };
  double edge = 0, inside = 0;
  long edges = 0, insides = 0;
  auto add = [&](int position, float step) {
    if (position % kEdgePeriod == 0) {
      edge += std::fabs(step);
      ++edges;
    } else {
      inside += std::fabs(step);
      ++insides;
    }
  };
  for (int y = 1; y < image.height; ++y)
    for (int x = 1; x < image.width; ++x) {
      add(x, luma(x, y) - luma(x - 1, y));
      add(y, luma(x, y) - luma(x, y - 1));
    }
  return (edge / double(edges)) / (inside / double(insides));
}

TEST(FifEnlargement, APhotographAtTwiceItsSizeShowsNoBlocks) {
  if (!QFile::exists(kPhotograph)) GTEST_SKIP() << kPhotograph << " is not installed";
  const QImage photo =
      QImage(kPhotograph).scaled(kSide, kSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const auto bytes = encodeAt(fif::fromQImage(photo), 30);
  const auto file = fif::readFile(bytes.data(), bytes.size());

  const auto smooth = fif::render(file, 2 * kSide, 2 * kSide);
  const auto replicated =
      fif::fromQImage(fif::toQImage(fif::render(file, kSide, kSide)).scaled(2 * kSide, 2 * kSide));
  ASSERT_TRUE(
      fif::toQImage(smooth).save(QStringLiteral(FIF_PICTURES "/fif_photograph_twice_size.png")));

  const double ratio = blockEdgeRatio(smooth);
  EXPECT_LT(ratio, 1.3);
  EXPECT_LT(ratio, 0.8 * blockEdgeRatio(replicated));
}

// Sharp-edged shapes, each pixel the mean of 4 x 4 samples: they look the
// same at every scale, as much of a photograph does.
std::vector<float> shapes(int side) {
  std::vector<float> plane;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      float sum = 0;
      for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) {
          const double u = (x + (i + 0.5) / 4) / side, v = (y + (j + 0.5) / 4) / side;
          const bool disc = std::hypot(u - 0.35, v - 0.4) < 0.22;
          const bool bar = std::fabs(0.8 * (u - 0.7) + 0.6 * (v - 0.6)) < 0.05;
          sum += disc ? 200.0f : bar ? 30.0f : float(90 + 40 * u);
        }
      plane.push_back(sum / 16);
    }
  return plane;
}

std::vector<float> halved(const std::vector<float>& plane, int side) {
  std::vector<float> half;
  for (int y = 0; y < side; y += 2)
    for (int x = 0; x < side; x += 2) {
      const auto at = [&](int dx, int dy) { return plane[std::size_t((y + dy) * side + x + dx)]; };
      half.push_back((at(0, 0) + at(1, 0) + at(0, 1) + at(1, 1)) / 4);
    }
  return half;
}

double squaredError(const std::vector<float>& a, const std::vector<float>& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += double(a[i] - b[i]) * (a[i] - b[i]);
  return sum;
}

std::vector<float> lanczosDoubled(const std::vector<float>& plane, int side) {
  return fif::lanczosResize(plane, side, side, 2 * side, 2 * side, 2, 2);
}

TEST(FifEnlargement, APictureLearnsItsTwiceSizeFromItselfHalved) {
  constexpr int kTruthSide = 256;
  const std::vector<float> truth = shapes(kTruthSide), half = halved(truth, kTruthSide);
  const std::vector<float> doubled = fif::doubleSize(half, kTruthSide / 2, kTruthSide / 2);
  ASSERT_EQ(doubled.size(), truth.size());
  const std::vector<float> lanczos = lanczosDoubled(half, kTruthSide / 2);
  EXPECT_LT(squaredError(doubled, truth), 0.9 * squaredError(lanczos, truth));
  // Halved again, it gives back the plane it was drawn from.
  EXPECT_LT(squaredError(halved(doubled, kTruthSide), half),
            0.1 * squaredError(halved(lanczos, kTruthSide), half));

  // Too small to learn from, or flat: Lanczos, which keeps a flat plane flat.
  const std::vector<float> small = halved(shapes(32), 32);
  EXPECT_EQ(fif::doubleSize(small, 16, 16), lanczosDoubled(small, 16));
  for (float v : fif::doubleSize(std::vector<float>(64 * 64, 77.0f), 64, 64))
    ASSERT_NEAR(v, 77.0f, 1e-3f);
}

}  // namespace
