#include <gtest/gtest.h>

#include <cstring>

#include "codec_test_support.h"
#include "deco32.h"

namespace {

// A decompressor holding one encoded scene.
class Deco32 : public ::testing::Test {
 protected:
  void SetUp() override {
    scene = testScene(40, 30);
    bytes = encodeAt(scene, 90, table);
    ASSERT_EQ(OpenDecompressor(&handle), DECO_OK);
    ASSERT_EQ(SetFIFBuffer(handle, bytes.data(), int(bytes.size())), DECO_OK);
  }
  void TearDown() override {
    ClearFIFBuffer(handle);
    EXPECT_EQ(CloseDecompressor(handle), DECO_OK);
  }

  std::vector<std::uint8_t> decode(int a, int b, int c, int orientation, int stride) {
    std::vector<std::uint8_t> pixels(std::size_t(stride) * 30, 0xEE);
    EXPECT_EQ(SetOutputResolution(handle, 40, 30), DECO_OK);
    EXPECT_EQ(SetOutputFormat(handle, a, b, c, 4, orientation), DECO_OK);
    EXPECT_EQ(DecompressToBuffer(handle, pixels.data(), 0, 0, 0, 0, stride), DECO_OK);
    return pixels;
  }

  std::vector<std::uint32_t> table;
  fif::RgbImage scene;
  std::vector<std::uint8_t> bytes;
  int handle = 0;
};

TEST_F(Deco32, ReportsItsVersionAndTheStoredSize) {
  int major = 0, minor = -1;
  GetDecoVersion(&major, &minor);
  EXPECT_EQ(major, 6);
  EXPECT_GE(minor, 0);
  int w = 0, h = 0, colours = -1;
  EXPECT_EQ(GetOriginalResolution(handle, &w, &h, &colours), DECO_OK);
  EXPECT_EQ(w, 40);
  EXPECT_EQ(h, 30);
  EXPECT_EQ(colours, 0);
  unsigned char entries[1024];
  EXPECT_EQ(GetFIFColorTable(handle, entries), DECO_NO_COLOR_TABLE);
}

TEST_F(Deco32, WritesEachPixelLayoutInEitherRowOrder) {
  const auto bgr = decode(3, 2, 1, 0, 120);
  const auto rgb = decode(1, 2, 3, 0, 120);
  const auto upside = decode(3, 2, 1, 1, 120);
  for (int x = 0; x < 40; ++x) {
    EXPECT_EQ(bgr[std::size_t(3 * x)], rgb[std::size_t(3 * x + 2)]);
    EXPECT_EQ(bgr[std::size_t(3 * x)], upside[std::size_t(29 * 120 + 3 * x)]);
  }
  const std::uint8_t* p = bgr.data() + 5 * 120 + 3 * 20;  // inside the red disc
  EXPECT_GT(p[2], p[1] + 80);

  const auto words = decode(20, 21, 22, 0, 80);
  const unsigned word = words[5 * 80 + 40] | unsigned(words[5 * 80 + 41]) << 8;
  EXPECT_EQ(word >> 10 & 31, unsigned(p[2]) >> 3);
  EXPECT_EQ(word & 31, unsigned(p[0]) >> 3);
  EXPECT_EQ(word >> 15, 0u);
}

TEST_F(Deco32, IndexedOutputUsesTheTableItWasGivenOrItsOwnChoice) {
  EXPECT_EQ(SetColorTableFormat(handle, 1, 2, 3, 5), DECO_OK);
  const unsigned char two[8] = {0, 0, 0, 0, 255, 0, 0, 0};  // black, red
  EXPECT_EQ(SetOutputColorTable(handle, two, nullptr, 2), DECO_OK);
  const auto indices = decode(10, 1, 1, 0, 40);
  for (auto i : indices) EXPECT_LT(i, 2);
  EXPECT_EQ(indices[5 * 40 + 20], 1);  // the red disc

  const std::vector<unsigned char> free(256, 2);
  EXPECT_EQ(SetOutputColorTable(handle, nullptr, free.data(), 256), DECO_OK);
  const auto chosen = decode(10, 4, 4, 0, 40);
  unsigned char used[1024];
  EXPECT_EQ(GetOutputColorTable(handle, used), DECO_OK);
  const unsigned char* disc = used + 4 * chosen[5 * 40 + 20];
  EXPECT_GT(disc[0], disc[1] + 80);
  EXPECT_EQ(disc[3], 0);
}

TEST_F(Deco32, RefusesWhatItCannotDo) {
  std::vector<std::uint8_t> pixels(4000);
  EXPECT_EQ(DecompressToBuffer(handle, pixels.data(), 0, 0, 0, 0, 120), DECO_NO_RESOLUTION);
  EXPECT_EQ(SetOutputResolution(handle, 0, 10), DECO_BAD_ARGUMENT);
  EXPECT_EQ(SetOutputResolution(handle, 40, 30), DECO_OK);
  EXPECT_EQ(DecompressToBuffer(handle, pixels.data(), 0, 0, 0, 0, 120), DECO_NO_FORMAT);
  EXPECT_EQ(SetOutputFormat(handle, 3, 3, 1, 4, 0), DECO_BAD_ARGUMENT);
  EXPECT_EQ(SetOutputFormat(handle, 3, 2, 1, 4, 0), DECO_OK);
  EXPECT_EQ(DecompressToBuffer(handle, pixels.data(), 0, 0, 0, 0, 119),
            DECO_BAD_ARGUMENT);  // too short, unaligned
  EXPECT_EQ(DecompressToBuffer(handle, pixels.data(), 1, 0, 0, 0, 120), DECO_BAD_ARGUMENT);
  EXPECT_EQ(SetColorTableFormat(handle, 1, 1, 3, 5), DECO_BAD_ARGUMENT);
  EXPECT_EQ(SetOutputColorTable(handle, nullptr, nullptr, 256), DECO_BAD_ARGUMENT);
  EXPECT_EQ(SetFIFBuffer(handle, "not a picture", 13), DECO_NOT_FIF);
  auto damaged = bytes;
  damaged.back() ^= 0x40;
  EXPECT_EQ(SetFIFBuffer(handle, damaged.data(), int(damaged.size())), DECO_DAMAGED);
  EXPECT_EQ(DecompressToBuffer(handle, pixels.data(), 0, 0, 0, 0, 120), DECO_NO_FIF_BUFFER);
  EXPECT_EQ(SetOutputResolution(handle + 100, 1, 1), DECO_BAD_HANDLE);
  EXPECT_EQ(TestIfFIF(bytes.data(), int(bytes.size())), DECO_OK);
  EXPECT_EQ(TestIfFIF("BM", 2), DECO_NOT_FIF);
}

int calls = 0;
int lastPercent = 0;

TEST_F(Deco32, ReportsProgressAndStopsWhenAsked) {
  EXPECT_EQ(SetDecompressCallback(
                handle,
                [](int, int percent) {
                  ++calls;
                  lastPercent = percent;
                  return 0;
                },
                1),
            DECO_OK);
  decode(3, 2, 1, 0, 120);
  EXPECT_GT(calls, 3);
  EXPECT_EQ(lastPercent, 100);

  std::vector<std::uint8_t> pixels(3600);
  EXPECT_EQ(SetDecompressCallback(
                handle, [](int, int) { return 1; }, 1),
            DECO_OK);
  EXPECT_EQ(DecompressToBuffer(handle, pixels.data(), 0, 0, 0, 0, 120), DECO_STOPPED);
}

class Deco32WithTable : public Deco32 {
 protected:
  Deco32WithTable() { table = {0x000000, 0xDC3C80, 0x28C8A0}; }
};

TEST_F(Deco32WithTable, HandsBackTheFilesOwnTableInTheAskedByteOrder) {
  int w, h, colours = 0;
  EXPECT_EQ(GetOriginalResolution(handle, &w, &h, &colours), DECO_OK);
  EXPECT_EQ(colours, 3);
  EXPECT_EQ(SetColorTableFormat(handle, 3, 2, 1, 5), DECO_OK);
  unsigned char entries[1024] = {};
  EXPECT_EQ(GetFIFColorTable(handle, entries), DECO_OK);
  EXPECT_EQ(std::memcmp(entries + 4, "\x80\x3C\xDC\x00", 4), 0);
}

// What a file declares is checked against what its bytes can carry before
// anything is built from it, and a render it cannot afford is refused before
// the caller's pixels are touched.
TEST(Deco32Limits, ASmallFileCannotDemandAHugePictureOrRender) {
  int handle = 0;
  ASSERT_EQ(OpenDecompressor(&handle), DECO_OK);
  const std::vector<std::uint8_t> payload(100, 0);
  const auto crafted =
      fileDeclaring(32767, 32767, true, fif::kMinRangeLog2, payload.data(), payload.size());
  EXPECT_EQ(SetFIFBuffer(handle, crafted.data(), int(crafted.size())), DECO_DAMAGED);
  // About a megabyte could carry more blocks than a render's budget holds.
  const std::vector<std::uint8_t> megabyte(1200000, 0x5A);
  const auto crowded =
      fileDeclaring(32767, 32767, true, fif::kMinRangeLog2, megabyte.data(), megabyte.size());
  EXPECT_EQ(SetFIFBuffer(handle, crowded.data(), int(crowded.size())), DECO_NO_MEMORY);

  // The tightest coding there is of a large picture still reads.
  const auto flat = flatPicture(8000, 6000);
  ASSERT_EQ(SetFIFBuffer(handle, flat.data(), int(flat.size())), DECO_OK);
  EXPECT_EQ(SetOutputFormat(handle, 3, 2, 1, 4, 0), DECO_OK);
  EXPECT_EQ(SetOutputResolution(handle, 32000, 8000), DECO_OK);
  EXPECT_EQ(DecompressToBuffer(handle, nullptr, 0, 0, 0, 0, 96000), DECO_NO_MEMORY);
  std::vector<std::uint8_t> pixels(40 * 30 * 3);
  EXPECT_EQ(SetOutputResolution(handle, 40, 30), DECO_OK);
  EXPECT_EQ(DecompressToBuffer(handle, pixels.data(), 0, 0, 0, 0, 120), DECO_OK);
  EXPECT_EQ(pixels[0], 129) << "the flat picture's mean";
  ClearFIFBuffer(handle);
  CloseDecompressor(handle);
}

}  // namespace
