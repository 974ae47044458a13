#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <utility>
#include <vector>

#include "fif/cosine.h"
#include "fif/direction.h"
#include "fif/range_coder.h"
#include "fif/residual.h"
#include "fif/squares.h"

// How a residual's levels are coded, each in the contexts its neighbours
// give: the squares' means, their detail, and merged regions' spectra.
// Writing takes any coder, so the encoder can price a choice with a
// BitCounter before it keeps it.
namespace fif {

// Levels beyond 2 are coded as an exponential-Golomb number; a prefix this
// long could only come from a damaged file.
constexpr int kLongestPrefix = 15;
constexpr int kLargestLevel = 32767;

// A copied square's source lies up to this many pixels away each way, the
// offset in plain bits.
constexpr int kCopyReach = 32, kCopyBits = 6;

// The adaptive contexts of one plane's residual.
struct ResidualModels {
  BitModel coded[3];  // by how many of the blocks left and above are coded
  SymbolModel<6> last;
  // By position and by how many of the two levels before it are non-zero,
  // or (version 7) by the sizes of the levels lower in frequency.
  BitModel significant[kResidualArea][4];
  BitModel aboveOne[16][4], aboveTwo[16][4];
  BitModel prefix[kLongestPrefix + 1];
  BitModel sloped[3];  // by how many of the blocks left and above are sloped
  BitModel copied[3];  // by how many of the blocks left and above are copied
  BitModel directed[3];  // by how many of the blocks left and above are directed
  SymbolModel<kCoarseDirectionBits> direction;  // versions 6 to 10
  SymbolModel<kDirectionBits> fineDirection;  // from version 11
  BitModel shaped[3];  // by how many of the blocks left and above are shaped by the luminance
  SymbolModel<kLumaScaleBits> lumaScale;
};

// The sizes of the two levels one lower in frequency either way, summed
// up to 3: a square's spectrum thins out from its low frequencies, and
// where they are large the next are likely not zero.
inline int lowerLevels(const Levels& levels, int natural) {
  const int u = natural % kResidualSide, v = natural / kResidualSide;
  const int sum = (u > 0 ? std::abs(levels[std::size_t(natural - 1)]) : 0) +
                  (v > 0 ? std::abs(levels[std::size_t(natural - kResidualSide)]) : 0);
  return std::min(sum, 3);
}

// Which of the last two levels in zigzag order were non-zero.
class RecentLevels {
 public:
  int count() const { return int(previous_) + int(before_); }
  void push(bool nonZero) {
    before_ = previous_;
    previous_ = nonZero;
  }

 private:
  bool previous_ = false, before_ = false;
};

inline int band(int position) { return std::min(position, 15); }

// The mean level of a square is foretold from the squares left, above and
// above left of it: a smooth picture keeps it near them, and the corner
// tells a slope from an edge. Files of version 3 took the mean of the left
// and above ones; from version 7 the corner rule is weighed with the
// neighbours by the plane's taps.
// The corner rule's forecast from the levels left, above and above left, and
// with `taps` other than the corner rule alone, weighed with them and the one
// above right.
int foretellMean(int left, int above, int corner, int right, const ForecastTaps& taps);

// What the luminance adds to each of a chroma plane's mean forecasts, row by
// row: `share` of how far its `guide` (lumaGuide) misses the forecast `taps`
// make of it from its neighbours. Empty without a guide or a share.
std::vector<int> lumaForecastTerms(const std::vector<int>& guide, int across,
                                   const ForecastTaps& taps, int share);

// Forecasts as foretellMean makes them, each with its term added (`terms`
// row by row, or none).
class MeanForecast {
 public:
  MeanForecast(int across, bool byCorner, const ForecastTaps& taps = kCornerRule,
               std::vector<int> terms = {})
      : above_(std::size_t(across), 0),
        byCorner_(byCorner),
        taps_(taps),
        terms_(std::move(terms)) {}
  int forecast(int x, int y) const {
    const int term = terms_.empty() ? 0 : terms_[std::size_t(y) * above_.size() + std::size_t(x)];
    return fromNeighbours(x, y) + term;
  }
  // Entries left of the square being coded already belong to its own row.
  void set(int x, int level) {
    corner_ = above_[std::size_t(x)];
    above_[std::size_t(x)] = level;
  }

 private:
  int fromNeighbours(int x, int y) const;

