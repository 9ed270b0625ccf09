#include "sim/BatchSeries.h"

#include <algorithm>

namespace qnetica::sim {

BatchSeries::BatchSeries(std::size_t width, std::size_t capacity, std::int64_t firstBatchEvents)
    : width_(width),
      capacity_(std::max<std::size_t>(2, capacity & ~std::size_t{1})),
      batchEvents_(firstBatchEvents),
      totals_(width * capacity_) {}

void BatchSeries::Record(std::span<const double> totals) {
    std::copy(totals.begin(), totals.end(), totals_.begin() + count_ * width_);
    if (++count_ == capacity_) DropEveryOther();
}

// Boundaries 2, 4, ..., Capacity stay: they end the batches of twice the events.
void BatchSeries::DropEveryOther() {
    for (std::size_t kept = 0; kept < count_ / 2; ++kept) {
        const auto from = totals_.begin() + (2 * kept + 1) * width_;
        std::copy(from, from + width_, totals_.begin() + kept * width_);
    }
    count_ /= 2;
    batchEvents_ *= 2;
}

}  // namespace qnetica::sim
