#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>

#include "codec_test_support.h"
#include "fif/decoder.h"
#include "fif/direction.h"
#include "fif/format.h"
#include "fif/isometry.h"
#include "fif/range_coder.h"

namespace {

// A grey slope with a gentle wave across it.
fif::RgbImage ramp() {
  fif::RgbImage picture{128, 96, {}};
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 128; ++x)
      picture.rgb.insert(picture.rgb.end(), 3,
                         std::uint8_t(40 + x + y / 2 + 20 * std::sin(x * 0.05)));
  return picture;
}

fif::RgbImage roundTrip(const std::vector<std::uint8_t>& bytes, int width, int height) {
  return fif::render(fif::readFile(bytes.data(), bytes.size()), width, height);
}

// Both ways of learning: as files before version 6, and quickly.
TEST(RangeCoder, DecodesWhatWasEncoded) {
  for (const bool quickly : {false, true}) {
    std::mt19937 random(7);
    std::vector<int> bits, symbols, direct;
    fif::RangeEncoder encoder(quickly);
    fif::BitModel model;
    fif::SymbolModel<5> symbolModel;
    for (int i = 0; i < 5000; ++i) {
      bits.push_back(random() % 10 == 0);  // skewed, so the model adapts
      symbols.push_back(int(random() % 32));
      direct.push_back(int(random() % 4096));
      encoder.encode(model, bits.back());
      symbolModel.encode(encoder, unsigned(symbols.back()));
      encoder.encodeDirect(std::uint32_t(direct.back()), 12);
    }
    const auto stream = encoder.finish();
    fif::RangeDecoder decoder(stream.data(), stream.size(), quickly);
    fif::BitModel model2;
    fif::SymbolModel<5> symbolModel2;
    for (int i = 0; i < 5000; ++i) {
      ASSERT_EQ(decoder.decode(model2), bits[std::size_t(i)]) << i;
      ASSERT_EQ(int(symbolModel2.decode(decoder)), symbols[std::size_t(i)]) << i;
      ASSERT_EQ(int(decoder.decodeDirect(12)), direct[std::size_t(i)]) << i;
    }
    EXPECT_FALSE(decoder.overrun());
  }
}

TEST(Isometries, CompositionAndInverseAgreeWithApplyingThem) {
  int block[16], once[16], twice[16], direct[16];
  for (int i = 0; i < 16; ++i) block[i] = i;
  for (int a = 0; a < fif::kIsometries; ++a)
    for (int b = 0; b < fif::kIsometries; ++b) {
      fif::applyIsometry(a, 4, block, once);
      fif::applyIsometry(b, 4, once, twice);
      fif::applyIsometry(fif::composeIsometries(a, b), 4, block, direct);
      EXPECT_TRUE(std::equal(twice, twice + 16, direct)) << a << " then " << b;
    }
  for (int a = 0; a < fif::kIsometries; ++a)
    EXPECT_EQ(fif::composeIsometries(a, fif::inverseIsometry(a)), 0) << a;
}

TEST(FifCodec, ColourAndGreyPicturesComeBackCloseToTheOriginal) {
  for (bool grey : {false, true}) {
    const auto scene = testScene(128, 96, grey);
    const auto bytes = encodeAt(scene, 80);
    const auto file = fif::readFile(bytes.data(), bytes.size());
    EXPECT_EQ(file.header.colour, grey ? fif::ColourModel::Grey : fif::ColourModel::YCbCr420);
    EXPECT_EQ(file.header.width, 128);
    EXPECT_EQ(file.header.height, 96);
    const auto decoded = fif::render(file, 128, 96);
    EXPECT_GT(lumaPsnr(scene, decoded), 27.0) << (grey ? "grey" : "colour");
    // The red disc stays red.
    const std::uint8_t* centre = decoded.rgb.data() + (32 * 128 + 64) * 3;
    if (!grey) {
      EXPECT_GT(centre[0], centre[1] + 100);
    }
  }
}

