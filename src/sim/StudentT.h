#pragma once

#include <map>

namespace qnetica::sim {

// The probability that Student's t with `freedom` degrees of freedom is at most t.
double StudentDistribution(double t, int freedom);

// The t with StudentDistribution(t, freedom) = probability, for probability in (0, 1) and
// freedom >= 1; the two-sided interval of confidence c uses probability (1 + c) / 2.
double StudentQuantile(double probability, int freedom);

// The two-sided quantiles of one confidence level, each degree of freedom computed once.
class StudentQuantiles {
  public:
    explicit StudentQuantiles(double confidence) : probability_((1 + confidence) / 2) {}
    double ForFreedom(int freedom) {
        const auto known = known_.find(freedom);
        if (known != known_.end()) return known->second;
        return known_[freedom] = StudentQuantile(probability_, freedom);
    }

  private:
    double probability_;
    std::map<int, double> known_;
};

}  // namespace qnetica::sim
