#pragma once

#include <vector>

namespace fif {

// Solves the symmetric system `a` w = `b` (n unknowns, `a` n x n row by
// row) by elimination; false when it has no single answer.
bool solveSymmetric(std::vector<double> a, std::vector<double> b, std::vector<double>& w);

// Adds `share` of the mean of the square matrix `a`'s diagonal to each
// entry of it, so that unknowns that say the same still get one answer;
// false, and `a` untouched, when that mean is not above zero.
bool addRidge(std::vector<double>& a, double share);

}  // namespace fif