// The reader stops at the first transform past its limit, whatever plane it
// falls in, instead of holding all a crafted file claims.
TEST(FifCodec, ReadingStopsAtTheTransformLimit) {
  const auto plain = encodeAt(testScene(64, 48), 80);
  auto file = fif::readFile(plain.data(), plain.size());
  // Blocks that are not all plain are stored, and read, one by one.
  for (fif::Plane& plane : file.planes) plane.transforms.front().mean = 63;
  const auto bytes = fif::writeFile(file);
  std::size_t count = 0;
  for (const fif::Plane& plane : file.planes) count += plane.transforms.size();
  EXPECT_NO_THROW(fif::readFile(bytes.data(), bytes.size(), count));
  EXPECT_THROW(fif::readFile(bytes.data(), bytes.size(), count - 1), std::length_error);
}

// Negative contrasts and contrasts above one come back from the file as
// they were written, residual and all.
TEST(FifCodec, SignedAndStrongContrastsSurviveTheFile) {
  const auto bytes = encodeAt(testScene(64, 64, true), 95);
  auto file = fif::readFile(bytes.data(), bytes.size());
  ASSERT_FALSE(file.planes[0].residual.coefficients.empty());
  for (int i = 0; i < 2; ++i) {
    fif::Transform& t = file.planes[0].transforms[std::size_t(i)];
    t.flat = false;
    t.contrast = std::int8_t(i == 0 ? -fif::kMaxContrast : fif::kMaxContrast);
    t.isometry = 5;
    t.domainX = t.domainY = 0;
  }
  const auto written = fif::writeFile(file);
  const auto back = fif::readFile(written.data(), written.size());
  EXPECT_EQ(back.planes[0].transforms[0].contrast, -fif::kMaxContrast);
  EXPECT_EQ(back.planes[0].transforms[1].contrast, fif::kMaxContrast);
  EXPECT_EQ(back.planes[0].transforms[1].isometry, 5);
  EXPECT_EQ(fif::writeFile(back), written);
}

// A file of the version before the residual has none to read: it still
// reads whole and renders at any size.
TEST(FifCodec, FilesOfTheVersionBeforeTheResidualStillRead) {
  const auto scene = testScene(64, 48);
  const auto bytes = encodeAt(scene, 95);
  auto file = fif::readFile(bytes.data(), bytes.size());
  file.header.version = 2;
  const auto old = fif::writeFile(file);
  ASSERT_EQ(old[8], 2);
  const auto back = fif::readFile(old.data(), old.size());
  for (std::size_t p = 0; p < back.planes.size(); ++p) {
    EXPECT_EQ(back.planes[p].transforms.size(), file.planes[p].transforms.size());
    EXPECT_EQ(back.planes[p].residual.stepCode, 0);
  }
  EXPECT_GT(lumaPsnr(scene, fif::render(back, 64, 48)), 15.0);
  EXPECT_LT(lumaPsnr(scene, fif::render(back, 64, 48)), lumaPsnr(scene, fif::render(file, 64, 48)));
}

