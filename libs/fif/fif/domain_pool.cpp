#include "fif/domain_pool.h"

#include "fif/format.h"
#include "fif/isometry.h"

namespace fif {

namespace {

// Sums and variances of the four quadrants, in reading order.
void quadrants(const float* block, int n, float sums[4], float variances[4]) {
  const int half = n / 2;
  for (int q = 0; q < 4; ++q) {
    const float* corner = block + (q >> 1) * half * n + (q & 1) * half;
    float sum = 0, squares = 0;
    for (int y = 0; y < half; ++y)
      for (int x = 0; x < half; ++x) {
        const float v = corner[y * n + x];
        sum += v;
        squares += v * v;
      }
    const float count = float(half * half);
    sums[q] = sum;
    variances[q] = squares / count - (sum / count) * (sum / count);
  }
}

// The isometry that puts the brightest quadrant top left and the brighter of
// its two neighbours top right.
int canonicalIsometry(const float sums[4], float oriented[4]) {
  for (int i = 0; i < kIsometries; ++i) {
    applyIsometry(i, 2, sums, oriented);
    if (oriented[0] >= oriented[1] && oriented[0] >= oriented[2] && oriented[0] >= oriented[3] &&
        oriented[1] >= oriented[2])
      return i;
  }
  return 0;
}

}  // namespace

Normalised normalise(const float* block, int n) {
  Normalised result;
  float sums[4], variances[4], oriented[4], orientedVariances[4];
  quadrants(block, n, sums, variances);
  result.isometry = canonicalIsometry(sums, oriented);
  applyIsometry(result.isometry, 2, variances, orientedVariances);
  const int order = oriented[3] >= oriented[1] ? 0 : oriented[3] >= oriented[2] ? 1 : 2;
  int busiest = 0;
  for (int q = 1; q < 4; ++q)
    if (orientedVariances[q] > orientedVariances[busiest]) busiest = q;
  result.kind = order * 4 + busiest;

  result.pixels.resize(std::size_t(n * n));
  applyIsometry(result.isometry, n, block, result.pixels.data());
  float sum = 0;
  for (float v : result.pixels) sum += v;
  result.mean = sum / float(n * n);
  for (float& v : result.pixels) {
    v -= result.mean;
    result.energy += v * v;
  }
  return result;
}

DomainPool::DomainPool(const std::vector<float>& plane, int paddedWidth, int paddedHeight,
                       int rangeSize) {
  const int step = domainStep(rangeSize);
  const int across = domainCount(paddedWidth, rangeSize);
  const int down = domainCount(paddedHeight, rangeSize);
  std::vector<float> shrunk(std::size_t(rangeSize * rangeSize));
  for (int j = 0; j < down; ++j)
    for (int i = 0; i < across; ++i) {
      const float* source =
          plane.data() + std::size_t(j * step) * std::size_t(paddedWidth) + std::size_t(i * step);
      for (int y = 0; y < rangeSize; ++y)
        for (int x = 0; x < rangeSize; ++x) {
          const float* p =
              source + std::size_t(2 * y) * std::size_t(paddedWidth) + std::size_t(2 * x);
          shrunk[std::size_t(y * rangeSize + x)] =
              (p[0] + p[1] + p[paddedWidth] + p[paddedWidth + 1]) * 0.25f;
        }
      Normalised block = normalise(shrunk.data(), rangeSize);
      classes_[block.kind].push_back({i * step, j * step, std::move(block)});
      ++count_;
    }
}

}  // namespace fif
