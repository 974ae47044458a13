#include "fif/residual.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <stdexcept>

#include "fif/format.h"

namespace fif {

namespace {

constexpr int kStepBits = 10;
// Levels beyond 2 are coded as an exponential-Golomb number; a prefix this
// long could only come from a damaged file.
constexpr int kLongestPrefix = 15;
constexpr int kLargestLevel = 32767;

template <int N>
using SquareOf = std::array<float, std::size_t(N* N)>;
template <int N>
using MatrixOf = std::array<std::array<float, std::size_t(N)>, std::size_t(N)>;

using Block = SquareOf<kResidualSide>;
using Matrix = MatrixOf<kResidualSide>;
using RegionBlock = SquareOf<kRegionSide>;

// The orthonormal cosine basis: row u holds frequency u at the N samples.
template <int N = kResidualSide>
const MatrixOf<N>& basis() {
  static const MatrixOf<N> table = [] {
    MatrixOf<N> t{};
    for (int u = 0; u < N; ++u) {
      const double weight = std::sqrt((u == 0 ? 1.0 : 2.0) / N);
      for (int n = 0; n < N; ++n)
        t[std::size_t(u)][std::size_t(n)] =
            float(weight * std::cos((2 * n + 1) * u * std::numbers::pi / (2 * N)));
    }
    return t;
  }();
  return table;
}

// The basis turned over, which takes spectra back to samples.
template <int N = kResidualSide>
const MatrixOf<N>& inverseBasis() {
  static const MatrixOf<N> table = [] {
    MatrixOf<N> t{};
    for (int u = 0; u < N; ++u)
      for (int n = 0; n < N; ++n)
        t[std::size_t(n)][std::size_t(u)] = basis<N>()[std::size_t(u)][std::size_t(n)];
    return t;
  }();
  return table;
}

// Takes each row of the block through `m` and turns the result over, so a
// second pass takes the columns through it.
template <int N>
SquareOf<N> passAndTurn(const SquareOf<N>& in, const MatrixOf<N>& m) {
  SquareOf<N> out{};
  for (int r = 0; r < N; ++r)
    for (int k = 0; k < N; ++k) {
      float sum = 0;
      for (int j = 0; j < N; ++j)
        sum += m[std::size_t(k)][std::size_t(j)] * in[std::size_t(r * N + j)];
      out[std::size_t(k * N + r)] = sum;
    }
  return out;
}

template <int N>
SquareOf<N> transform(const SquareOf<N>& in, const MatrixOf<N>& m) {
  return passAndTurn<N>(passAndTurn<N>(in, m), m);
}

// Low frequencies first, so a block's last non-zero level comes early.
template <int N = kResidualSide>
const std::array<int, std::size_t(N* N)>& zigzag() {
  static const auto order = [] {
    std::array<int, std::size_t(N * N)> o{};
    int i = 0;
    for (int sum = 0; sum < 2 * N - 1; ++sum)
      for (int k = 0; k <= sum; ++k) {
        const int a = sum % 2 ? k : sum - k;
        const int b = sum - a;
        if (a < N && b < N) o[std::size_t(i++)] = a * N + b;
      }
    return o;
  }();
  return order;
}

// The adaptive contexts of one plane's residual.
struct ResidualModels {
  BitModel coded[3];  // by how many of the blocks left and above are coded
  SymbolModel<6> last;
  // By position and by how many of the two levels before it are non-zero.
  BitModel significant[kResidualArea][3];
  BitModel aboveOne[16][3], aboveTwo[16][3];
  BitModel prefix[kLongestPrefix + 1];
  BitModel sloped[3];  // by how many of the blocks left and above are sloped
  BitModel copied[3];  // by how many of the blocks left and above are copied
};

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

int band(int position) { return std::min(position, 15); }

// The mean level of a square is foretold from the squares left, above and
// above left of it: a smooth picture keeps it near them, and the corner
// tells a slope from an edge. Files of version 3 took the mean of the left
// and above ones.
class MeanForecast {
 public:
  MeanForecast(int across, bool byCorner) : above_(std::size_t(across), 0), byCorner_(byCorner) {}
  int forecast(int x, int y) const {
    if (x > 0 && y > 0 && !byCorner_)
      return (above_[std::size_t(x)] + above_[std::size_t(x - 1)]) / 2;
    if (x > 0 && y > 0) {
      const int left = above_[std::size_t(x - 1)], above = above_[std::size_t(x)];
      const int low = std::min(left, above), high = std::max(left, above);
      if (corner_ >= high) return low;
      if (corner_ <= low) return high;
      return left + above - corner_;
    }
    if (x > 0) return above_[std::size_t(x - 1)];
    return y > 0 ? above_[std::size_t(x)] : 0;
  }
  // Entries left of the square being coded already belong to its own row.
  void set(int x, int level) {
    corner_ = above_[std::size_t(x)];
    above_[std::size_t(x)] = level;
  }

