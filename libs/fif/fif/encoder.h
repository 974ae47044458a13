#pragma once

#include <cstdint>
#include <vector>

#include "fif/picture.h"

namespace fif {

struct EncodeOptions {
  // 1 to 100: higher keeps more detail, with a finer residual.
  int quality = 75;
  Progress progress;
  // 0x00RRGGBB entries of a palette picture (at most 256), kept in the file
  // for palette displays.
  std::vector<std::uint32_t> colourTable;
};

// The .fif file of the picture; throws std::invalid_argument for a picture
// the format cannot hold.
std::vector<std::uint8_t> encode(const RgbImage& image, const EncodeOptions& options);

}  // namespace fif
