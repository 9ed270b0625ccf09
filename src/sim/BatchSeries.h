#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qnetica::sim {

// A replication's running totals at the ends of its batches, batch j ending after j times
// BatchEvents events. When the series is full, every other boundary is dropped and the batches
// double, so a series of any length keeps between Capacity/2 and Capacity boundaries. Every
// replication of a run starts alike and advances by the same events, so their boundaries match.
class BatchSeries {
  public:
    BatchSeries(std::size_t width, std::size_t capacity, std::int64_t firstBatchEvents);

    std::int64_t NextBoundary() const {
        return static_cast<std::int64_t>(count_ + 1) * batchEvents_;
    }
    void Record(std::span<const double> totals);

    std::size_t Count() const { return count_; }
    std::int64_t BatchEvents() const { return batchEvents_; }
    // The totals at boundary b = 0..Count(); boundary 0 is the start, all zero.
    double At(std::size_t boundary, std::size_t counter) const {
        return boundary == 0 ? 0.0 : totals_[(boundary - 1) * width_ + counter];
    }

  private:
    void DropEveryOther();

    std::size_t width_;
    std::size_t capacity_;  // even
    std::int64_t batchEvents_;
    std::size_t count_ = 0;
    std::vector<double> totals_;
};

}  // namespace qnetica::sim