 private:
  std::vector<int> above_;
  int corner_ = 0;  // the row above's entry left of the next square
  bool byCorner_;
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

// A non-zero level's size and sign.
template <class Coder>
void writeSize(Coder& coder, BitModel& aboveOne, BitModel& aboveTwo, BitModel* prefix, int level) {
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
  coder.encodeDirect(level < 0 ? 1 : 0, 1);
}

int readSize(RangeDecoder& coder, BitModel& aboveOne, BitModel& aboveTwo, BitModel* prefix) {
  int magnitude = 1;
  if (coder.decode(aboveOne)) {
    magnitude = 2;
    if (coder.decode(aboveTwo)) {
      int length = 0;
      while (length < kLongestPrefix && coder.decode(prefix[length])) ++length;
      const unsigned size = (1u << length) + coder.decodeDirect(length) + 2;
      if (size > unsigned(kLargestLevel))
        throw FormatError(FormatFault::Corrupt, "a residual level is too large");
      magnitude = int(size);
    }
  }
  return coder.decodeDirect(1) ? -magnitude : magnitude;
}

template <class Coder>
void writeLevel(Coder& coder, ResidualModels& m, int position, int recent, int level) {
  writeSize(coder, m.aboveOne[band(position)][recent], m.aboveTwo[band(position)][recent], m.prefix,
            level);
}

using Levels = std::array<int, kResidualArea>;

// Codes one square's levels (its detail; in version 3 its mean less the
// forecast too); returns whether any level was coded.
template <class Coder>
bool writeBlock(Coder& coder, ResidualModels& m, const Levels& levels, int codedContext) {
  int last = -1;
  for (int i = 0; i < kResidualArea; ++i)
    if (levels[std::size_t(zigzag()[std::size_t(i)])] != 0) last = i;
  coder.encode(m.coded[codedContext], last >= 0);
  if (last < 0) return false;
  m.last.encode(coder, unsigned(last));
  RecentLevels recent;
  for (int i = 0; i <= last; ++i) {
    const int level = levels[std::size_t(zigzag()[std::size_t(i)])];
    if (i < last) coder.encode(m.significant[i][recent.count()], level != 0);
    if (level != 0) writeLevel(coder, m, i, recent.count(), level);
    recent.push(level != 0);
  }
  return true;
}

int readLevel(RangeDecoder& coder, ResidualModels& m, int position, int recent) {
  return readSize(coder, m.aboveOne[band(position)][recent], m.aboveTwo[band(position)][recent],
                  m.prefix);
}

Block squareOf(const std::vector<float>& plane, int width, int bx, int by) {
  Block pixels{};
  for (int y = 0; y < kResidualSide; ++y)
    for (int x = 0; x < kResidualSide; ++x)
      pixels[std::size_t(y * kResidualSide + x)] =
          plane[std::size_t(by * kResidualSide + y) * std::size_t(width) +
                std::size_t(bx * kResidualSide + x)];
  return pixels;
}

int nearestLevel(float value, float step) {
  const int level = std::min(kLargestLevel, int(std::fabs(value) / step + 0.5f));
  return value < 0 ? -level : level;
}

float squaredError(const Block& spectrum, const Levels& levels, float step) {
  float sum = 0;
  for (int i = 1; i < kResidualArea; ++i) {
    const float d = spectrum[std::size_t(i)] - float(levels[std::size_t(i)]) * step;
    sum += d * d;
  }
  return sum;
}

// A copied square's source lies up to this many pixels away each way, the
// offset in plain bits.
constexpr int kCopyReach = 32, kCopyBits = 6;

// A neighbouring square's mean further off than this, in steps, is taken for
// an edge rather than a slope.
constexpr float kSlopeLimitSteps = 4.0f;

// The mean of each square as the picture will show it.
class SquareMeans {
 public:
  SquareMeans(int width, int height, const std::vector<int>& levels, float step)
      : across_(width / kResidualSide),
        down_(height / kResidualSide),
        limit_(kSlopeLimitSteps * step),
        means_(levels.size()) {
    for (std::size_t at = 0; at < levels.size(); ++at)
      means_[at] = float(levels[at]) * step / kResidualSide;
  }

  // The slope the means around the square draw through it, bilinear between
  // the squares' centres, less its own mean.
  Block slope(int bx, int by) const {
    const float own = mean(bx, by, bx, by);
    Block surface{};
    float total = 0;
    for (int y = 0; y < kResidualSide; ++y)
      for (int x = 0; x < kResidualSide; ++x) {
        const float dx = (float(x) - 3.5f) / kResidualSide, dy = (float(y) - 3.5f) / kResidualSide;
        const int nx = bx + (dx < 0 ? -1 : 1), ny = by + (dy < 0 ? -1 : 1);
        const float tx = std::fabs(dx), ty = std::fabs(dy);
        const float value = (1 - tx) * (1 - ty) * own + tx * (1 - ty) * mean(bx, by, nx, by) +
                            (1 - tx) * ty * mean(bx, by, bx, ny) + tx * ty * mean(bx, by, nx, ny);
        surface[std::size_t(y * kResidualSide + x)] = value;
        total += value;
      }
    for (float& v : surface) v -= total / kResidualArea;
    return surface;
  }

 private:
  // The mean of square (x, y) as seen from square (ox, oy): its own where the
  // other is outside the plane or across an edge.
  float mean(int ox, int oy, int x, int y) const {
    const float own = means_[std::size_t(oy * across_ + ox)];
    if (x < 0 || y < 0 || x >= across_ || y >= down_) return own;
    const float other = means_[std::size_t(y * across_ + x)];
    return std::fabs(other - own) > limit_ ? own : other;
  }

  int across_, down_;
  float limit_;
  std::vector<float> means_;
};

// A merged region's levels, with contexts of their own: its spectrum is
// finer than a square's, so a position is told more apart early on and
// less further out.
constexpr int kRegionBands = 60;
constexpr int kRichestRegion = 64;
int regionBand(int position) {
  return position < 32 ? position : std::min(32 + (position - 32) / 8, kRegionBands - 1);
}
int regionSizeBand(int position) { return std::min(position / 4, 15); }

using RegionLevels = std::array<int, kRegionArea>;

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
  bool readMerged(RangeDecoder& coder, int rx) {
    const bool merged = coder.decode(models_.merged[merged_.context(rx)]);
    merged_.set(rx, merged);
    return merged;
  }

  // Codes the levels past position 0; returns whether any was coded.
  template <class Coder>
  bool writeLevels(Coder& coder, const RegionLevels& levels, int codedContext) {
    return writeLevels(coder, models_, levels, codedContext);
  }
  // The bits the levels would cost, leaving the contexts as they are.
  float bits(const RegionLevels& levels, int codedContext) const {
    RegionModels trial = models_;
    BitCounter counter;
    writeLevels(counter, trial, levels, codedContext);
    return counter.bits();
  }

  RegionLevels readLevels(RangeDecoder& coder, int codedContext, bool& coded) {
    RegionLevels levels{};
    coded = coder.decode(models_.coded[codedContext]);
    if (!coded) return levels;
    const int last = int(models_.last.decode(coder)) + 1;
    if (last >= kRegionArea)
      throw FormatError(FormatFault::Corrupt, "a region's spectrum is too long");
    RecentLevels recent;
    for (int i = 1; i <= last; ++i) {
      const bool significant =
          i == last || coder.decode(models_.significant[regionBand(i)][recent.count()]);
      if (significant)
        levels[std::size_t(zigzag<kRegionSide>()[std::size_t(i)])] =
            readSize(coder, models_.aboveOne[regionSizeBand(i)][recent.count()],
                     models_.aboveTwo[regionSizeBand(i)][recent.count()], models_.prefix);
      recent.push(significant);
    }
    return levels;
  }

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

// The levels of the squares in block order, with the contexts their
// neighbours give. Each square's detail is drawn flat or against its slope;
// files of version 3 drew all flat, said nothing of it, and coded the mean
// with the detail.
class DetailCoder {
 public:
  // With `copies` (version 5 regions), each square says whether it is
  // copied, and a copied square is never sloped.
  DetailCoder(int across, bool slopes, bool copies = false)
      : coded_(across), sloped_(across), copied_(across), slopes_(slopes), copies_(copies) {}