// A file written by the version before the squares took slopes renders as
// it did then; it is not written again, as the writer's layout is a later one.
TEST(FifCodec, FilesOfVersionThreeRenderAsTheyDid) {
  std::ifstream in(FIF_TEST_DATA "/scene-3.0.fif", std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  const auto file = fif::readFile(bytes.data(), bytes.size());
  EXPECT_EQ(file.header.version, 3);
  EXPECT_NEAR(lumaPsnr(testScene(64, 48), fif::render(file, 64, 48)), 55.75, 0.01);
  EXPECT_THROW(fif::writeFile(file), std::logic_error);
}

// Files of versions 4 to 10, each written before the next changed how
// squares are coded or filtered, still decode to exactly the pixels they did
// then.
TEST(FifCodec, FilesOfVersionsFourToTenDecodeToTheSamePixels) {
  struct Kept {
    const char* name;
    int version, width, height;
    std::uint32_t crc;
    double psnr;
  };
  for (const Kept& kept : {Kept{"/scene-4.0.fif", 4, 64, 48, 0x3779EEC5u, 48.18},
                           Kept{"/scene-5.0.fif", 5, 64, 48, 0x1F33228Fu, 48.03},
                           Kept{"/scene-6.0.fif", 6, 64, 48, 0x2DDB30D0u, 47.91},
                           Kept{"/scene-7.0.fif", 7, 128, 96, 0x98F5F498u, 44.22},
                           Kept{"/scene-8.0.fif", 8, 128, 96, 0xBBD9751Bu, 44.07},
                           Kept{"/scene-9.0.fif", 9, 128, 128, 0xC42C6098u, 51.06},
                           Kept{"/scene-10.0.fif", 10, 128, 128, 0xD7376A49u, 51.04}}) {
    std::ifstream in(std::string(FIF_TEST_DATA) + kept.name, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const auto file = fif::readFile(bytes.data(), bytes.size());
    EXPECT_EQ(file.header.version, kept.version);
    const auto pixels = fif::render(file, kept.width, kept.height);
    EXPECT_EQ(fif::crc32(pixels.rgb.data(), pixels.rgb.size()), kept.crc) << kept.name;
    EXPECT_NEAR(lumaPsnr(testScene(kept.width, kept.height), pixels), kept.psnr, 0.01) << kept.name;
  }
}

// The filter fitted to the decoded picture brings it nearer the original
// and reads back as written; turned off, the same file shows a worse picture.
TEST(FifCodec, TheFittedFilterBringsThePictureNearer) {
  const auto scene = testScene(128, 96);
  const auto bytes = encodeAt(scene, 65);
  auto file = fif::readFile(bytes.data(), bytes.size());
  ASSERT_TRUE(file.planes[0].restoration.on);
  EXPECT_EQ(fif::writeFile(file), bytes);
  const double filtered = lumaPsnr(scene, fif::render(file, 128, 96));
  for (fif::Plane& plane : file.planes) plane.restoration.on = false;
  EXPECT_GT(filtered, lumaPsnr(scene, fif::render(file, 128, 96)) + 0.05);
}

// A gentle slope is drawn through the squares from their neighbours' means
// rather than coded in each, and comes back smooth.
TEST(FifCodec, ASmoothSlopeIsDrawnThroughTheSquares) {
  const auto slope = ramp();
  const auto bytes = encodeAt(slope, 30);
  const auto file = fif::readFile(bytes.data(), bytes.size());
  const auto& sloped = file.planes[0].residual.sloped;
  EXPECT_GT(3 * std::count(sloped.begin(), sloped.end(), true), std::ptrdiff_t(sloped.size()));
  EXPECT_GT(lumaPsnr(slope, fif::render(file, 128, 96)), 42.0);
}

// Smooth regions share one spectrum over 2 x 2 squares, squares of a
// repeating texture are copied from what is already decoded, squares an
// edge runs through carry their neighbours' edge pixels on, and a thin line
// between the first fifteen angles is carried at a finer one; reading and
// writing agree on all four, and the versions before cannot hold them.
TEST(FifCodec, RegionsMergeSquaresCopyAndEdgesCarryOn) {
  fif::RgbImage stripes{128, 128, {}}, edges{128, 128, {}}, steep{128, 128, {}};
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      stripes.rgb.insert(stripes.rgb.end(), 3, std::uint8_t((x * 7 + y * 3) % 23 * 9));
      edges.rgb.insert(edges.rgb.end(), 3, std::uint8_t(std::abs(x - y) < 2 ? 220 : 40 + y / 4));
      // At 69 degrees, midway between two of the first fifteen.
      steep.rgb.insert(steep.rgb.end(), 3,
                       std::uint8_t(std::abs(x - 100 + 0.382 * y) < 1 ? 220 : 40 + y / 4));
    }
  enum Kind { Merged, Copied, Directed, Finer };
  const auto finer = [](const fif::CopyFrom& c) {
    return c.direction != 0 && fif::toCoarse(c.direction - 1) < 0;
  };
  for (const auto& [picture, kind, before] :
       {std::tuple{ramp(), Merged, 4}, std::tuple{stripes, Copied, 4},
        std::tuple{edges, Directed, 5}, std::tuple{steep, Finer, 10}}) {
    const auto bytes = encodeAt(picture, 30);
    auto file = fif::readFile(bytes.data(), bytes.size());
    const auto& residual = file.planes[0].residual;
    const auto drawnOn = [&](Kind drawn) {
      return std::count_if(
          residual.copies.begin(), residual.copies.end(), [&](const fif::CopyFrom& c) {
            return drawn == Copied ? c.on : drawn == Finer ? finer(c) : c.direction != 0;
          });
    };
    EXPECT_GT(kind == Merged ? std::count(residual.merged.begin(), residual.merged.end(), true)
                             : drawnOn(kind),
              0);
    EXPECT_EQ(fif::writeFile(file), bytes);
    file.header.version = before;
    EXPECT_THROW(fif::writeFile(file), std::logic_error);
  }
}

// Each plane foretells its squares' means by taps fitted to it: ripples
// running along one diagonal are foretold from the square above right.
// Whatever the taps, the same levels read back as written, and the corner
// rule alone costs more bits for them.
TEST(FifCodec, APlaneForetellsItsMeansByItsOwnTaps) {
  fif::RgbImage ripples{128, 128, {}};
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x)
      ripples.rgb.insert(ripples.rgb.end(), 3, std::uint8_t(128 + 90 * std::sin((x + y) / 3.0)));
  const auto bytes = encodeAt(ripples, 60);
  auto file = fif::readFile(bytes.data(), bytes.size());
  fif::Residual& luma = file.planes[0].residual;
  ASSERT_NE(luma.meanTaps, fif::kCornerRule);
  const auto pixels = fif::render(file, 128, 128);
  const fif::ForecastTaps fitted = luma.meanTaps;
  for (const fif::ForecastTaps& taps :
       {fif::kCornerRule, fif::ForecastTaps{127, 127, 127, 127, 127},
        fif::ForecastTaps{-128, -128, 0, 127, -128}}) {
    luma.meanTaps = taps;
    const auto rewritten = fif::writeFile(file);
    const auto back = fif::readFile(rewritten.data(), rewritten.size());
    EXPECT_EQ(back.planes[0].residual.meanTaps, taps);
    EXPECT_EQ(fif::render(back, 128, 128).rgb, pixels.rgb);
    EXPECT_GT(rewritten.size(), bytes.size());
  }
  luma.meanTaps = fitted;
  file.header.version = 6;
  EXPECT_THROW(fif::writeFile(file), std::logic_error);
}

