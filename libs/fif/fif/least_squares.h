#pragma once

#include <vector>

namespace fif {

// Solves the symmetric system `a` w = `b` (n unknowns, `a` n x n row by
// row) by elimination; false when it has no single answer.
bool solveSymmetric(std::vector<double> a, std::vector<double> b, std::vector<double>& w);

}  // namespace fif