  std::vector<int> above_;
  int corner_ = 0;  // the row above's entry left of the next square
  bool byCorner_;
  ForecastTaps taps_;
  std::vector<int> terms_;
};

// Remembers which blocks of the row above and the block to the left carry
// coefficients.
class CodedNeighbours {
 public:
  explicit CodedNeighbours(int across) : above_(std::size_t(across), 0) {}
  int context(int x) const {
    return above_[std::size_t(x)] + (x > 0 ? above_[std::size_t(x - 1)] : 0);
  }
  void set(int x, bool coded) { above_[std::size_t(x)] = coded ? 1 : 0; }

 private:
  // Entries left of the block being coded already belong to its own row.
  std::vector<int> above_;
};

// A non-zero level's size and sign; the sign in a plain bit unless a model
// is given for it.
template <class Coder>
void writeSize(Coder& coder, BitModel& aboveOne, BitModel& aboveTwo, BitModel* prefix, int level,
               BitModel* sign = nullptr) {
  const int magnitude = std::abs(level);
  coder.encode(aboveOne, magnitude > 1);
  if (magnitude > 1) {
    coder.encode(aboveTwo, magnitude > 2);
    if (magnitude > 2) {
      const unsigned rest = unsigned(magnitude - 3) + 1;
      int length = 0;
      while ((rest >> (length + 1)) != 0) ++length;
      for (int i = 0; i < length; ++i) coder.encode(prefix[i], 1);
      if (length < kLongestPrefix) coder.encode(prefix[length], 0);
      coder.encodeDirect(rest - (1u << length), length);
    }
  }
  if (sign)
    coder.encode(*sign, level < 0 ? 1 : 0);
  else
    coder.encodeDirect(level < 0 ? 1 : 0, 1);
}

// Reads what writeSize wrote; throws FormatError for a level too large.
int readSize(RangeDecoder& coder, BitModel& aboveOne, BitModel& aboveTwo, BitModel* prefix,
             BitModel* sign = nullptr);

template <class Coder>
void writeLevel(Coder& coder, ResidualModels& m, int position, int recent, int level) {
  writeSize(coder, m.aboveOne[band(position)][recent], m.aboveTwo[band(position)][recent], m.prefix,
            level);
}

// Codes one square's levels (its detail; in version 3 its mean less the
// forecast too), each in the context of the levels lower in frequency
// (`byLower`) or of the two before it; returns whether any was coded.
template <class Coder>
bool writeBlock(Coder& coder, ResidualModels& m, const Levels& levels, int codedContext,
                bool byLower) {
  int last = -1;
  for (int i = 0; i < kResidualArea; ++i)
    if (levels[std::size_t(zigzag()[std::size_t(i)])] != 0) last = i;
  coder.encode(m.coded[codedContext], last >= 0);
  if (last < 0) return false;
  m.last.encode(coder, unsigned(last));
  RecentLevels recent;
  for (int i = 0; i <= last; ++i) {
    const int natural = zigzag()[std::size_t(i)];
    const int level = levels[std::size_t(natural)];
    const int context = byLower ? lowerLevels(levels, natural) : recent.count();
    if (i < last) coder.encode(m.significant[i][context], level != 0);
    if (level != 0) writeLevel(coder, m, i, context, level);
    recent.push(level != 0);
  }
  return true;
}

// A merged region's levels, with contexts of their own: its spectrum is
// finer than a square's, so a position is told more apart early on and
// less further out.
constexpr int kRegionBands = 60;
inline int regionBand(int position) {
  return position < 32 ? position : std::min(32 + (position - 32) / 8, kRegionBands - 1);
}
inline int regionSizeBand(int position) { return std::min(position / 4, 15); }

struct RegionModels {
  BitModel merged[3];  // by how many of the regions left and above are merged
  BitModel coded[3];
  SymbolModel<8> last;  // less one: the region's mean is its squares'
  BitModel significant[kRegionBands][3];
  BitModel aboveOne[16][3], aboveTwo[16][3];
  BitModel prefix[kLongestPrefix + 1];
};

class RegionCoder {
 public:
  explicit RegionCoder(int regionsAcross) : merged_(regionsAcross) {}

  template <class Coder>
  void writeMerged(Coder& coder, bool merged, int rx) {
    coder.encode(models_.merged[merged_.context(rx)], merged);
    merged_.set(rx, merged);
  }
  bool readMerged(RangeDecoder& coder, int rx);

  // Codes the levels past position 0; returns whether any was coded.
  template <class Coder>
  bool writeLevels(Coder& coder, const RegionLevels& levels, int codedContext) {
    return writeLevels(coder, models_, levels, codedContext);
  }
  // The bits the levels would cost, leaving the contexts as they are.
  float bits(const RegionLevels& levels, int codedContext) const;

  RegionLevels readLevels(RangeDecoder& coder, int codedContext, bool& coded);

