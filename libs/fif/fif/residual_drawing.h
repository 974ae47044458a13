#pragma once

#include <vector>

#include "fif/cosine.h"
#include "fif/residual.h"
#include "fif/squares.h"

// Drawing a residual's squares and merged regions over the blocks' picture;
// the encoder draws them too, so its copies see what the decoder will.
namespace fif {

// The mean of each square as the picture will show it.
class SquareMeans {
 public:
  SquareMeans(int width, int height, const std::vector<float>& levels, float step);

  // The slope the means around the square draw through it, bilinear between
  // the squares' centres, less its own mean.
  Block slope(int bx, int by) const;

 private:
  // The mean of square (x, y) as seen from square (ox, oy): its own where the
  // other is outside the plane or across an edge.
  float mean(int ox, int oy, int x, int y) const;

  int across_, down_;
  float limit_;
  std::vector<float> means_;
};

// The pixels a square is drawn on instead of the blocks' picture: its
// copy's source, its neighbours' edges carried across it, or the luminance
// under it (`shapes`, see lumaShapes) at its scale.
Block drawnOn(const float* plane, int paddedW, int bx, int by, const CopyFrom& copy,
              const float* shapes = nullptr);

// Draws a square's levels, with `meanLevel` for its mean, over the blocks'
// picture in the plane: the blocks keep their shape and give up their mean for the
// square's own (unless `ownMeans` is false), or what the square is drawn
// on takes their place.
void drawSquare(float* plane, int paddedW, int bx, int by, const Levels& own, float meanLevel,
                float step, bool ownMeans, const Block& slope, const CopyFrom& copy,
                const float* shapes = nullptr);

// Adds a merged region's spectrum (its mean at 0) to the squares drawn under it.
void drawRegion(float* plane, int paddedW, int rx, int ry, const RegionLevels& own, float step);

}  // namespace fif
