#include "sim/BatchSeries.h"

#include <algorithm>

namespace qnetica::sim {

BatchSeries::BatchSeries(std::size_t width, std::size_t capacity, std::int64_t firstBatchEvents)
    : width_(width),
      capacity_(std::max<std::size_t>(2, capacity & ~std::size_t{1})),
      batchEvents_(firstBatchEvents) {
    // Reserved only: the pages are first written by the thread that runs the replication.
    totals_.reserve(width * capacity_);
}

void BatchSeries::Record(std::span<const double> totals) {
    totals_.insert(totals_.end(), totals.begin(), totals.end());
    if (++count_ == capacity_) DropEveryOther();
}

// Boundaries 2, 4, ..., Capacity stay: they end the batches of twice the events.
void BatchSeries::DropEveryOther() {
    for (std::size_t kept = 0; kept < count_ / 2; ++kept) {
        const auto from = totals_.begin() + (2 * kept + 1) * width_;
        std::copy(from, from + width_, totals_.begin() + kept * width_);
    }
    count_ /= 2;
    totals_.resize(count_ * width_);
    batchEvents_ *= 2;
}

}  // namespace qnetica::sim
