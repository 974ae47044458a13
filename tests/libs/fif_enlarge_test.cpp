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
#include "fif/qimage_conversion.h"

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

}  // namespace