// Smooth ground takes its squares' means as the spectra of blocks of them,
// drawn finer than a level; reading and writing agree on them, and the
// versions before cannot hold them.
TEST(FifCodec, SmoothGroundTakesItsMeansByBlocks) {
  fif::RgbImage swell{128, 128, {}};
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x)
      swell.rgb.insert(swell.rgb.end(), 3,
                       std::uint8_t(128 + 70 * std::sin(x / 23.0) * std::cos(y / 31.0)));
  const auto bytes = encodeAt(swell, 30);
  auto file = fif::readFile(bytes.data(), bytes.size());
  const auto& spectral = file.planes[0].residual.spectral;
  EXPECT_GT(std::count(spectral.begin(), spectral.end(), true), 0);
  EXPECT_GT(lumaPsnr(swell, fif::render(file, 128, 128)), 45.0);
  EXPECT_EQ(fif::writeFile(file), bytes);
  file.header.version = 7;
  EXPECT_THROW(fif::writeFile(file), std::logic_error);
}

// Where colour follows brightness (orange ground paled in patches), a
// chroma plane foretells its means from the luminance's too: the same levels
// cost more without it, and the luminance and older versions cannot hold it.
fif::RgbImage palePatches(int side = 128) {
  fif::RgbImage patches{side, side, {}};
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      const double pale = ((x / 16 * 7 + y / 16 * 13) % 11) / 10.0;
      const double ground = 0.6 + 0.3 * std::sin(x / 29.0 + y / 37.0);
      for (const double full : {240.0, 150.0, 30.0})
        patches.rgb.push_back(std::uint8_t(full * ground + (250 - full * ground) * pale));
    }
  return patches;
}

