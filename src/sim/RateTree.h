#pragma once

#include <cstddef>
#include <vector>

namespace qnetica::sim {

// The rates of competing exponential events in a complete binary sum tree: which event comes
// next is found by descending with a uniform point of the total rate, and changing one rate
// recomputes its path from the children, so rounding never accumulates.
class RateTree {
  public:
    explicit RateTree(std::size_t leaves);

    double Total() const { return nodes_[1]; }
    double Rate(std::size_t leaf) const { return nodes_[width_ + leaf]; }

    // The sum is carried up in a register (addition commutes exactly), so each level waits
    // for one addition, not for the store of the level below.
    void Set(std::size_t leaf, double rate) {
        std::size_t i = width_ + leaf;
        double sum = rate;
        nodes_[i] = sum;
        for (; i > 1; i >>= 1) {
            sum += nodes_[i ^ 1];
            nodes_[i >> 1] = sum;
        }
    }

    // The leaf whose share of [0, Total) holds `point`; `point` becomes the offset within that
    // leaf's rate. A point that rounding puts past the last positive leaf stays in it.
    std::size_t Find(double& point) const {
        std::size_t i = 1;
        while (i < width_) {
            const double left = nodes_[2 * i];
            if (point < left || !(nodes_[2 * i + 1] > 0)) {
                i = 2 * i;
            } else {
                point -= left;
                i = 2 * i + 1;
            }
        }
        return i - width_;
    }

  private:
    std::size_t width_;  // leaves, rounded up to a power of two
    std::vector<double> nodes_;
};

}  // namespace qnetica::sim
