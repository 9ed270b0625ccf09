#pragma once

#include <span>
#include <string>
#include <vector>

namespace qnetica {

// The values in plain decimal notation with "." and the fewest decimals (0 to 10) with which
// any two of them that differ get different texts, each text within a quarter of the smallest
// difference of its value (so that 0.3 and 0.9 are not "0" and "1"); values that are all equal
// are written as they are. Values closer than a billionth of the largest magnitude count as
// equal: a step value reached by repeated additions is not told apart from the one it was meant
// to be. Every text has the same number of decimals.
std::vector<std::string> FormatDistinct(std::span<const double> values);

// That number of decimals.
int DistinctDecimals(std::span<const double> values);

}  // namespace qnetica