double squaredError(const fif::RgbImage& a, const fif::RgbImage& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.rgb.size(); ++i) sum += std::pow(a.rgb[i] - b.rgb[i], 2);
  return sum;
}

TEST(FifCodec, ChromaMeansLeanOnTheLuminanceWhereColourFollowsBrightness) {
  const auto bytes = encodeAt(palePatches(), 40);
  auto file = fif::readFile(bytes.data(), bytes.size());
  const auto shared = [&] {
    return file.planes[1].residual.lumaShare != 0 || file.planes[2].residual.lumaShare != 0;
  };
  ASSERT_TRUE(shared());
  const auto pixels = fif::render(file, 128, 128);
  const int shares[] = {file.planes[1].residual.lumaShare, file.planes[2].residual.lumaShare};
  file.planes[1].residual.lumaShare = file.planes[2].residual.lumaShare = 0;
  const auto without = fif::writeFile(file);
  EXPECT_GT(without.size(), bytes.size());
  EXPECT_EQ(fif::render(fif::readFile(without.data(), without.size()), 128, 128).rgb, pixels.rgb);
  file.planes[0].residual.lumaShare = shares[0] + shares[1];
  EXPECT_THROW(fif::writeFile(file), std::logic_error);
  file.planes[0].residual.lumaShare = 0;
  file.planes[1].residual.lumaShare = shares[0];
  file.planes[2].residual.lumaShare = shares[1];
  file.header.version = 8;
  EXPECT_THROW(fif::writeFile(file), std::logic_error);
}

// There the chroma's squares also take their shape from the decoded
// luminance under them, also where the chroma's padding reaches past the
// luminance's (160 pixels: five blocks of luminance, three of chroma):
// drawn flat instead, the same file shows colours further off; older
// versions cannot hold such squares.
TEST(FifCodec, ChromaSquaresTakeTheirShapeFromTheLuminance) {
  for (const int side : {128, 160}) {
    const auto patches = palePatches(side);
    const auto bytes = encodeAt(patches, 60);
    auto file = fif::readFile(bytes.data(), bytes.size());
    int shaped = 0;
    for (fif::CopyFrom& copy : file.planes[1].residual.copies) {
      shaped += copy.lumaScale != 0;
      copy.lumaScale = 0;
    }
    ASSERT_GT(shaped, 0) << side;
    const auto flat = fif::render(file, side, side);
    file = fif::readFile(bytes.data(), bytes.size());
    EXPECT_GT(squaredError(patches, flat), squaredError(patches, fif::render(file, side, side)));
    file.header.version = 9;
    EXPECT_THROW(fif::writeFile(file), std::logic_error) << side;
  }
}

// Self-similarity stays where it earns its bits: a drawing made of copies
// of itself keeps its blocks or copies its squares from what is decoded, a
// smooth slope is drawn by the residual on plain blocks.
TEST(FifCodec, SelfSimilarityStaysOnlyWhereItPays) {
  fif::RgbImage drawing{128, 128, {}};
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x)
      drawing.rgb.insert(drawing.rgb.end(), 3, std::uint8_t((x & y) == 0 ? 230 : 30));
  for (const auto& [picture, selfSimilar] : {std::pair{drawing, true}, std::pair{ramp(), false}}) {
    const auto bytes = encodeAt(picture, 50);
    const auto file = fif::readFile(bytes.data(), bytes.size());
    const fif::Plane& luma = file.planes[0];
    const auto& copies = luma.residual.copies;
    const bool copied = std::count_if(copies.begin(), copies.end(),
                                      [](const fif::CopyFrom& c) { return c.on; }) > 0;
    const bool blocks = luma.transforms != fif::plainBlocks(file.header, luma.width, luma.height);
    EXPECT_EQ(selfSimilar ? blocks || copied : blocks, selfSimilar);
    EXPECT_GT(lumaPsnr(picture, fif::render(file, picture.width, picture.height)), 30.0);
  }
}

