#pragma once

#include <memory>
#include <string>

#include "engine/CalculationContext.h"
#include "engine/CalculationObserver.h"
#include "engine/EngineTypes.h"
#include "model/NetworkModel.h"

namespace qnetica {

// How one calculation step ended. A step that cannot go on (a QS that cannot be computed,
// a class file that cannot be written) ends the whole calculation command; the message has
// already been shown through the observer, and the values written before it stay.
struct StepOutcome {
    bool Completed = true;
    std::string Message;
};

// The analysis engine: one calculation step of the network, and the state that persists
// through the steps of one calculation command (the unknowns of the traffic equations and the
// per-QS snapshots).
class AnalysisEngine {
  public:
    AnalysisEngine();
    ~AnalysisEngine();
    AnalysisEngine(const AnalysisEngine&) = delete;
    AnalysisEngine& operator=(const AnalysisEngine&) = delete;

    // Zeroes the unknowns, the snapshots and the class record before a command's first step.
    void StartRun();
    // Where the class records of relative-priority QS go (ClassResultsFileName until set).
    void SetClassResultsPath(std::string path);
    StepOutcome CalculateStep(NetworkModel& model, CalculationContext& context,
                              CalculationObserver& observer);

    const NetworkTotals& Totals() const;
    const StepSnapshot& Snapshots() const;
    // QS k (1..150) after the last step: for a bounded QS the share of its arrivals that found
    // it full and the flow it served; zero for the other kinds. Computed in every step, with
    // or without CalculationContext::AccountLosses.
    const QsLosses& Losses(int k) const;
    // How the flows after losses were found in the last step (none without AccountLosses).
    const LossIteration& LastLossIteration() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace qnetica
