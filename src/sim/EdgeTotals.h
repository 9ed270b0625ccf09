#pragma once

#include <cstddef>
#include <vector>

#include "sim/BatchSeries.h"

namespace qnetica::sim {

// A replication's totals at the edges of the groups of five batches that the warm-up rule and
// the intervals work on: boundaries 0, 5, 10, ... and the last boundary, stored counter by
// counter so that the figures, each reading two or three counters, read them in a row.
class EdgeTotals {
  public:
    static constexpr std::size_t GroupSize = 5;

    // Takes the totals of the series' first `width` counters, keeping the memory of earlier
    // rounds.
    void Refill(const BatchSeries& series, std::size_t width);
    // Sums the totals of several replications, edge by edge; all have the same boundaries.
    void Add(const EdgeTotals& other);

    std::size_t Edges() const { return edges_; }
    std::size_t Groups() const { return groups_; }  // complete groups of five batches
    std::size_t Batches() const { return batches_; }
    // The batches before edge e; the last edge may end a group of fewer than five.
    std::size_t BatchesBefore(std::size_t edge) const {
        return edge < edges_ - 1 ? edge * GroupSize : batches_;
    }
    double At(std::size_t edge, std::size_t counter) const {
        return totals_[counter * edges_ + edge];
    }
    double Between(std::size_t from, std::size_t to, std::size_t counter) const {
        return At(to, counter) - At(from, counter);
    }

  private:
    std::size_t batches_ = 0;
    std::size_t groups_ = 0;
    std::size_t edges_ = 0;
    std::vector<double> totals_;
};

}  // namespace qnetica::sim