// Plain blocks cost one bit for a whole plane; with nothing to draw on them
// a tiny file could claim a huge picture, so such a file is refused. The
// writer keeps such blocks whole, and that reads.
TEST(FifCodec, PlainBlocksWithoutAResidualAreRefused) {
  fif::RangeEncoder coder;
  fif::BitModel plain;
  coder.encode(plain, 1);
  coder.encodeDirect(0, 10);  // no residual step
  const auto payload = coder.finish();
  const auto crafted =
      fileDeclaring(4096, 4096, false, fif::kMinRangeLog2, payload.data(), payload.size());
  EXPECT_THROW(fif::readFile(crafted.data(), crafted.size()), fif::FormatError);

  const auto flat = flatPicture(256, 256);
  EXPECT_EQ(fif::readFile(flat.data(), flat.size()).planes[0].transforms.size(), 64u);
}

// A payload cut inside the residual, its length and check value mended, is
// refused rather than shown with made-up levels.
TEST(FifCodec, AResidualCutShortIsRefused) {
  const auto bytes = encodeAt(testScene(64, 64), 95);
  const std::size_t payload = bytes.size() - fif::kHeaderSize;
  std::vector<std::uint8_t> cut(bytes.begin(), bytes.end() - std::ptrdiff_t(payload / 3));
  const std::uint32_t length = std::uint32_t(cut.size() - fif::kHeaderSize);
  const std::uint32_t crc = fif::crc32(cut.data() + fif::kHeaderSize, length);
  for (int i = 0; i < 4; ++i) {
    cut[std::size_t(20 + i)] = std::uint8_t(length >> (8 * i));
    cut[std::size_t(24 + i)] = std::uint8_t(crc >> (8 * i));
  }
  try {
    fif::readFile(cut.data(), cut.size());
    ADD_FAILURE() << "a cut residual was read";
  } catch (const fif::FormatError& error) {
    EXPECT_EQ(error.fault, fif::FormatFault::Corrupt);
  }
}

TEST(FifCodec, HigherQualitySpendsMoreBytesForALowerError) {
  const auto scene = testScene(128, 128);
  const auto low = encodeAt(scene, 20), high = encodeAt(scene, 90);
  EXPECT_LT(low.size(), high.size());
  EXPECT_LT(lumaPsnr(scene, roundTrip(low, 128, 128)), lumaPsnr(scene, roundTrip(high, 128, 128)));
}

// The coarsest quality fits a tenth of a bit a pixel whatever the picture,
// so every rate from there up can be reached; fine texture such as grass,
// strong and random in every square, is the hardest.
TEST(FifCodec, TheLowestQualityFitsATenthOfABitAPixel) {
  fif::RgbImage grass{256, 256, {}};
  std::mt19937 random(40);
  std::uniform_int_distribution<int> blade(0, 255);
  for (int i = 0; i < 256 * 256; ++i) {
    const int g = blade(random);
    grass.rgb.insert(grass.rgb.end(), {std::uint8_t(g / 3), std::uint8_t(g), std::uint8_t(g / 5)});
  }
  for (const auto& picture : {grass, testScene(256, 256)})
    EXPECT_LE(double(encodeAt(picture, 1).size()) * 8 / (256 * 256), 0.1);
}

TEST(FifCodec, RendersAtAnySizeAndSmoothlyWhenEnlarged) {
  const auto scene = testScene(64, 64);
  const auto bytes = encodeAt(scene, 80);
  for (auto [w, h] : {std::pair{1, 1}, {37, 91}, {16, 16}, {300, 20}, {500, 500}}) {
    const auto image = roundTrip(bytes, w, h);
    EXPECT_EQ(image.width, w);
    EXPECT_EQ(image.rgb.size(), std::size_t(w * h * 3));
  }
  // At twice the size neighbouring pixels differ little: no block steps.
  const auto large = roundTrip(bytes, 128, 128);
  int steps = 0;
  for (int y = 0; y < 128; ++y)
    for (int x = 1; x < 128; ++x) {
      const int i = (y * 128 + x) * 3;
      steps += std::abs(large.rgb[std::size_t(i + 1)] - large.rgb[std::size_t(i - 2)]) > 40;
    }
  EXPECT_LT(steps, 128 * 4);  // only along the disc's outline
}

