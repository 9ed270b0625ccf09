#pragma once

namespace qnetica::sim {

// The probability that Student's t with `freedom` degrees of freedom is at most t.
double StudentDistribution(double t, int freedom);

// The t with StudentDistribution(t, freedom) = probability, for probability in (0, 1) and
// freedom >= 1; the two-sided interval of confidence c uses probability (1 + c) / 2.
double StudentQuantile(double probability, int freedom);

}  // namespace qnetica::sim
