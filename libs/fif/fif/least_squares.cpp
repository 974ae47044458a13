#include "fif/least_squares.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace fif {

bool solveSymmetric(std::vector<double> a, std::vector<double> b, std::vector<double>& w) {
  const std::size_t n = b.size();
  for (std::size_t col = 0; col < n; ++col) {
    std::size_t pivot = col;
    for (std::size_t r = col + 1; r < n; ++r)
      if (std::fabs(a[r * n + col]) > std::fabs(a[pivot * n + col])) pivot = r;
    if (std::fabs(a[pivot * n + col]) < 1e-9) return false;
    for (std::size_t k = 0; k < n; ++k) std::swap(a[col * n + k], a[pivot * n + k]);
    std::swap(b[col], b[pivot]);
    for (std::size_t r = col + 1; r < n; ++r) {
      const double f = a[r * n + col] / a[col * n + col];
      for (std::size_t k = col; k < n; ++k) a[r * n + k] -= f * a[col * n + k];
      b[r] -= f * b[col];
    }
  }
  w.assign(n, 0);
  for (std::size_t r = n; r-- > 0;) {
    double sum = b[r];
    for (std::size_t k = r + 1; k < n; ++k) sum -= a[r * n + k] * w[k];
    w[r] = sum / a[r * n + r];
  }
  return true;
}

bool addRidge(std::vector<double>& a, double share) {
  const auto n = std::size_t(std::lround(std::sqrt(double(a.size()))));
  double trace = 0;
  for (std::size_t i = 0; i < n; ++i) trace += a[i * n + i];
  if (!(trace > 0)) return false;
  for (std::size_t i = 0; i < n; ++i) a[i * n + i] += share * trace / double(n);
  return true;
}

}  // namespace fif
