#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fif/range_coder.h"

// What the self-similar blocks miss, kept as the cosine spectra of 8 x 8
// squares: smooth gradients and fine texture cost a domain search much and
// a few coefficients little.
namespace fif {

constexpr int kResidualSide = 8;
constexpr int kResidualArea = kResidualSide * kResidualSide;
// From version 5, 2 x 2 squares of a smooth region may share one spectrum:
// its low frequencies then cost a quarter of the levels.
constexpr int kRegionSide = 2 * kResidualSide;
constexpr int kRegionArea = kRegionSide * kRegionSide;

// One non-zero coefficient; a plane keeps only these, in block order.
struct Coefficient {
  std::uint32_t block = 0;  // row by row over the padded plane
  std::uint16_t index = 0;  // frequency, row by row: 8 v + u
  std::int16_t level = 0;  // times the plane's step
};

// A square drawn on a copy of the picture already decoded, `dx` and `dy`
// pixels away (files from version 5): texture that repeats costs an offset
// instead of its levels.
struct CopyFrom {
  bool on = false;
  std::int8_t dx = 0, dy = 0;
  // From version 6, instead of a copy: 1 + the direction in which the
  // pixels above and left of the square are carried across it (see
  // direction.h); 0 for none.
  std::uint8_t direction = 0;
  // From version 10, in a chroma plane over the luminance (lumaGuide), and
  // instead of either: 1 + the index of the scale (lumaScaleValue) at which
  // the decoded luminance under the square gives its shape. A pale line over
  // orange ground is one edge in all three planes: the chroma then costs a
  // scale instead of the levels that would draw the edge again.
  std::uint8_t lumaScale = 0;
  bool drawnOn() const { return on || direction != 0 || lumaScale != 0; }
  bool operator==(const CopyFrom&) const = default;
};

// Weights of a plane's own mean forecast (files from version 7), in
// kForecastOne shares: of the mean levels left, above, above left and above
// right of the square, and of the corner rule's forecast. Pictures differ in
// which neighbours tell most (ripples run one way, blinds another), so the
// encoder fits them to each plane.
constexpr int kForecastTaps = 5, kForecastOne = 64;
// Each tap is stored in plain bits, from -2 to under 2.
constexpr int kForecastTapBits = 8;
constexpr int kForecastTapOffset = 2 * kForecastOne;
using ForecastTaps = std::array<int, kForecastTaps>;
// The corner rule alone.
constexpr ForecastTaps kCornerRule{0, 0, 0, 0, kForecastOne};

struct Residual {
  int stepCode = 0;  // 0: none; the step is stepCode / 8
  std::vector<Coefficient> coefficients;
  // By square, in block order: its detail is drawn against the slope its
  // neighbours' means make through it, rather than flat. Squares past its
  // end are flat.
  std::vector<bool> sloped;
  // The squares' means are the picture's own rather than added to the
  // blocks' (files of version 3).
  bool ownMeans = true;
  // By region of 2 x 2 squares, row by row (files from version 5): its
  // squares keep their means and slopes, and their detail is one spectrum
  // of 16 x 16, kept in `regionCoefficients` (block: the region; index:
  // 16 v + u). Regions past its end are not merged.
  std::vector<bool> merged;
  std::vector<Coefficient> regionCoefficients;
  // By square: where it is copied from. Squares past its end are not.
  std::vector<CopyFrom> copies;
  ForecastTaps meanTaps = kCornerRule;
  // From version 8, in a plane that tiles into blocks of kMeanBlockSide x
  // kMeanBlockSide squares, by block, row by row: its squares' means are
  // the cosine spectrum of the block's means, kept in `blockMeans` (block:
  // the block; index: kMeanBlockSide v + u; levels in the squares' mean
  // levels), and its squares' own levels hold no mean. Blocks past its end
  // are not.
  std::vector<bool> spectral;
  std::vector<Coefficient> blockMeans;
  // From version 9, in a chroma plane with a luminance guide (lumaGuide):
  // how much of the luminance's miss of its own forecast each mean's
  // forecast takes on, in kForecastOne shares. Where a picture's colour
  // follows its brightness (a pale line on orange ground), the luminance
  // foretells what the chroma's neighbours cannot.
  int lumaShare = 0;
  bool spectralAt(std::size_t block) const { return block < spectral.size() && spectral[block]; }
  bool slopedAt(std::size_t square) const { return square < sloped.size() && sloped[square]; }
  bool mergedAt(std::size_t region) const { return region < merged.size() && merged[region]; }
  CopyFrom copyAt(std::size_t square) const {
    return square < copies.size() ? copies[square] : CopyFrom{};
  }
  void setCopy(std::size_t square, const CopyFrom& copy);
  float step() const { return float(stepCode) / 8.0f; }
  // Adds a square's levels (natural order); squares may come in any order,
  // and `coefficients` is in block order once `sortSquares` has run.
  void add(std::size_t square, const std::array<int, kResidualArea>& levels, bool drawnSloped);
  // Appends a merged region's levels; regions come in order.
  void addRegion(std::size_t region, const std::array<int, kRegionArea>& levels);
  void sortSquares();
};

// Whether squares of a padded plane can be merged: it tiles into regions.
bool regionsTile(int paddedW, int paddedH);

constexpr int kMeanBlockSide = 4;  // squares
constexpr int kMeanBlockArea = kMeanBlockSide * kMeanBlockSide;
// Whether a padded plane tiles into blocks of means (and has any).
bool meanBlocksTile(int paddedW, int paddedH);
// Each square's mean level, row by row: its own, or drawn from its block's
// spectrum.
std::vector<float> squareMeanLevels(const Residual& residual, int paddedW, int paddedH);

constexpr int kLumaScales = 16;
constexpr int kLumaScaleBits = 4;
// The scale of index `index` (0 to kLumaScales - 1): finer near zero, up to
// the luminance's own size either way.
float lumaScaleValue(int index);

// A luma share is stored in plain bits, from -2 to under 2.
constexpr int kLumaShareBits = 8;
constexpr int kLumaShareOffset = 2 * kForecastOne;

// The luminance plane's residual and padded size, which a chroma plane's
// means are foretold from (version 9); none for the luminance itself.
struct LumaPlane {
  const Residual* residual = nullptr;
  int paddedW = 0, paddedH = 0;
  // The luminance as decoded, before any filter, at the chroma's padded size
  // (lumaShapes), for chroma squares shaped by it (version 10); the encoder
  // alone needs it.
  const float* shapes = nullptr;
};

// The decoded luminance (`lumaW` x `lumaH`) halved to the chroma's padded
// `width` x `height`, each pixel the mean of the 2 x 2 it covers, the
// luminance's last row and column repeated where the chroma's padding
// reaches past it: what a chroma square is shaped by.
std::vector<float> lumaShapes(const float* luma, int lumaW, int lumaH, int width, int height);

// The luminance's mean over each square of a chroma plane (`paddedW` x
// `paddedH`, its residual at `stepCode`) in a file of `version`, in the
// chroma's mean levels, row by row. Empty where there is no such guide:
// before version 9, no luminance, either plane without a residual, a
// chroma plane that does not tile into blocks of means, or one whose
// squares do not each lie over 2 x 2 of the luminance's. From version 10
// the chroma's padding may reach up to 32 pixels of the luminance's past
// the luminance's own (a luminance of an odd number of top-level blocks
// across or down); the luminance's last row and column of squares then
// stand in for those beyond.
std::vector<int> lumaGuide(const LumaPlane& luma, int paddedW, int paddedH, int stepCode,
                           int version);

// What `original` has over `predicted` (both the padded plane, width and
// height multiples of 8), quantised: each square's own mean, then its detail
// drawn flat or against its slope, every level weighed by its squared error
// plus its bits at `rateWeight` times the step squared each.
// From version 5, regions of 2 x 2 squares share one spectrum and squares
// are copied where that is cheaper; from version 6 squares may also carry
// their neighbours' edges across them, and from version 10 chroma squares
// may be shaped by the luminance (`luma.shapes`).
Residual quantiseResidual(const std::vector<float>& original, const std::vector<float>& predicted,
                          int width, int height, int stepCode, float rateWeight, int version,
                          const LumaPlane& luma = {});

// Writes the layout of `version` (4 to 10); version 4 holds no merged region
// and no copied square, version 5 no directed one, versions before 8 no
// spectral block of means, versions before 9 no luma share and versions
// before 10 no square shaped by the luminance (nor does a plane without
// `luma`). Throws std::logic_error for version 3, which is
// only read.
void writeResidual(RangeEncoder& coder, const Residual& residual, int paddedW, int paddedH,
                   int version, const LumaPlane& luma = {});
// Reads the layout of the file's `version`. Throws FormatError when the
// stream is cut short, holds impossible levels, or holds a residual on a
// plane its squares do not tile (`tiles` false).
Residual readResidual(RangeDecoder& coder, int paddedW, int paddedH, bool tiles, int version,
                      const LumaPlane& luma = {});

// Adds the residual to the padded plane at its own size, which holds the
// blocks' picture: each square then shows its own mean. `shapes` is the
// luminance that squares shaped by it are drawn on (lumaShapes).
void addResidual(const Residual& residual, int paddedW, int paddedH, float* plane,
                 const float* shapes = nullptr);

// Eases the steps left at the squares' edges where coarse steps made them,
// sparing the steps too large to be anything but the picture's own edges.
void easeSquareEdges(const Residual& residual, int paddedW, int paddedH, float* plane);

}  // namespace fif
