#pragma once

#include <cstddef>
#include <vector>

// The encoder's search structure: every domain of one size, shrunk to range
// size, turned into a canonical orientation and sorted into classes, so a
// range block is compared only with domains of its own class and only in the
// one orientation that can match.
namespace fif {

// A block in canonical orientation with its mean taken out.
struct Normalised {
  int isometry = 0;  // turns the block into its canonical orientation
  int kind = 0;  // its class
  float mean = 0;
  float energy = 0;  // sum of squares after the mean is taken out
  std::vector<float> pixels;
};

constexpr int kClasses = 12;

// `block` is n x n; classes follow the order of the quadrants' brightness and
// which quadrant varies most.
Normalised normalise(const float* block, int n);

struct PooledDomain {
  int x = 0, y = 0;  // in the plane
  Normalised block;
};

class DomainPool {
 public:
  // `plane` is paddedWidth x paddedHeight; domains are 2 * rangeSize wide.
  DomainPool(const std::vector<float>& plane, int paddedWidth, int paddedHeight, int rangeSize);

  const std::vector<PooledDomain>& ofClass(int kind) const { return classes_[std::size_t(kind)]; }
  bool empty() const { return count_ == 0; }

 private:
  std::vector<PooledDomain> classes_[kClasses];
  int count_ = 0;
};

}  // namespace fif
