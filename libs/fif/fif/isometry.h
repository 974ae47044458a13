#pragma once

// The eight symmetries of a square block. Bit 0 mirrors left and right,
// bit 1 mirrors top and bottom, bit 2 swaps rows and columns (applied last).
namespace fif {

constexpr int kIsometries = 8;

// The source pixel that lands on (x, y) of an n x n block.
inline void isometrySource(int isometry, int n, int x, int y, int& sx, int& sy) {
  int u = (isometry & 1) ? n - 1 - x : x;
  int v = (isometry & 2) ? n - 1 - y : y;
  if (isometry & 4) {
    const int t = u;
    u = v;
    v = t;
  }
  sx = u;
  sy = v;
}

// dst[y * n + x] = src[the isometry's source of (x, y)].
template <class T>
void applyIsometry(int isometry, int n, const T* src, T* dst) {
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      int sx, sy;
      isometrySource(isometry, n, x, y, sx, sy);
      dst[y * n + x] = src[sy * n + sx];
    }
}

// The isometry that does `first`, then `second`.
int composeIsometries(int first, int second);
int inverseIsometry(int isometry);

}  // namespace fif
