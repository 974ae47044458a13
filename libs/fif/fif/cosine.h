#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "fif/residual.h"

// The cosine transforms that take the residual's squares and regions to
// their spectra and back, and the order their levels are coded in.
namespace fif {

template <int N>
using SquareOf = std::array<float, std::size_t(N* N)>;
template <int N>
using MatrixOf = std::array<std::array<float, std::size_t(N)>, std::size_t(N)>;

using Block = SquareOf<kResidualSide>;
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

}  // namespace fif