  template <class Coder>
  void write(Coder& coder, const Levels& levels, bool sloped, int bx, const CopyFrom& copy = {}) {
    if (copies_) {
      coder.encode(models_.copied[copied_.context(bx)], copy.on);
      copied_.set(bx, copy.on);
      if (copy.on) {
        coder.encodeDirect(std::uint32_t(copy.dx + kCopyReach), kCopyBits);
        coder.encodeDirect(std::uint32_t(copy.dy + kCopyReach), kCopyBits);
      }
    }
    if (slopes_ && !copy.on) coder.encode(models_.sloped[sloped_.context(bx)], sloped);
    sloped_.set(bx, sloped);
    coded_.set(bx, writeBlock(coder, models_, levels, coded_.context(bx)));
  }

  // The bits the square would cost, leaving the contexts as they are.
  float bits(const Levels& levels, bool sloped, int bx, const CopyFrom& copy = {}) const {
    DetailCoder trial = *this;
    BitCounter counter;
    trial.write(counter, levels, sloped, bx, copy);
    return counter.bits();
  }

  // A merged region whose top-left square is in column `bx`: one sloped
  // bit for its squares, then its spectrum; its squares count as coded and
  // sloped as it is.
  template <class Coder>
  void writeRegion(Coder& coder, RegionCoder& regions, const RegionLevels& levels, bool sloped,
                   int bx) {
    coder.encode(models_.sloped[sloped_.context(bx)], sloped);
    learnRegion(bx, sloped, regions.writeLevels(coder, levels, coded_.context(bx)));
  }
  RegionLevels readRegion(RangeDecoder& coder, RegionCoder& regions, bool& sloped, int bx) {
    sloped = coder.decode(models_.sloped[sloped_.context(bx)]);
    bool coded = false;
    const RegionLevels levels = regions.readLevels(coder, coded_.context(bx), coded);
    learnRegion(bx, sloped, coded);
    return levels;
  }
  float slopedBits(bool sloped, int bx) const {
    BitModel model = models_.sloped[sloped_.context(bx)];
    BitCounter counter;
    counter.encode(model, sloped);
    return counter.bits();
  }
  int codedContext(int bx) const { return coded_.context(bx); }

  Levels read(RangeDecoder& coder, bool& sloped, int bx, CopyFrom& copy) {
    copy = {};
    if (copies_) {
      copy.on = coder.decode(models_.copied[copied_.context(bx)]);
      copied_.set(bx, copy.on);
      if (copy.on) {
        copy.dx = std::int8_t(int(coder.decodeDirect(kCopyBits)) - kCopyReach);
        copy.dy = std::int8_t(int(coder.decodeDirect(kCopyBits)) - kCopyReach);
      }
    }
    sloped = slopes_ && !copy.on && coder.decode(models_.sloped[sloped_.context(bx)]);
    sloped_.set(bx, sloped);
    Levels levels{};
    const bool coded = coder.decode(models_.coded[coded_.context(bx)]);
    coded_.set(bx, coded);
    if (!coded) return levels;
    const int last = int(models_.last.decode(coder));
    RecentLevels recent;
    for (int i = 0; i <= last; ++i) {
      const bool significant = i == last || coder.decode(models_.significant[i][recent.count()]);
      if (significant)
        levels[std::size_t(zigzag()[std::size_t(i)])] =
            readLevel(coder, models_, i, recent.count());
      recent.push(significant);
    }
    return levels;
  }

 private:
  void learnRegion(int bx, bool sloped, bool coded) {
    for (int x : {bx, bx + 1}) {
      sloped_.set(x, sloped);
      coded_.set(x, coded);
      copied_.set(x, false);
    }
  }

  ResidualModels models_;
  CodedNeighbours coded_, sloped_, copied_;
  bool slopes_, copies_;
};

// From the nearest levels `chosen`: none at all where that costs less, then
// each level, last in coding order first, one step towards zero where the
// bits saved outweigh the error added. `best` is left at the cost kept.
template <int N, class Cost>
std::array<int, std::size_t(N* N)> cheapened(std::array<int, std::size_t(N* N)> chosen,
                                             const Cost& cost, float& best) {
  using Spectrum = std::array<int, std::size_t(N * N)>;
  best = cost(chosen);
  if (const float c = cost(Spectrum{}); c < best) {
    chosen = Spectrum{};
    best = c;
  }
  for (int i = N * N - 1; i > 0; --i) {
    const auto at = std::size_t(zigzag<N>()[std::size_t(i)]);
    if (chosen[at] == 0) continue;
    Spectrum trial = chosen;
    trial[at] -= chosen[at] > 0 ? 1 : -1;
    if (const float c = cost(trial); c < best) {
      chosen = trial;
      best = c;
    }
  }
  return chosen;
}

// Chooses a square's detail levels the way their coding will price them, both
// flat and against the slope, and keeps the cheaper: from the nearest levels,
// each, last in coding order first, drops one step towards zero when the bits
// saved outweigh the error added, and the square may keep no detail at all.
class LevelChooser {
 public:
  LevelChooser(int across, float rateWeight, bool copies = false)
      : coder_(across, true, copies), rateWeight_(rateWeight) {}

  // `cost`, when given, receives the chosen detail's error and bits.
  // With `copy` on, drawing the square on `copied` (the spectrum of what
  // the copy leaves) is weighed too, and `copy` comes back off unless kept.
  Levels choose(const Block& flat, const Block& againstSlope, float step, int bx, bool& sloped,
                float* cost = nullptr, const Block* copied = nullptr, CopyFrom* copy = nullptr) {
    float flatCost, slopeCost;
    const Levels flatLevels = chooseFor(flat, step, bx, false, flatCost);
    const Levels slopeLevels = chooseFor(againstSlope, step, bx, true, slopeCost);
    sloped = slopeCost < flatCost;
    Levels chosen = sloped ? slopeLevels : flatLevels;
    float best = std::min(flatCost, slopeCost);
    CopyFrom kept;
    if (copy && copy->on && copied) {
      float copyCost;
      const Levels copyLevels = chooseFor(*copied, step, bx, false, copyCost, *copy);
      if (copyCost < best) {
        chosen = copyLevels;
        best = copyCost;
        sloped = false;
        kept = *copy;
      }
    }
    if (copy) *copy = kept;
    if (cost) *cost = best;
    BitCounter counter;
    coder_.write(counter, chosen, sloped, bx, kept);
    return chosen;
  }

