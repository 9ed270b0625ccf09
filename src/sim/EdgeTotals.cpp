#include "sim/EdgeTotals.h"

namespace qnetica::sim {

void EdgeTotals::Refill(const BatchSeries& series, std::size_t width) {
    batches_ = series.Count();
    groups_ = batches_ / GroupSize;
    edges_ = groups_ + (batches_ % GroupSize ? 2 : 1);
    totals_.resize(width * edges_);
    for (std::size_t e = 0; e < edges_; ++e) {
        const std::size_t boundary = BatchesBefore(e);
        for (std::size_t c = 0; c < width; ++c) totals_[c * edges_ + e] = series.At(boundary, c);
    }
}

void EdgeTotals::Add(const EdgeTotals& other) {
    for (std::size_t i = 0; i < totals_.size(); ++i) totals_[i] += other.totals_[i];
}

}  // namespace qnetica::sim