 private:
  template <class Coder>
  static bool writeLevels(Coder& coder, RegionModels& m, const RegionLevels& levels,
                          int codedContext) {
    int last = -1;
    for (int i = 1; i < kRegionArea; ++i)
      if (levels[std::size_t(zigzag<kRegionSide>()[std::size_t(i)])] != 0) last = i;
    coder.encode(m.coded[codedContext], last >= 0);
    if (last < 0) return false;
    m.last.encode(coder, unsigned(last - 1));
    RecentLevels recent;
    for (int i = 1; i <= last; ++i) {
      const int level = levels[std::size_t(zigzag<kRegionSide>()[std::size_t(i)])];
      if (i < last) coder.encode(m.significant[regionBand(i)][recent.count()], level != 0);
      if (level != 0)
        writeSize(coder, m.aboveOne[regionSizeBand(i)][recent.count()],
                  m.aboveTwo[regionSizeBand(i)][recent.count()], m.prefix, level);
      recent.push(level != 0);
    }
    return true;
  }

  RegionModels models_;
  CodedNeighbours merged_;
};

// What a layout's squares may say beyond their levels, and how the levels
// are coded.
struct DetailFeatures {
  // Each square says whether it is drawn against its slope (from version 4).
  bool slopes = true;
  // Each square says whether it is copied (version 5 regions).
  bool copies = false;
  // Each that is not, and has neighbours above and left (`directable`),
  // says whether it carries their edges across it (version 6 regions);
  // such squares are never sloped.
  bool directions = false;
  // Levels in the contexts of the levels lower in frequency (version 7).
  bool byLower = false;
  // Each square neither copied nor directed says whether the luminance
  // shapes it (version 10 regions of a chroma plane with a luminance guide).
  bool lumaShapes = false;
  // Directed squares take any of the finer angles (version 11 regions).
  bool fineAngles = false;
};

// The features of a residual of `version` whose plane tiles into regions
// or not, and has a luminance guide (lumaGuide) or not.
inline DetailFeatures detailFeatures(int version, bool regions, bool guided = false) {
  return {version >= 4,
          regions && version >= 5,
          regions && version >= 6,
          version >= 7,
          regions && guided && version >= 10,
          regions && version >= 11};
}

// The levels of the squares in block order, with the contexts their
// neighbours give. Each square's detail is drawn flat or against its slope;
// files of version 3 drew all flat, said nothing of it, and coded the mean
// with the detail.
class DetailCoder {
 public:
  DetailCoder(int across, const DetailFeatures& features)
      : coded_(across),
        sloped_(across),
        copied_(across),
        directed_(across),
        shaped_(across),
        features_(features) {}

  template <class Coder>
  void write(Coder& coder, const Levels& levels, bool sloped, int bx, const CopyFrom& copy = {},
             bool directable = false) {
    if (features_.copies) {
      coder.encode(models_.copied[copied_.context(bx)], copy.on);
      copied_.set(bx, copy.on);
      if (copy.on) {
        coder.encodeDirect(std::uint32_t(copy.dx + kCopyReach), kCopyBits);
        coder.encodeDirect(std::uint32_t(copy.dy + kCopyReach), kCopyBits);
      }
    }
    if (features_.directions && directable && !copy.on) {
      coder.encode(models_.directed[directed_.context(bx)], copy.direction != 0);
      if (copy.direction != 0) writeDirection(coder, copy.direction - 1);
    }
    directed_.set(bx, copy.direction != 0);
    if (features_.lumaShapes && !copy.on && copy.direction == 0) {
      coder.encode(models_.shaped[shaped_.context(bx)], copy.lumaScale != 0);
      if (copy.lumaScale != 0) models_.lumaScale.encode(coder, unsigned(copy.lumaScale - 1));
    }
    shaped_.set(bx, copy.lumaScale != 0);
    if (features_.slopes && !copy.drawnOn())
      coder.encode(models_.sloped[sloped_.context(bx)], sloped);
    sloped_.set(bx, sloped);
    coded_.set(bx, writeBlock(coder, models_, levels, coded_.context(bx), features_.byLower));
  }

  // The bits the square would cost, leaving the contexts as they are.
  float bits(const Levels& levels, bool sloped, int bx, const CopyFrom& copy = {},
             bool directable = false) const;