TEST(FifCodec, TinyAndEmptyPicturesRoundTrip) {
  for (auto [w, h] : {std::pair{1, 1}, {3, 5}, {33, 2}}) {
    const auto scene = testScene(w, h);
    const auto decoded = roundTrip(encodeAt(scene, 90), w, h);
    EXPECT_GT(lumaPsnr(scene, decoded), 20.0) << w << "x" << h;
  }
  const auto empty = encodeAt(fif::RgbImage{}, 75);
  const auto file = fif::readFile(empty.data(), empty.size());
  EXPECT_EQ(file.header.width, 0);
  const auto grey = fif::render(file, 4, 4);
  EXPECT_EQ(grey.rgb, std::vector<std::uint8_t>(48, 128));
}

TEST(FifCodec, KeepsAPalettePicturesColourTable) {
  const std::vector<std::uint32_t> table = {0x000000, 0xFF0000, 0x00FF00, 0x123456};
  const auto bytes = encodeAt(testScene(16, 16), 75, table);
  EXPECT_EQ(fif::readFile(bytes.data(), bytes.size()).header.colourTable, table);
}

TEST(FifCodec, RefusesPicturesItCannotStore) {
  fif::EncodeOptions options;
  EXPECT_THROW(fif::encode(fif::RgbImage{40000, 1, std::vector<std::uint8_t>(120000)}, options),
               std::invalid_argument);
  EXPECT_THROW(fif::encode(fif::RgbImage{2, 2, std::vector<std::uint8_t>(5)}, options),
               std::invalid_argument);
  options.colourTable.resize(257);
  EXPECT_THROW(fif::encode(testScene(4, 4), options), std::invalid_argument);
}

// Every damaged file is refused with a reason or decodes to something; none
// reads outside its bytes (the sanitizer build watches).
TEST(FifCodec, DamagedFilesAreRefusedOrDecodeSafely) {
  const auto good = encodeAt(testScene(48, 40), 70);
  auto expectSafe = [](std::vector<std::uint8_t> bytes) {
    try {
      const auto file = fif::readFile(bytes.data(), bytes.size());
      fif::render(file, 20, 20);
    } catch (const fif::FormatError&) {
    }
  };
  for (std::size_t length = 0; length < good.size(); length += 7)
    expectSafe(std::vector<std::uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(length)));

  // Payload bytes changed, with the check value mended so the parser sees them.
  std::mt19937 random(3);
  const std::size_t payload = fif::kHeaderSize;
  for (int round = 0; round < 300; ++round) {
    auto bytes = good;
    for (int k = 0; k < 4; ++k)
      bytes[payload + random() % (bytes.size() - payload)] = std::uint8_t(random());
    const std::uint32_t crc = fif::crc32(bytes.data() + payload, bytes.size() - payload);
    for (int i = 0; i < 4; ++i) bytes[std::size_t(24 + i)] = std::uint8_t(crc >> (8 * i));
    expectSafe(bytes);
  }

  struct Case {
    std::size_t offset;
    std::uint8_t value;
    fif::FormatFault fault;
  };
  for (const Case c :
       {Case{0, 'X', fif::FormatFault::NotFif},
        Case{8, std::uint8_t(fif::kVersionMajor ^ (fif::kVersionMajor + 1)),
             fif::FormatFault::Version},
        Case{11, 0xFF, fif::FormatFault::Corrupt}, Case{14, 9, fif::FormatFault::Corrupt},
        Case{15, 9, fif::FormatFault::Corrupt}, Case{19, 9, fif::FormatFault::Corrupt},
        Case{40, 0x55, fif::FormatFault::Corrupt}}) {
    auto bytes = good;
    bytes[c.offset] = std::uint8_t(bytes[c.offset] ^ c.value);
    try {
      fif::readFile(bytes.data(), bytes.size());
      ADD_FAILURE() << "byte " << c.offset << " changed and still read";
    } catch (const fif::FormatError& error) {
      EXPECT_EQ(error.fault, c.fault) << c.offset;
    }
  }
}

}  // namespace