  // The same for a merged region's spectra (of what its squares' means, and
  // slopes, leave), its top-left square in column `bx`.
  RegionLevels chooseRegion(RegionCoder& regions, const RegionBlock& flat,
                            const RegionBlock& againstSlope, float step, int bx, bool& sloped,
                            float& cost) {
    float flatCost, slopeCost;
    const RegionLevels flatLevels = chooseRegionFor(regions, flat, step, bx, false, flatCost);
    const RegionLevels slopeLevels =
        chooseRegionFor(regions, againstSlope, step, bx, true, slopeCost);
    sloped = slopeCost < flatCost;
    cost = std::min(flatCost, slopeCost);
    BitCounter counter;
    coder_.writeRegion(counter, regions, sloped ? slopeLevels : flatLevels, sloped, bx);
    return sloped ? slopeLevels : flatLevels;
  }

 private:
  Levels chooseFor(const Block& spectrum, float step, int bx, bool sloped, float& best,
                   const CopyFrom& copy = {}) const {
    const auto cost = [&](const Levels& levels) {
      return squaredError(spectrum, levels, step) +
             rateWeight_ * step * step * coder_.bits(levels, sloped, bx, copy);
    };
    Levels chosen{};
    for (int i = 1; i < kResidualArea; ++i)
      chosen[std::size_t(i)] = nearestLevel(spectrum[std::size_t(i)], step);
    return cheapened<kResidualSide>(chosen, cost, best);
  }

  RegionLevels chooseRegionFor(const RegionCoder& regions, const RegionBlock& spectrum, float step,
                               int bx, bool sloped, float& best) const {
    const float slopedBits = coder_.slopedBits(sloped, bx);
    const int context = coder_.codedContext(bx);
    const auto cost = [&](const RegionLevels& levels) {
      float error = 0;
      for (int i = 0; i < kRegionArea; ++i) {
        const float d = spectrum[std::size_t(i)] - float(levels[std::size_t(i)]) * step;
        error += d * d;
      }
      return error + rateWeight_ * step * step * (slopedBits + regions.bits(levels, context));
    };
    RegionLevels chosen{};
    int nonZero = 0;
    for (int i = 1; i < kRegionArea; ++i) {
      chosen[std::size_t(i)] = nearestLevel(spectrum[std::size_t(i)], step);
      nonZero += chosen[std::size_t(i)] != 0;
    }
    // Detail this rich is cheaper in squares, and weighing it level by
    // level would cost the encoder most of its time.
    if (nonZero > kRichestRegion) {
      best = std::numeric_limits<float>::max();
      return RegionLevels{};
    }
    return cheapened<kRegionSide>(chosen, cost, best);
  }

  DetailCoder coder_;
  float rateWeight_;
};

// The squares' mean levels in block order, each less its forecast, in the
// context of how many of the squares left and above missed theirs.
class MeanCoder {
 public:
  explicit MeanCoder(int across) : forecasts_(across, true), missed_(across) {}

  int forecast(int bx, int by) const { return forecasts_.forecast(bx, by); }

  template <class Coder>
  void write(Coder& coder, int level, int bx, int by) {
    const int difference = level - forecast(bx, by), context = missed_.context(bx);
    coder.encode(models_.significant[0][context], difference != 0);
    if (difference != 0) writeLevel(coder, models_, 0, context, difference);
    learn(level, difference != 0, bx);
  }

  // The bits the level would cost, leaving the contexts as they are.
  float bits(int level, int bx, int by) const {
    MeanCoder trial = *this;
    BitCounter counter;
    trial.write(counter, level, bx, by);
    return counter.bits();
  }

  int read(RangeDecoder& coder, int bx, int by) {
    const int context = missed_.context(bx);
    const int difference =
        coder.decode(models_.significant[0][context]) ? readLevel(coder, models_, 0, context) : 0;
    const int level = forecast(bx, by) + difference;
    if (std::abs(level) > kLargestLevel)
      throw FormatError(FormatFault::Corrupt, "a residual level is too large");
    learn(level, difference != 0, bx);
    return level;
  }

 private:
  void learn(int level, bool missed, int bx) {
    missed_.set(bx, missed);
    forecasts_.set(bx, level);
  }

