#include "budget.h"

#include <algorithm>

namespace deco {

namespace {

// The coder gives a likely decision at most 2017/2048 of its range, so each
// costs at least 0.022 bits, and a block takes at least twelve decisions:
// no byte can hold more than 31 blocks. Plain blocks take one decision for
// their whole plane, but then each of their sixteen residual squares takes
// three. The coder reads a few bytes ahead.
constexpr std::int64_t kBlocksPerByte = 32;
constexpr std::int64_t kBytesReadAhead = 6;
// Every residual level carries a plain sign bit: at most eight a byte. A
// square's mean may also come from its forecast without a bit.
constexpr std::int64_t kLevelsPerByte = 8;
constexpr std::int64_t kPixelsPerMean = 64;
// The renderer works on planes of floats up to four times the stored size.
constexpr double kLargestWorkScale = 4.0;

struct PlaneBlocks {
  std::int64_t fewest = 0;  // every top-level block whole
  std::int64_t most = 0;  // every block split to the smallest size
  std::int64_t pixels = 0;  // padded, of every plane
};

PlaneBlocks blocksOf(const fif::Header& header) {
  PlaneBlocks blocks;
  for (int plane = 0; plane < fif::planeCount(header.colour); ++plane) {
    int width = 0, height = 0;
    fif::planeSize(header, plane, width, height);
    const std::int64_t paddedW = fif::paddedSide(width, header.maxRangeLog2);
    const std::int64_t paddedH = fif::paddedSide(height, header.maxRangeLog2);
    blocks.fewest += (paddedW >> header.maxRangeLog2) * (paddedH >> header.maxRangeLog2);
    blocks.most += (paddedW >> header.minRangeLog2) * (paddedH >> header.minRangeLog2);
    blocks.pixels += paddedW * paddedH;
  }
  return blocks;
}

std::int64_t blocksTheBytesHold(std::size_t payloadBytes) {
  return (std::int64_t(payloadBytes) + kBytesReadAhead) * kBlocksPerByte;
}

}  // namespace

bool bytesHoldBlocks(const fif::Header& header, std::size_t payloadBytes) {
  return blocksOf(header).fewest <= blocksTheBytesHold(payloadBytes);
}

bool transformsWithinBudget(const fif::Header& header, std::size_t payloadBytes) {
  const PlaneBlocks blocks = blocksOf(header);
  // From version 5 a merged region keeps its squares' four means beside
  // the levels of its own spectrum, so levels may pass pixels by a mean
  // every 64.
  const std::int64_t mostLevels =
      header.version >= 5 ? blocks.pixels + blocks.pixels / kPixelsPerMean : blocks.pixels;
  const std::int64_t levels =
      header.version < 3
          ? 0
          : std::min(mostLevels, (std::int64_t(payloadBytes) + kBytesReadAhead) * kLevelsPerByte +
                                     blocks.pixels / kPixelsPerMean);
  return std::min(blocks.most, blocksTheBytesHold(payloadBytes)) <= kMaxTransforms &&
         levels <= kMaxLevels;
}

std::int64_t renderBytes(const fif::Header& header, int width, int height) {
  const std::int64_t pixels = std::int64_t(width) * height;
  if (header.width == 0 || header.height == 0) return pixels * 3;
  // The working scale reaches the output's size in steps of one over the
  // smallest block's side.
  const double step = 1.0 / double(1 << header.minRangeLog2);
  // A picture with a residual renders at its own size and is resized from
  // there, through one picture between the two passes.
  const bool ownSize = header.version >= 3;
  const double scale =
      ownSize
          ? 1.0
          : std::min(kLargestWorkScale,
                     std::max(double(width) / header.width, double(height) / header.height) + step);
  const double lumaW = fif::paddedSide(header.width, header.maxRangeLog2) * scale;
  const double lumaH = fif::paddedSide(header.height, header.maxRangeLog2) * scale;
  const std::int64_t planes = fif::planeCount(header.colour);
  // The output, each plane resampled to it, and two working copies of the
  // largest plane at a time.
  const std::int64_t between =
      ownSize ? std::int64_t(4 * std::max(double(pixels), lumaW * lumaH)) : 0;
  return pixels * 3 + planes * pixels * 4 + std::int64_t(2 * 4 * (lumaW + 1) * (lumaH + 1)) +
         between;
}

}  // namespace deco
