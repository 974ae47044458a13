#include "fif/isometry.h"

#include <algorithm>
#include <array>

namespace fif {

namespace {

// Found by applying the symmetries to a block whose pixels all differ, so the
// table cannot disagree with applyIsometry.
std::array<std::array<int, kIsometries>, kIsometries> compositions() {
  std::array<std::array<int, kIsometries>, kIsometries> table{};
  int start[9], once[9], twice[9], candidate[9];
  for (int i = 0; i < 9; ++i) start[i] = i;
  for (int a = 0; a < kIsometries; ++a)
    for (int b = 0; b < kIsometries; ++b) {
      applyIsometry(a, 3, start, once);
      applyIsometry(b, 3, once, twice);
      for (int c = 0; c < kIsometries; ++c) {
        applyIsometry(c, 3, start, candidate);
        if (std::equal(twice, twice + 9, candidate)) table[a][b] = c;
      }
    }
  return table;
}

}  // namespace

int composeIsometries(int first, int second) {
  static const auto table = compositions();
  return table[first][second];
}

int inverseIsometry(int isometry) {
  for (int c = 0; c < kIsometries; ++c)
    if (composeIsometries(isometry, c) == 0) return c;
  return 0;
}

}  // namespace fif
