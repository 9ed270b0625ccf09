#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "sim/CompiledNetwork.h"
#include "sim/FigureEstimator.h"
#include "sim/FigureSet.h"
#include "sim/Replication.h"
#include "sim/SimulationOptions.h"
#include "sim/SimulationProgress.h"
#include "sim/SimulationResult.h"

namespace qnetica::sim {

// The state of one call of Simulate: the replications, the figures of the last completed
// round, the clock and the flags that end a round early.
class SimulationRun {
  public:
    SimulationRun(const SimulationNetwork& network, const SimulationOptions& options,
                  SimulationProgress* progress, const std::atomic<bool>* cancel);
    SimulationResult Run();

  private:
    std::int64_t NextTarget(std::int64_t reached) const;
    // False when the round was ended early by a cancel, the time budget or an overflow.
    bool RunRound(std::int64_t target);
    void Work(std::atomic<std::size_t>& next, std::int64_t target);
    void WaitForWorkers(std::size_t workers);
    void Evaluate();
    void Report(bool always);
    double Seconds() const;
    SimulationResult Result(SimulationEnd end) const;

    const SimulationNetwork& network_;
    SimulationOptions options_;
    SimulationProgress* progress_;
    const std::atomic<bool>* cancel_;
    CompiledNetwork compiled_;
    FigureSet figures_;
    int threads_;
    FigureEstimator estimator_;
    std::vector<std::unique_ptr<Replication>> replications_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastReport_;
    std::atomic<bool> stop_{false};
    std::atomic<std::int64_t> events_{0};
    std::mutex mutex_;
    std::condition_variable workerDone_;
    std::size_t finishedWorkers_ = 0;  // guarded by mutex_
    bool timeUp_ = false;
    bool cancelled_ = false;
    int rounds_ = 0;
    std::vector<Estimate> estimates_;
    double widest_;
};

}  // namespace qnetica::sim
