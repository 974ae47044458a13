#pragma once

#include <vector>

namespace fif {

// The plane (`width` x `height`) at twice its size. Pictures tend to look
// alike across scales, so the filter that best redraws the plane from itself
// halved draws it at twice its size too. How far to trust it is tried one
// scale further down: the filter learnt from the plane quartered redraws it
// halved, blended with Lanczos in the share that does best. Where no share
// beats Lanczos, or the plane is too small to learn from, Lanczos does it.
// Then what the doubled picture, halved, misses of the plane is drawn back
// into it, unless the plane is too small to learn from.
std::vector<float> doubleSize(std::vector<float> plane, int width, int height);

}  // namespace fif
