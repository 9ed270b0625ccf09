#include "sim/AliasTable.h"

#include <cmath>

namespace qnetica::sim {
namespace {

constexpr long double TwoTo32 = 4294967296.0L;

std::uint64_t ThresholdOf(long double chance) {
    if (chance >= 1.0L) return 1ull << 32;
    if (chance <= 0.0L) return 0;
    return static_cast<std::uint64_t>(std::llround(chance * TwoTo32));
}

}  // namespace

// Vose's construction: columns whose scaled weight is below 1 are topped up by one above 1.
AliasTable::AliasTable(std::span<const WeightedOutcome> outcomes) {
    long double total = 0;
    for (const WeightedOutcome& o : outcomes)
        if (o.Weight > 0) total += o.Weight;
    std::vector<long double> scaled;
    for (const WeightedOutcome& o : outcomes) {
        if (!(o.Weight > 0)) continue;
        columns_.push_back({0, o.Outcome, o.Outcome});
        scaled.push_back(0);
    }
    const long double count = static_cast<long double>(columns_.size());
    std::vector<std::size_t> small, large;
    for (std::size_t i = 0, j = 0; i < outcomes.size(); ++i) {
        if (!(outcomes[i].Weight > 0)) continue;
        scaled[j] = outcomes[i].Weight * count / total;
        (scaled[j] < 1.0L ? small : large).push_back(j);
        ++j;
    }
    while (!small.empty() && !large.empty()) {
        const std::size_t s = small.back();
        small.pop_back();
        const std::size_t l = large.back();
        columns_[s].Threshold = ThresholdOf(scaled[s]);
        columns_[s].Alias = columns_[l].Own;
        scaled[l] = (scaled[l] + scaled[s]) - 1.0L;
        if (scaled[l] < 1.0L) {
            large.pop_back();
            small.push_back(l);
        }
    }
    // What is left is 1 up to rounding: the column keeps its own outcome.
    for (std::size_t i : small) columns_[i].Threshold = 1ull << 32;
    for (std::size_t i : large) columns_[i].Threshold = 1ull << 32;
}

}  // namespace qnetica::sim
