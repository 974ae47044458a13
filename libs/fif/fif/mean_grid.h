#pragma once

#include <vector>

#include "fif/level_coding.h"
#include "fif/range_coder.h"
#include "fif/residual.h"

// The squares' means of a plane that tiles into blocks of kMeanBlockSide x
// kMeanBlockSide squares (version 8), block by block: each block either its
// squares' own mean levels, each foretold from the means decoded around it,
// or the cosine spectrum of its squares' means. Smooth ground costs a few
// levels a block that way, and its means come out finer than a level; busy
// ground keeps means of its own.
namespace fif {

using MeanBlockLevels = std::array<int, kMeanBlockArea>;

class MeanGridCoder {
 public:
  // `terms`, row by row, are added to the squares' own forecasts (none if
  // empty).
  MeanGridCoder(int across, int down, const ForecastTaps& taps, std::vector<int> terms = {});

  // Squares come in rows, each from the left; a block says whether it is a
  // spectrum at its top-left square, and a spectral block's other squares
  // are then known.
  template <class Coder>
  void writeSpectral(Coder& coder, bool spectral, int bx) {
    coder.encode(models_.spectral[spectral_.context(bx)], spectral);
    spectral_.set(bx, spectral);
    if (!spectral) coded_.set(bx, false);
  }
  bool readSpectral(RangeDecoder& coder, int bx);

  // A square's own level.
  int forecast(int x, int y) const;
  template <class Coder>
  void writeSquare(Coder& coder, int level, int x, int y) {
    const int miss = level - forecast(x, y);
    writeMiss(coder, models_.squares, spanContext(x, y), wayContext(x, y), miss);
    keepSquare(x, y, float(level), miss);
  }
  int readSquare(RangeDecoder& coder, int x, int y);

  // A block's spectrum (levels in the squares' mean levels; index
  // kMeanBlockSide v + u), its mean level foretold from the blocks around.
  int blockForecast(int bx, int by) const;
  template <class Coder>
  void writeSpectrum(Coder& coder, const MeanBlockLevels& levels, int bx, int by) {
    writeMiss(coder, models_.blockMeans, 0, 4, levels[0] - blockForecast(bx, by));
    writeDetail(coder, models_, coded_, levels, bx);
    keepSpectrum(levels, bx, by);
  }
  MeanBlockLevels readSpectrum(RangeDecoder& coder, int bx, int by);

  // The bits a square's level or a block's spectrum would cost, leaving the
  // contexts as they are.
  float squareBits(int level, int x, int y) const;
  float spectrumBits(const MeanBlockLevels& levels, int bx, int by) const;

  // Makes room for the row of blocks that begins at square row `y`: the
  // grid grows as it is read, so a file claiming a huge plane stops at its
  // real end.
  void openBlockRow(int y);

  // Each square's mean level as drawn so far, row by row.
  const std::vector<float>& drawn() const { return drawn_; }

 private:
  struct Models {
    BitModel spectral[3];
    MissModels squares, blockMeans;
    BitModel coded[3];
    SymbolModel<4> last;  // less one: the block's mean is coded on its own
    BitModel significant[kMeanBlockArea][3];
    BitModel aboveOne[kMeanBlockArea][3], aboveTwo[kMeanBlockArea][3];
    BitModel prefix[kLongestPrefix + 1];
  };

  template <class Coder>
  static void writeMiss(Coder& coder, MissModels& set, int span, int way, int miss) {
    coder.encode(set.significant[span], miss != 0);
    if (miss != 0)
      writeSize(coder, set.aboveOne[span], set.aboveTwo[span], set.prefix, miss, &set.sign[way]);
  }
  static int readMiss(RangeDecoder& coder, MissModels& set, int span, int way);

  template <class Coder>
  static void writeDetail(Coder& coder, Models& models, CodedNeighbours& codedBlocks,
                          const MeanBlockLevels& levels, int bx) {
    int last = 0;
    for (int i = 1; i < kMeanBlockArea; ++i)
      if (levels[std::size_t(zigzag<kMeanBlockSide>()[std::size_t(i)])] != 0) last = i;
    coder.encode(models.coded[codedBlocks.context(bx)], last > 0);
    codedBlocks.set(bx, last > 0);
    if (last == 0) return;
    models.last.encode(coder, unsigned(last - 1));
    RecentLevels recent;
    for (int i = 1; i <= last; ++i) {
      const int level = levels[std::size_t(zigzag<kMeanBlockSide>()[std::size_t(i)])];
      if (i < last) coder.encode(models.significant[i][recent.count()], level != 0);
      if (level != 0)
        writeSize(coder, models.aboveOne[i][recent.count()], models.aboveTwo[i][recent.count()],
                  models.prefix, level);
      recent.push(level != 0);
    }
  }

  int level(int x, int y) const;
  int fromNeighbours(int x, int y) const;
  // The miss of square (x, y), 0 outside the plane.
  int missAt(int x, int y) const;
  int spanContext(int x, int y) const;
  int wayContext(int x, int y) const;
  void keepSquare(int x, int y, float level, int miss);
  void keepSpectrum(const MeanBlockLevels& levels, int bx, int by);

  int across_, down_;
  ForecastTaps taps_;
  std::vector<int> terms_;
  std::vector<float> drawn_;
  std::vector<int> misses_;
  Models models_;
  CodedNeighbours spectral_, coded_;
};

}  // namespace fif