  // A merged region whose top-left square is in column `bx`: one sloped
  // bit for its squares, then its spectrum; its squares count as coded and
  // sloped as it is.
  template <class Coder>
  void writeRegion(Coder& coder, RegionCoder& regions, const RegionLevels& levels, bool sloped,
                   int bx) {
    coder.encode(models_.sloped[sloped_.context(bx)], sloped);
    learnRegion(bx, sloped, regions.writeLevels(coder, levels, coded_.context(bx)));
  }
  RegionLevels readRegion(RangeDecoder& coder, RegionCoder& regions, bool& sloped, int bx);
  float slopedBits(bool sloped, int bx) const;
  int codedContext(int bx) const { return coded_.context(bx); }

  Levels read(RangeDecoder& coder, bool& sloped, int bx, CopyFrom& copy, bool directable = false);

 private:
  template <class Coder>
  void writeDirection(Coder& coder, int direction) {
    if (features_.fineAngles) {
      models_.fineDirection.encode(coder, unsigned(direction));
      return;
    }
    const int coarse = toCoarse(direction);
    if (coarse < 0) throw std::logic_error("the finer angles need version 11");
    models_.direction.encode(coder, unsigned(coarse));
  }
  int readDirection(RangeDecoder& coder);

  void learnRegion(int bx, bool sloped, bool coded) {
    for (int x : {bx, bx + 1}) {
      sloped_.set(x, sloped);
      coded_.set(x, coded);
      copied_.set(x, false);
      directed_.set(x, false);
      shaped_.set(x, false);
    }
  }

  ResidualModels models_;
  CodedNeighbours coded_, sloped_, copied_, directed_, shaped_;
  DetailFeatures features_;
};

// The contexts of the means in files from version 6: by how far the
// squares left and above missed their forecasts, and the sign by which way.
struct MissModels {
  static constexpr int kSpans = 5, kWays = 9;
  BitModel significant[kSpans], aboveOne[kSpans], aboveTwo[kSpans];
  BitModel prefix[kLongestPrefix + 1];
  BitModel sign[kWays];
};

// The contexts of a mean's miss from the misses left of and above it: how
// far they missed, and which way.
inline int missSpan(int left, int above) {
  const int span = std::abs(left) + std::abs(above);
  return span < 3 ? span : span < 5 ? 3 : 4;
}
inline int missWay(int left, int above) {
  const auto way = [](int miss) { return miss < 0 ? 0 : miss == 0 ? 1 : 2; };
  return 3 * way(left) + way(above);
}

// The squares' mean levels in block order, each less its forecast, in the
// context of how many of the squares left and above missed theirs, or (with
// `bySpan`, files from version 6) of how far and which way.
class MeanCoder {
 public:
  explicit MeanCoder(int across, bool bySpan = false, const ForecastTaps& taps = kCornerRule,
                     std::vector<int> terms = {})
      : forecasts_(across, true, taps, std::move(terms)),
        missed_(across),
        misses_(std::size_t(across), 0),
        bySpan_(bySpan) {}

  int forecast(int bx, int by) const { return forecasts_.forecast(bx, by); }

  template <class Coder>
  void write(Coder& coder, int level, int bx, int by) {
    const int difference = level - forecast(bx, by);
    if (bySpan_) {
      const int span = spanContext(bx, by);
      coder.encode(spans_.significant[span], difference != 0);
      if (difference != 0)
        writeSize(coder, spans_.aboveOne[span], spans_.aboveTwo[span], spans_.prefix, difference,
                  &spans_.sign[wayContext(bx, by)]);
    } else {
      const int context = missed_.context(bx);
      coder.encode(models_.significant[0][context], difference != 0);
      if (difference != 0) writeLevel(coder, models_, 0, context, difference);
    }
    learn(level, difference, bx);
  }

  // The bits the level would cost, leaving the contexts as they are.
  float bits(int level, int bx, int by) const;

  int read(RangeDecoder& coder, int bx, int by);

 private:
  void learn(int level, int difference, int bx) {
    missed_.set(bx, difference != 0);
    misses_[std::size_t(bx)] = difference;
    forecasts_.set(bx, level);
  }
  // The misses of the squares left of and above square (bx, by).
  int missLeft(int bx) const { return bx > 0 ? misses_[std::size_t(bx - 1)] : 0; }
  int missAbove(int bx, int by) const { return by > 0 ? misses_[std::size_t(bx)] : 0; }
  int spanContext(int bx, int by) const { return missSpan(missLeft(bx), missAbove(bx, by)); }
  int wayContext(int bx, int by) const { return missWay(missLeft(bx), missAbove(bx, by)); }

  ResidualModels models_;
  MissModels spans_;
  MeanForecast forecasts_;
  CodedNeighbours missed_;
  // Entries left of the square being coded already belong to its own row.
  std::vector<int> misses_;
  bool bySpan_;
};

}  // namespace fif