  ResidualModels models_;
  MeanForecast forecasts_;
  CodedNeighbours missed_;
};

// The mean levels, each the nearest or the forecast, whichever costs less.
std::vector<int> chooseMeans(const std::vector<float>& plane, int width, int height, float step,
                             float rateWeight) {
  std::vector<int> levels;
  MeanCoder coder(width / kResidualSide);
  for (int by = 0; by < height / kResidualSide; ++by)
    for (int bx = 0; bx < width / kResidualSide; ++bx) {
      float sum = 0;
      for (float v : squareOf(plane, width, bx, by)) sum += v;
      const float value = sum / kResidualSide;  // the spectrum's mean term
      const auto cost = [&](int level) {
        const float d = value - float(level) * step;
        return d * d + rateWeight * step * step * coder.bits(level, bx, by);
      };
      const int nearest = nearestLevel(value, step), forecast = coder.forecast(bx, by);
      const int level = cost(forecast) < cost(nearest) ? forecast : nearest;
      BitCounter counter;
      coder.write(counter, level, bx, by);
      levels.push_back(level);
    }
  return levels;
}

}  // namespace

namespace {

float meanOf(const Block& square) {
  float sum = 0;
  for (float v : square) sum += v;
  return sum / kResidualArea;
}

// Where the square `q` (0 to 3, rows first) of a region lies.
int squareColumn(int rx, int q) { return 2 * rx + (q & 1); }
int squareRow(int ry, int q) { return 2 * ry + (q >> 1); }

float squareMean(const float* plane, int paddedW, int bx, int by) {
  float sum = 0;
  for (int y = 0; y < kResidualSide; ++y)
    for (int x = 0; x < kResidualSide; ++x)
      sum += plane[std::ptrdiff_t(by * kResidualSide + y) * paddedW + bx * kResidualSide + x];
  return sum / kResidualArea;
}

// Whether square (bx, by) may be copied from `dx`, `dy` away: the source
// lies in the plane, in the regions decoded before the square's own.
bool copyable(int bx, int by, int dx, int dy, int paddedW) {
  const int sx = bx * kResidualSide + dx, sy = by * kResidualSide + dy;
  if (sx < 0 || sy < 0 || sx + kResidualSide > paddedW) return false;
  const int rowTop = (by / 2) * kRegionSide, regionLeft = (bx / 2) * kRegionSide;
  return sy + kResidualSide <= rowTop ||
         (sx + kResidualSide <= regionLeft && sy + kResidualSide <= rowTop + kRegionSide);
}

// Draws a square's levels (its mean at 0) over the blocks' picture in the
// plane: the blocks keep their shape and give up their mean for the
// square's own (unless `ownMeans` is false), or a copy takes their place.
void drawSquare(float* plane, int paddedW, int bx, int by, const Levels& own, float step,
                bool ownMeans, const Block& slope, const CopyFrom& copy) {
  Block spectrum{};
  for (int i = 0; i < kResidualArea; ++i)
    spectrum[std::size_t(i)] = float(own[std::size_t(i)]) * step;
  float* corner =
      plane + std::ptrdiff_t(by) * kResidualSide * paddedW + std::ptrdiff_t(bx) * kResidualSide;
  if (copy.on) {
    const float* source = corner + std::ptrdiff_t(copy.dy) * paddedW + copy.dx;
    Block from{};
    float sum = 0;
    for (int y = 0; y < kResidualSide; ++y)
      for (int x = 0; x < kResidualSide; ++x)
        sum += from[std::size_t(y * kResidualSide + x)] = source[std::ptrdiff_t(y) * paddedW + x];
    const Block pixels = transform<kResidualSide>(spectrum, inverseBasis());
    for (int y = 0; y < kResidualSide; ++y)
      for (int x = 0; x < kResidualSide; ++x)
        corner[std::ptrdiff_t(y) * paddedW + x] = from[std::size_t(y * kResidualSide + x)] -
                                                  sum / kResidualArea +
                                                  pixels[std::size_t(y * kResidualSide + x)];
    return;
  }
  if (ownMeans) spectrum[0] -= squareMean(plane, paddedW, bx, by) * kResidualSide;
  const Block pixels = transform<kResidualSide>(spectrum, inverseBasis());
  for (int y = 0; y < kResidualSide; ++y)
    for (int x = 0; x < kResidualSide; ++x)
      corner[std::ptrdiff_t(y) * paddedW + x] +=
          pixels[std::size_t(y * kResidualSide + x)] + slope[std::size_t(y * kResidualSide + x)];
}

void drawRegion(float* plane, int paddedW, int rx, int ry, const RegionLevels& own, float step) {
  RegionBlock spectrum{};
  for (int i = 1; i < kRegionArea; ++i)
    spectrum[std::size_t(i)] = float(own[std::size_t(i)]) * step;
  const RegionBlock pixels = transform<kRegionSide>(spectrum, inverseBasis<kRegionSide>());
  float* corner =
      plane + std::ptrdiff_t(ry) * kRegionSide * paddedW + std::ptrdiff_t(rx) * kRegionSide;
  for (int y = 0; y < kRegionSide; ++y)
    for (int x = 0; x < kRegionSide; ++x)
      corner[std::ptrdiff_t(y) * paddedW + x] += pixels[std::size_t(y * kRegionSide + x)];
}

// The offset whose source, its own mean taken out, is nearest the square's
// pixels less theirs; off when none is allowed.
CopyFrom nearestCopy(const std::vector<float>& decoded, const Block& own, int paddedW, int bx,
                     int by) {
  CopyFrom best;
  float nearest = std::numeric_limits<float>::max();
  const auto weigh = [&](int dx, int dy) {
    if (dx < -kCopyReach || dx >= kCopyReach || dy < -kCopyReach || dy >= kCopyReach ||
        !copyable(bx, by, dx, dy, paddedW))
      return;
    const float* source = decoded.data() + std::ptrdiff_t(by * kResidualSide + dy) * paddedW +
                          bx * kResidualSide + dx;
    float sum = 0, squares = 0;
    for (int y = 0; y < kResidualSide; ++y)
      for (int x = 0; x < kResidualSide; ++x) {
        const float d =
            own[std::size_t(y * kResidualSide + x)] - source[std::ptrdiff_t(y) * paddedW + x];
        sum += d;
        squares += d * d;
      }
    if (const float error = squares - sum * sum / kResidualArea; error < nearest) {
      nearest = error;
      best = {true, std::int8_t(dx), std::int8_t(dy)};
    }
  };
  // Every other offset, then the ones around the nearest of those: a
  // quarter of the work for nearly the same copies.
  for (int dy = -kCopyReach; dy < kCopyReach; dy += 2)
    for (int dx = -kCopyReach; dx < kCopyReach; dx += 2) weigh(dx, dy);
  if (!best.on) return best;
  const CopyFrom coarse = best;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (dx != 0 || dy != 0) weigh(coarse.dx + dx, coarse.dy + dy);
  return best;
}

}  // namespace

bool regionsTile(int paddedW, int paddedH) {
  return paddedW % kRegionSide == 0 && paddedH % kRegionSide == 0;
}

Residual quantiseResidual(const std::vector<float>& original, const std::vector<float>& predicted,
                          int width, int height, int stepCode, float rateWeight, bool merges) {
  Residual residual;
  residual.stepCode = stepCode;
  if (stepCode == 0) return residual;
  const float step = residual.step();
  std::vector<float> difference(original.size());
  for (std::size_t i = 0; i < original.size(); ++i) difference[i] = original[i] - predicted[i];
  const int across = width / kResidualSide;
  // The squares' means are the picture's own: the blocks give only the
  // shape inside them.
  const std::vector<int> means = chooseMeans(original, width, height, step, rateWeight);
  const SquareMeans shown(width, height, means, step);
  const bool byRegions = merges && regionsTile(width, height);
  LevelChooser chooser(across, rateWeight, byRegions);
  const auto squareDetail = [&](int bx, int by, Block& againstSlope) {
    const Block detail = squareOf(difference, width, bx, by);
    againstSlope = detail;
    const Block slope = shown.slope(bx, by);
    for (int i = 0; i < kResidualArea; ++i) againstSlope[std::size_t(i)] -= slope[std::size_t(i)];
    return detail;
  };
  if (byRegions) {
    const float price = rateWeight * step * step;
    RegionCoder regions(across / 2);
    // The picture as decoded so far, which copies draw on.
    std::vector<float> decoded = predicted;
    for (int ry = 0; ry < height / kRegionSide; ++ry)
      for (int rx = 0; rx < across / 2; ++rx) {
        // Four squares of their own, each square's mean error counted too.
        LevelChooser four = chooser;
        RegionCoder fourRegions = regions;
        BitCounter fourBits;
        fourRegions.writeMerged(fourBits, false, rx);
        float fourCost = price * fourBits.bits();
        std::array<Levels, 4> levels;
        std::array<bool, 4> sloped;
        std::array<CopyFrom, 4> copies;
        // One spectrum over what the squares' means, and slopes, leave.
        RegionBlock flat{}, againstSlopes{};
        for (int q = 0; q < 4; ++q) {
          const int bx = squareColumn(rx, q), by = squareRow(ry, q);
          Block againstSlope;
          const Block detail = squareDetail(bx, by, againstSlope);
          float cost = 0;
          CopyFrom& copy = copies[std::size_t(q)];
          Block copied{};
          if (const Block own = squareOf(original, width, bx, by);
              (copy = nearestCopy(decoded, own, width, bx, by)).on) {
            const float* source = decoded.data() +
                                  std::ptrdiff_t(by * kResidualSide + copy.dy) * width +
                                  bx * kResidualSide + copy.dx;
            for (int i = 0; i < kResidualArea; ++i)
              copied[std::size_t(i)] =
                  own[std::size_t(i)] -
                  source[std::ptrdiff_t(i / kResidualSide) * width + i % kResidualSide];
            copied = transform<kResidualSide>(copied, basis());
          }
          levels[std::size_t(q)] =
              four.choose(transform<kResidualSide>(detail, basis()),
                          transform<kResidualSide>(againstSlope, basis()), step, bx,
                          sloped[std::size_t(q)], &cost, &copied, &copy);
          const int mean = means[std::size_t(by * across + bx)];
          const float shownMean = float(mean) * step / kResidualSide;
          const float meanError = meanOf(squareOf(original, width, bx, by)) - shownMean;
          fourCost += cost + kResidualArea * meanError * meanError;
          const float lift = meanOf(squareOf(predicted, width, bx, by)) - shownMean;
          for (int y = 0; y < kResidualSide; ++y)
            for (int x = 0; x < kResidualSide; ++x) {
              const auto from = std::size_t(y * kResidualSide + x);
              const auto to = std::size_t((y + (q >> 1) * kResidualSide) * kRegionSide + x +
                                          (q & 1) * kResidualSide);
              flat[to] = detail[from] + lift;
              againstSlopes[to] = againstSlope[from] + lift;
            }
        }
        LevelChooser one = chooser;
        RegionCoder oneRegions = regions;
        BitCounter oneBits;
        oneRegions.writeMerged(oneBits, true, rx);
        bool regionSloped = false;
        float oneCost = 0;
        const RegionLevels regionLevels =
            one.chooseRegion(oneRegions, transform<kRegionSide>(flat, basis<kRegionSide>()),
                             transform<kRegionSide>(againstSlopes, basis<kRegionSide>()), step,
                             2 * rx, regionSloped, oneCost);
        oneCost += price * oneBits.bits();
        const bool merged = oneCost < fourCost;
        chooser = merged ? one : four;
        regions = merged ? oneRegions : fourRegions;
        for (int q = 0; q < 4; ++q) {
          const int bx = squareColumn(rx, q), by = squareRow(ry, q);
          const auto square = std::size_t(by * across + bx);
          Levels own = merged ? Levels{} : levels[std::size_t(q)];
          own[0] = means[square];
          const bool isSloped = merged ? regionSloped : sloped[std::size_t(q)];
          const CopyFrom copy = merged ? CopyFrom{} : copies[std::size_t(q)];
          residual.add(square, own, isSloped);
          if (copy.on) residual.setCopy(square, copy);
          drawSquare(decoded.data(), width, bx, by, own, step, true,
                     isSloped ? shown.slope(bx, by) : Block{}, copy);
        }
        if (merged) {
          residual.addRegion(std::size_t(ry * (across / 2) + rx), regionLevels);
          drawRegion(decoded.data(), width, rx, ry, regionLevels, step);
        }
      }
    residual.sortSquares();
    return residual;
  }
  for (int by = 0; by < height / kResidualSide; ++by)
    for (int bx = 0; bx < across; ++bx) {
      Block againstSlope;
      const Block detail = squareDetail(bx, by, againstSlope);
      bool sloped = false;
      Levels levels =
          chooser.choose(transform<kResidualSide>(detail, basis()),
                         transform<kResidualSide>(againstSlope, basis()), step, bx, sloped);
      levels[0] = means[std::size_t(by * across + bx)];
      residual.add(std::size_t(by * across + bx), levels, sloped);
    }
  return residual;
}

namespace {

// Where a square, counted in block order, lies among the squares.
int column(std::size_t square, int across) { return int(square % std::size_t(across)); }
int row(std::size_t square, int across) { return int(square / std::size_t(across)); }

void stopIfCutShort(const RangeDecoder& coder) {
  if (coder.overrun()) throw FormatError(FormatFault::Corrupt, "the residual is cut short");
}

// Walks non-zero levels (of squares, or of merged regions) one square or
// region at a time, in order.
template <class Levels>
class LevelWalk {
 public:
  explicit LevelWalk(const std::vector<Coefficient>& coefficients)
      : next_(coefficients.begin()), end_(coefficients.end()) {}
  Levels of(std::size_t block) {
    Levels levels{};
    for (; next_ != end_ && next_->block == block; ++next_) levels[next_->index] = next_->level;
    return levels;
  }

