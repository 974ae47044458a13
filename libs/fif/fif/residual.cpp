#include "fif/residual.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "fif/format.h"

namespace fif {

namespace {

constexpr int kStepBits = 10;
// Levels beyond 2 are coded as an exponential-Golomb number; a prefix this
// long could only come from a damaged file.
constexpr int kLongestPrefix = 15;
constexpr int kLargestLevel = 32767;

using Block = std::array<float, kResidualArea>;

using Matrix = std::array<std::array<float, kResidualSide>, kResidualSide>;

// The orthonormal cosine basis: row u holds frequency u at the 8 samples.
const Matrix& basis() {
  static const Matrix table = [] {
    Matrix t{};
    for (int u = 0; u < kResidualSide; ++u) {
      const double weight = std::sqrt((u == 0 ? 1.0 : 2.0) / kResidualSide);
      for (int n = 0; n < kResidualSide; ++n)
        t[u][n] =
            float(weight * std::cos((2 * n + 1) * u * std::numbers::pi / (2 * kResidualSide)));
    }
    return t;
  }();
  return table;
}

// The basis turned over, which takes spectra back to samples.
const Matrix& inverseBasis() {
  static const Matrix table = [] {
    Matrix t{};
    for (int u = 0; u < kResidualSide; ++u)
      for (int n = 0; n < kResidualSide; ++n) t[n][u] = basis()[u][n];
    return t;
  }();
  return table;
}

// Takes each row of the block through `m` and turns the result over, so a
// second pass takes the columns through it.
Block passAndTurn(const Block& in, const Matrix& m) {
  Block out{};
  for (int r = 0; r < kResidualSide; ++r)
    for (int k = 0; k < kResidualSide; ++k) {
      float sum = 0;
      for (int j = 0; j < kResidualSide; ++j)
        sum += m[std::size_t(k)][std::size_t(j)] * in[std::size_t(r * kResidualSide + j)];
      out[std::size_t(k * kResidualSide + r)] = sum;
    }
  return out;
}

Block transform(const Block& in, const Matrix& m) { return passAndTurn(passAndTurn(in, m), m); }

// Low frequencies first, so a block's last non-zero level comes early.
const std::array<int, kResidualArea>& zigzag() {
  static const auto order = [] {
    std::array<int, kResidualArea> o{};
    int i = 0;
    for (int sum = 0; sum < 2 * kResidualSide - 1; ++sum)
      for (int k = 0; k <= sum; ++k) {
        const int a = sum % 2 ? k : sum - k;
        const int b = sum - a;
        if (a < kResidualSide && b < kResidualSide) o[std::size_t(i++)] = a * kResidualSide + b;
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

// The mean level of a square is foretold from the squares left and above
// it, which a smooth picture keeps close to it.
class MeanForecast {
 public:
  explicit MeanForecast(int across) : above_(std::size_t(across), 0) {}
  int forecast(int x, int y) const {
    if (x > 0 && y > 0) return (above_[std::size_t(x)] + above_[std::size_t(x - 1)]) / 2;
    if (x > 0) return above_[std::size_t(x - 1)];
    return y > 0 ? above_[std::size_t(x)] : 0;
  }
  // Entries left of the square being coded already belong to its own row.
  void set(int x, int level) { above_[std::size_t(x)] = level; }

 private:
  std::vector<int> above_;
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

void writeLevel(RangeEncoder& coder, ResidualModels& m, int position, int recent, int level) {
  const int magnitude = std::abs(level);
  coder.encode(m.aboveOne[band(position)][recent], magnitude > 1);
  if (magnitude > 1) {
    coder.encode(m.aboveTwo[band(position)][recent], magnitude > 2);
    if (magnitude > 2) {
      const unsigned rest = unsigned(magnitude - 3) + 1;
      int length = 0;
      while ((rest >> (length + 1)) != 0) ++length;
      for (int i = 0; i < length; ++i) coder.encode(m.prefix[i], 1);
      if (length < kLongestPrefix) coder.encode(m.prefix[length], 0);
      coder.encodeDirect(rest - (1u << length), length);
    }
  }
  coder.encodeDirect(level < 0 ? 1 : 0, 1);
}

int readLevel(RangeDecoder& coder, ResidualModels& m, int position, int recent) {
  int magnitude = 1;
  if (coder.decode(m.aboveOne[band(position)][recent])) {
    magnitude = 2;
    if (coder.decode(m.aboveTwo[band(position)][recent])) {
      int length = 0;
      while (length < kLongestPrefix && coder.decode(m.prefix[length])) ++length;
      const unsigned size = (1u << length) + coder.decodeDirect(length) + 2;
      if (size > unsigned(kLargestLevel))
        throw FormatError(FormatFault::Corrupt, "a residual level is too large");
      magnitude = int(size);
    }
  }
  return coder.decodeDirect(1) ? -magnitude : magnitude;
}

}  // namespace

Residual quantiseResidual(const std::vector<float>& original, const std::vector<float>& predicted,
                          int width, int height, int stepCode, float rounding) {
  Residual residual;
  residual.stepCode = stepCode;
  if (stepCode == 0) return residual;
  const float step = residual.step();
  const int across = width / kResidualSide;
  for (int by = 0; by < height / kResidualSide; ++by)
    for (int bx = 0; bx < across; ++bx) {
      Block pixels{};
      for (int y = 0; y < kResidualSide; ++y)
        for (int x = 0; x < kResidualSide; ++x) {
          const std::size_t at = std::size_t(by * kResidualSide + y) * std::size_t(width) +
                                 std::size_t(bx * kResidualSide + x);
          pixels[std::size_t(y * kResidualSide + x)] = original[at] - predicted[at];
        }
      const Block spectrum = transform(pixels, basis());
      for (int i = 0; i < kResidualArea; ++i) {
        const float value = spectrum[std::size_t(i)];
        // The mean level is rounded to the nearest: it is forecast, so cheap,
        // and its error spreads over the whole square.
        const int level =
            std::min(kLargestLevel, int(std::fabs(value) / step + (i == 0 ? 0.5f : rounding)));
        if (level != 0)
          residual.coefficients.push_back({std::uint32_t(by * across + bx), std::uint16_t(i),
                                           std::int16_t(value < 0 ? -level : level)});
      }
    }
  return residual;
}

void writeResidual(RangeEncoder& coder, const Residual& residual, int paddedW, int paddedH) {
  coder.encodeDirect(std::uint32_t(residual.stepCode), kStepBits);
  if (residual.stepCode == 0) return;
  ResidualModels m;
  const int across = paddedW / kResidualSide;
  CodedNeighbours neighbours(across);
  MeanForecast means(across);
  auto next = residual.coefficients.begin();
  const std::uint32_t blocks = std::uint32_t(across) * std::uint32_t(paddedH / kResidualSide);
  for (std::uint32_t block = 0; block < blocks; ++block) {
    std::array<int, kResidualArea> levels{};
    for (; next != residual.coefficients.end() && next->block == block; ++next)
      levels[next->index] = next->level;
    const int bx = int(block % std::uint32_t(across)), by = int(block / std::uint32_t(across));
    const int mean = levels[0];
    levels[0] -= means.forecast(bx, by);
    means.set(bx, mean);
    int last = -1;
    for (int i = 0; i < kResidualArea; ++i)
      if (levels[std::size_t(zigzag()[std::size_t(i)])] != 0) last = i;
    const int x = int(block % std::uint32_t(across));
    coder.encode(m.coded[neighbours.context(x)], last >= 0);
    neighbours.set(x, last >= 0);
    if (last < 0) continue;
    m.last.encode(coder, unsigned(last));
    RecentLevels recent;
    for (int i = 0; i <= last; ++i) {
      const int level = levels[std::size_t(zigzag()[std::size_t(i)])];
      if (i < last) coder.encode(m.significant[i][recent.count()], level != 0);
      if (level != 0) writeLevel(coder, m, i, recent.count(), level);
      recent.push(level != 0);
    }
  }
}

Residual readResidual(RangeDecoder& coder, int paddedW, int paddedH, bool tiles) {
  Residual residual;
  residual.stepCode = int(coder.decodeDirect(kStepBits));
  if (residual.stepCode == 0) return residual;
  if (!tiles) throw FormatError(FormatFault::Corrupt, "a residual on blocks it cannot tile");
  ResidualModels m;
  const int across = paddedW / kResidualSide;
  CodedNeighbours neighbours(across);
  MeanForecast means(across);
  const std::uint32_t blocks = std::uint32_t(across) * std::uint32_t(paddedH / kResidualSide);
  for (std::uint32_t block = 0; block < blocks; ++block) {
    if (coder.overrun()) throw FormatError(FormatFault::Corrupt, "the residual is cut short");
    const int x = int(block % std::uint32_t(across));
    std::array<int, kResidualArea> levels{};
    levels[0] = means.forecast(x, int(block / std::uint32_t(across)));
    const bool coded = coder.decode(m.coded[neighbours.context(x)]);
    neighbours.set(x, coded);
    if (coded) {
      const int last = int(m.last.decode(coder));
      RecentLevels recent;
      for (int i = 0; i <= last; ++i) {
        const bool significant = i == last || coder.decode(m.significant[i][recent.count()]);
        if (significant)
          levels[std::size_t(zigzag()[std::size_t(i)])] += readLevel(coder, m, i, recent.count());
        recent.push(significant);
      }
    }
    if (std::abs(levels[0]) > kLargestLevel)
      throw FormatError(FormatFault::Corrupt, "a residual level is too large");
    means.set(x, levels[0]);
    for (int i = 0; i < kResidualArea; ++i)
      if (levels[std::size_t(i)] != 0)
        residual.coefficients.push_back(
            {block, std::uint16_t(i), std::int16_t(levels[std::size_t(i)])});
  }
  if (coder.overrun()) throw FormatError(FormatFault::Corrupt, "the residual is cut short");
  return residual;
}

void addResidual(const Residual& residual, int paddedW, float* plane) {
  const float step = residual.step();
  const int across = paddedW / kResidualSide;
  for (auto next = residual.coefficients.begin(); next != residual.coefficients.end();) {
    Block spectrum{};
    const std::uint32_t block = next->block;
    for (; next != residual.coefficients.end() && next->block == block; ++next)
      spectrum[next->index] = float(next->level) * step;
    const Block pixels = transform(spectrum, inverseBasis());
    float* corner = plane +
                    std::ptrdiff_t(block / std::uint32_t(across)) * kResidualSide * paddedW +
                    std::ptrdiff_t(block % std::uint32_t(across)) * kResidualSide;
    for (int y = 0; y < kResidualSide; ++y)
      for (int x = 0; x < kResidualSide; ++x)
        corner[std::ptrdiff_t(y) * paddedW + x] += pixels[std::size_t(y * kResidualSide + x)];
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
  // Squares are 8 pixels wide, so two pixels either side of an edge are inside the plane.
  for (int x = kResidualSide; x < paddedW; x += kResidualSide)
    for (int y = 0; y < paddedH; ++y)
      easeEdge(plane + std::ptrdiff_t(y) * paddedW + x, 1, largest, beside, clip);
  for (int y = kResidualSide; y < paddedH; y += kResidualSide)
    for (int x = 0; x < paddedW; ++x)
      easeEdge(plane + std::ptrdiff_t(y) * paddedW + x, paddedW, largest, beside, clip);
}

}  // namespace fif
