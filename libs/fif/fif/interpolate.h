#pragma once

#include <vector>

namespace fif {

// A plane resized by `scaleX` and `scaleY` (output pixel x samples the input
// at (x + 0.5) / scaleX - 0.5) with the Lanczos kernel of three lobes,
// widened when shrinking so nothing aliases; edges repeat.
std::vector<float> lanczosResize(const std::vector<float>& plane, int width, int height,
                                 int toWidth, int toHeight, double scaleX, double scaleY);

}  // namespace fif