 private:
  std::vector<Coefficient>::const_iterator next_, end_;
};

using SquareLevels = LevelWalk<Levels>;
using MergedLevels = LevelWalk<RegionLevels>;

}  // namespace

void writeResidual(RangeEncoder& coder, const Residual& residual, int paddedW, int paddedH,
                   int version) {
  coder.encodeDirect(std::uint32_t(residual.stepCode), kStepBits);
  if (residual.stepCode == 0) return;
  const int across = paddedW / kResidualSide;
  const std::size_t squares = std::size_t(across) * std::size_t(paddedH / kResidualSide);
  // The means first: the detail of each square is drawn against the slope
  // its neighbours' means make.
  MeanCoder means(across);
  SquareLevels meanLevels(residual.coefficients);
  for (std::size_t square = 0; square < squares; ++square)
    means.write(coder, meanLevels.of(square)[0], column(square, across), row(square, across));
  const bool byRegions = version >= 5 && regionsTile(paddedW, paddedH);
  DetailCoder details(across, true, byRegions);
  SquareLevels detailLevels(residual.coefficients);
  if (byRegions) {
    // Region by region, each region's squares rows first.
    std::vector<Levels> ofSquare(squares);
    for (std::size_t square = 0; square < squares; ++square) {
      ofSquare[square] = detailLevels.of(square);
      ofSquare[square][0] = 0;
    }
    const int regionsAcross = across / 2;
    RegionCoder regions(regionsAcross);
    MergedLevels merged(residual.regionCoefficients);
    for (int ry = 0; ry < paddedH / kRegionSide; ++ry)
      for (int rx = 0; rx < regionsAcross; ++rx) {
        const auto region = std::size_t(ry * regionsAcross + rx);
        const bool isMerged = residual.mergedAt(region);
        regions.writeMerged(coder, isMerged, rx);
        if (isMerged) {
          const auto corner = std::size_t(squareRow(ry, 0) * across + squareColumn(rx, 0));
          details.writeRegion(coder, regions, merged.of(region), residual.slopedAt(corner), 2 * rx);
          continue;
        }
        for (int q = 0; q < 4; ++q) {
          const auto square = std::size_t(squareRow(ry, q) * across + squareColumn(rx, q));
          details.write(coder, ofSquare[square], residual.slopedAt(square), squareColumn(rx, q),
                        residual.copyAt(square));
        }
      }
    return;
  }
  if (std::find(residual.merged.begin(), residual.merged.end(), true) != residual.merged.end() ||
      std::find_if(residual.copies.begin(), residual.copies.end(),
                   [](const CopyFrom& c) { return c.on; }) != residual.copies.end())
    throw std::logic_error("merged and copied squares need version 5 and a plane of regions");
  for (std::size_t square = 0; square < squares; ++square) {
    Levels levels = detailLevels.of(square);
    levels[0] = 0;
    details.write(coder, levels, residual.slopedAt(square), column(square, across));
  }
}

namespace {

// The layout of version 3: each square's mean with its detail.
void readInterleaved(RangeDecoder& coder, int across, std::size_t squares, Residual& residual) {
  residual.ownMeans = false;
  DetailCoder details(across, false);
  MeanForecast forecasts(across, false);
  for (std::size_t square = 0; square < squares; ++square) {
    stopIfCutShort(coder);
    const int bx = column(square, across), by = row(square, across);
    bool sloped = false;
    CopyFrom copy;
    Levels levels = details.read(coder, sloped, bx, copy);
    levels[0] += forecasts.forecast(bx, by);
    if (std::abs(levels[0]) > kLargestLevel)
      throw FormatError(FormatFault::Corrupt, "a residual level is too large");
    forecasts.set(bx, levels[0]);
    residual.add(square, levels, false);
  }
}

// Every mean first, then every square's detail; with `regions`, region by
// region, each either merged or its four squares.
void readMeansFirst(RangeDecoder& coder, int across, std::size_t squares, bool regions,
                    Residual& residual) {
  // Grown as read, so a file claiming a huge plane stops at its real end.
  std::vector<int> means;
  MeanCoder meanCoder(across);
  for (std::size_t square = 0; square < squares; ++square) {
    stopIfCutShort(coder);
    means.push_back(meanCoder.read(coder, column(square, across), row(square, across)));
  }
  DetailCoder details(across, true, regions);
  if (regions) {
    const int regionsAcross = across / 2;
    const int regionsDown = across > 0 ? int(squares / std::size_t(across)) / 2 : 0;
    RegionCoder regionCoder(regionsAcross);
    for (int ry = 0; ry < regionsDown; ++ry)
      for (int rx = 0; rx < regionsAcross; ++rx) {
        stopIfCutShort(coder);
        const auto region = std::size_t(ry * regionsAcross + rx);
        if (regionCoder.readMerged(coder, rx)) {
          bool sloped = false;
          const RegionLevels levels = details.readRegion(coder, regionCoder, sloped, 2 * rx);
          for (int q = 0; q < 4; ++q) {
            const auto square = std::size_t(squareRow(ry, q) * across + squareColumn(rx, q));
            Levels own{};
            own[0] = means[square];
            residual.add(square, own, sloped);
          }
          residual.addRegion(region, levels);
          continue;
        }
        for (int q = 0; q < 4; ++q) {
          stopIfCutShort(coder);
          const auto square = std::size_t(squareRow(ry, q) * across + squareColumn(rx, q));
          bool sloped = false;
          CopyFrom copy;
          Levels levels = details.read(coder, sloped, squareColumn(rx, q), copy);
          if (copy.on && !copyable(squareColumn(rx, q), squareRow(ry, q), copy.dx, copy.dy,
                                   across * kResidualSide))
            throw FormatError(FormatFault::Corrupt, "a square is copied from where it cannot be");
          levels[0] = means[square];
          residual.add(square, levels, sloped);
          if (copy.on) residual.setCopy(square, copy);
        }
      }
    residual.sortSquares();
    return;
  }
  for (std::size_t square = 0; square < squares; ++square) {
    stopIfCutShort(coder);
    bool sloped = false;
    CopyFrom copy;
    Levels levels = details.read(coder, sloped, column(square, across), copy);
    levels[0] = means[square];
    residual.add(square, levels, sloped);
  }
}

}  // namespace

Residual readResidual(RangeDecoder& coder, int paddedW, int paddedH, bool tiles, int version) {
  Residual residual;
  residual.stepCode = int(coder.decodeDirect(kStepBits));
  if (residual.stepCode == 0) return residual;
  if (!tiles) throw FormatError(FormatFault::Corrupt, "a residual on blocks it cannot tile");
  const int across = paddedW / kResidualSide;
  const std::size_t squares = std::size_t(across) * std::size_t(paddedH / kResidualSide);
  if (version == 3)
    readInterleaved(coder, across, squares, residual);
  else
    readMeansFirst(coder, across, squares, version >= 5 && regionsTile(paddedW, paddedH), residual);
  stopIfCutShort(coder);
  return residual;
}

namespace {

// Keeps a square's or a region's non-zero levels from `first` on.
template <std::size_t N>
void keepNonZero(std::vector<Coefficient>& kept, std::size_t block,
                 const std::array<int, N>& levels, int first) {
  for (int i = first; i < int(N); ++i)
    if (levels[std::size_t(i)] != 0)
      kept.push_back(
          {std::uint32_t(block), std::uint16_t(i), std::int16_t(levels[std::size_t(i)])});
}

}  // namespace

void Residual::add(std::size_t square, const std::array<int, kResidualArea>& levels,
                   bool drawnSloped) {
  keepNonZero(coefficients, square, levels, 0);
  if (sloped.size() <= square) sloped.resize(square + 1);
  sloped[square] = drawnSloped;
}

void Residual::addRegion(std::size_t region, const std::array<int, kRegionArea>& levels) {
  // Its mean level is its squares' own.
  keepNonZero(regionCoefficients, region, levels, 1);
  if (merged.size() <= region) merged.resize(region + 1);
  merged[region] = true;
}

void Residual::setCopy(std::size_t square, const CopyFrom& copy) {
  if (copies.size() <= square) copies.resize(square + 1);
  copies[square] = copy;
}

void Residual::sortSquares() {
  std::stable_sort(coefficients.begin(), coefficients.end(),
                   [](const Coefficient& a, const Coefficient& b) { return a.block < b.block; });
}

void addResidual(const Residual& residual, int paddedW, int paddedH, float* plane) {
  const float step = residual.step();
  const int across = paddedW / kResidualSide;
  const std::size_t squares = std::size_t(across) * std::size_t(paddedH / kResidualSide);
  // Where each square's levels start, so squares can be drawn in any order.
  std::vector<std::uint32_t> starts(squares + 1, 0);
  std::vector<int> means(squares);
  const auto& coefficients = residual.coefficients;
  for (std::size_t square = 0, at = 0; square < squares; ++square) {
    starts[square] = std::uint32_t(at);
    for (; at < coefficients.size() && coefficients[at].block == square; ++at)
      if (coefficients[at].index == 0) means[square] = coefficients[at].level;
    starts[square + 1] = std::uint32_t(at);
  }
  const SquareMeans shown(paddedW, paddedH, means, step);
  const auto draw = [&](std::size_t square) {
    const int bx = column(square, across), by = row(square, across);
    Levels own{};
    for (std::uint32_t at = starts[square]; at < starts[square + 1]; ++at)
      own[coefficients[at].index] = coefficients[at].level;
    drawSquare(plane, paddedW, bx, by, own, step, residual.ownMeans,
               residual.slopedAt(square) ? shown.slope(bx, by) : Block{}, residual.copyAt(square));
  };
  if (!regionsTile(paddedW, paddedH)) {
    for (std::size_t square = 0; square < squares; ++square) draw(square);
    return;
  }
  // Region by region, as they were coded: a copy draws on what came before.
  const int regionsAcross = paddedW / kRegionSide;
  MergedLevels merged(residual.regionCoefficients);
  for (int ry = 0; ry < paddedH / kRegionSide; ++ry)
    for (int rx = 0; rx < regionsAcross; ++rx) {
      for (int q = 0; q < 4; ++q)
        draw(std::size_t(squareRow(ry, q) * across + squareColumn(rx, q)));
      if (const auto region = std::size_t(ry * regionsAcross + rx); residual.mergedAt(region))
        drawRegion(plane, paddedW, rx, ry, merged.of(region), step);
    }
}

namespace {

// Edges are eased only where the step is coarse enough to leave them; finer
// steps keep the picture's own texture sharper than easing would.
constexpr int kEasedFromStepCode = 40;
// Shares of the step: a jump up to kLargestJump steps may be the squares'
// doing when its neighbours move by less than kLargestBeside; it is eased
// by at most kLargestEase.
constexpr float kLargestJump = 2.0f, kLargestBeside = 0.5f, kLargestEase = 0.35f;

// Eases the step across one square's edge: p1 p0 | q0 q1 around `q0`.
void easeEdge(float* q0, std::ptrdiff_t step, float largest, float besideLargest, float clip) {
  const float p0 = q0[-step], p1 = q0[-2 * step], q1 = q0[step];
  const float jump = q0[0] - p0;
  if (std::fabs(jump) >= largest || std::fabs(p1 - p0) >= besideLargest ||
      std::fabs(q1 - q0[0]) >= besideLargest)
    return;
  const float delta = std::clamp((jump * 4 + (p1 - q1)) / 8, -clip, clip);
  q0[-step] += delta;
  q0[0] -= delta;
}

}  // namespace

void easeSquareEdges(const Residual& residual, int paddedW, int paddedH, float* plane) {
  if (residual.stepCode < kEasedFromStepCode) return;
  const float step = residual.step();
  const float largest = kLargestJump * step, beside = kLargestBeside * step,
              clip = kLargestEase * step;
  // A merged region has no edges inside it.
  const int regionsAcross = paddedW / kRegionSide;
  const auto inside = [&](int x, int y) {
    return !residual.merged.empty() &&
           residual.mergedAt(std::size_t((y / kRegionSide) * regionsAcross + x / kRegionSide));
  };
  // Squares are 8 pixels wide, so two pixels either side of an edge are inside the plane.
  for (int x = kResidualSide; x < paddedW; x += kResidualSide)
    for (int y = 0; y < paddedH; ++y)
      if (x % kRegionSide == 0 || !inside(x, y))
        easeEdge(plane + std::ptrdiff_t(y) * paddedW + x, 1, largest, beside, clip);
  for (int y = kResidualSide; y < paddedH; y += kResidualSide)
    for (int x = 0; x < paddedW; ++x)
      if (y % kRegionSide == 0 || !inside(x, y))
        easeEdge(plane + std::ptrdiff_t(y) * paddedW + x, paddedW, largest, beside, clip);
}

}  // namespace fif
