#pragma once

#include <atomic>

#include "sim/SimulationNetwork.h"
#include "sim/SimulationOptions.h"
#include "sim/SimulationProgress.h"
#include "sim/SimulationResult.h"

namespace qnetica::sim {

// Simulates the network until every figure is as precise as asked, a budget is spent, the
// network is found overloaded or `cancel` is set (looked at every few milliseconds). Runs in
// rounds: in each, every replication advances by the same number of events, spread over the
// threads; the figures and the decision to stop are formed only between rounds, in replication
// order, so the same seed gives the same figures whatever the number of threads.
// Throws qnetica::Error with the text to show when the network cannot be simulated (see
// CheckSimulationNetwork) or an option is out of range.
SimulationResult Simulate(const SimulationNetwork& network, const SimulationOptions& options,
                          SimulationProgress* progress = nullptr,
                          const std::atomic<bool>* cancel = nullptr);

}  // namespace qnetica::sim
