#pragma once

#include <cstddef>
#include <vector>

namespace qnetica::sim {

// MSER-5 (White's marginal standard error rule on means of five): the series is cut into
// groups of five, group means z_1..z_m, and the warm-up to delete is the d groups, 0 <= d <=
// m/2, that minimise the squared standard error of what stays, sum over j > d of
// (z_j - mean)^2 / (m - d)^2. Groups given as NaN (no observation) are left out of the sums.
// Returns the number of groups to delete.
std::size_t MserTruncation(const std::vector<double>& groupMeans);

}  // namespace qnetica::sim
