#pragma once

#include "fif/format.h"
#include "fif/picture.h"

namespace fif {

// Renders the picture at any size: the transforms are iterated at the scale
// nearest above the requested size, block edges are smoothed, and the result
// is resampled to exactly width x height (unless `smoothEdges` is off). A
// 0 x 0 picture renders grey.
RgbImage render(const FifFile& file, int width, int height, const Progress& progress = {},
                bool smoothEdges = true);

// The plane as its blocks alone make it, padded, at its own size: what the
// residual is measured against.
std::vector<float> predictPlane(const Header& header, const Plane& plane);

}  // namespace fif
