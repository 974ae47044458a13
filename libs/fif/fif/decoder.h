#pragma once

#include "fif/format.h"
#include "fif/picture.h"

namespace fif {

// Renders the picture at any size, exactly width x height. A picture with a
// residual is rebuilt at its own size, its squares' edges eased (unless
// `smoothEdges` is off), and resized smoothly. One without (version 2) has
// its transforms iterated at the scale nearest above the requested size,
// block edges smoothed (unless `smoothEdges` is off), and is resampled. A
// 0 x 0 picture renders grey.
RgbImage render(const FifFile& file, int width, int height, const Progress& progress = {},
                bool smoothEdges = true);

// The plane as its blocks alone make it, padded, at its own size: what the
// residual is measured against.
std::vector<float> predictPlane(const Header& header, const Plane& plane);

}  // namespace fif
