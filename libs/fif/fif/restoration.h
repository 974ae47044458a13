#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fif/range_coder.h"

// A filter the encoder fits, by least squares, to what the decoded plane
// still misses of the original (files from version 6): coarse levels leave
// ringing and soft or blocky edges that no fixed filter takes out without
// blurring the picture's own detail, but a filter fitted to the picture
// takes out much of them for a few dozen bits.
namespace fif {

// Taps are kept in these shares of a pixel.
constexpr int kRestorationOne = 128;
// Squares of this many pixels say each whether they are filtered.
constexpr int kRestorationBlock = 64;
// Pixels fall in this many classes by how busy the picture is around them,
// each with its own taps.
constexpr std::size_t kRestorationClasses = 4;

struct RestorationFilter {
  bool on = false;
  // For each class in turn, one weight for each pair of pixels at opposite
  // offsets around the filtered one, in kRestorationOne shares (see
  // restorationOffsets); the pixel itself keeps what makes the weights sum
  // to one. A class of zero weights is left as it is.
  std::vector<int> taps;
  // By square of kRestorationBlock pixels, row by row over the padded
  // plane: whether it is filtered.
  std::vector<bool> blocks;
  bool operator==(const RestorationFilter&) const = default;
};

struct Offset {
  int dx, dy;
};
// One offset of each pair the filter weighs: luminance reaches three pixels
// each way in a diamond, the half-size chroma two.
const std::vector<Offset>& restorationOffsets(bool chroma);

// The filter that brings `decoded` nearest `original` (padded planes; the
// picture's own `width` x `height` at their top left counted), and the
// squares it improves; off where its error saved is worth less than its
// bits at `pricePerBit`.
RestorationFilter fitRestoration(const std::vector<float>& original,
                                 const std::vector<float>& decoded, int paddedW, int paddedH,
                                 int width, int height, bool chroma, float pricePerBit);

// Filters the padded plane where the filter says so.
void applyRestoration(const RestorationFilter& filter, int paddedW, int paddedH, bool chroma,
                      float* plane);

// Each square's flag follows the taps; `paddedW` tells how they lie.
void writeRestoration(RangeEncoder& coder, const RestorationFilter& filter, int paddedW);
// Throws FormatError when the stream is cut short.
RestorationFilter readRestoration(RangeDecoder& coder, int paddedW, int paddedH, bool chroma);

}  // namespace fif
