#pragma once

#include <cstdint>

namespace qnetica::sim {

struct SimulationOptions {
    // The run stops once every figure's half-width is within this share of its scale (see
    // SimulationResult.h); 0 never stops for precision, only at a budget.
    double Precision = 0.01;
    double Confidence = 0.95;  // of the intervals, in (0, 1)
    std::uint64_t Seed = 1;
    // Budgets: the run always ends at the first of them. Events are counted over all
    // replications; seconds are wall-clock time.
    std::int64_t MaxEvents = 2'000'000'000;
    double MaxSeconds = 600;
    int Threads = 0;  // 0 = one per core; the figures do not depend on it
    // Independent replications, each advanced by the same number of events per round; each
    // gives the intervals a few sub-batches of what it kept after its warm-up.
    int Replications = 16;
};

}  // namespace qnetica::sim
