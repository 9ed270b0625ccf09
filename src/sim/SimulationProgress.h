#pragma once

#include <cstdint>

namespace qnetica::sim {

struct ProgressReport {
    std::int64_t Events = 0;
    double Seconds = 0;
    // The largest half-width relative to its scale over the figures after the last round;
    // infinite before the first round and while some figure has no observations.
    double WidestRelativeHalfWidth = 0;
};

// How a running simulation tells its caller how far it is. Called on the thread that called
// Simulate, at most about four times a second, and once more when the run ends.
class SimulationProgress {
  public:
    virtual ~SimulationProgress() = default;
    virtual void Report(const ProgressReport& report) = 0;
};

}  // namespace qnetica::sim
