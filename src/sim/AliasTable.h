#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace qnetica::sim {

// One weighted outcome of a draw.
struct WeightedOutcome {
    std::int32_t Outcome = 0;
    double Weight = 0;
};

// Walker's alias method: a draw among the outcomes with probabilities proportional to their
// weights, in constant time from one 64-bit random word (the high half picks a column, the low
// half decides between the column's own outcome and its alias).
class AliasTable {
  public:
    AliasTable() = default;
    // Outcomes of weight 0 are left out; at least one weight must be positive.
    explicit AliasTable(std::span<const WeightedOutcome> outcomes);

    std::int32_t Draw(std::uint64_t bits) const {
        const std::uint64_t column = ((bits >> 32) * columns_.size()) >> 32;
        const Column& c = columns_[column];
        return (bits & 0xFFFFFFFFull) < c.Threshold ? c.Own : c.Alias;
    }
    bool Empty() const { return columns_.empty(); }

  private:
    struct Column {
        std::uint64_t Threshold = 0;  // the own outcome's chance in this column, times 2^32
        std::int32_t Own = 0;
        std::int32_t Alias = 0;
    };
    std::vector<Column> columns_;
};

}  // namespace qnetica::sim
