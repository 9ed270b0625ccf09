#pragma once

#include <vector>

#include "engine/AnalysisEngine.h"
#include "runs/StepAxis.h"
#include "runs/StepFigures.h"

namespace qnetica {

struct VariationPlan;

// Every figure of every step of the last run, fixed or varied, in memory: what the CSV file,
// the results window and the scheme's colours show. The run driver fills it as it goes.
class RunFigures {
  public:
    // A run's start, once its plan is confirmed: the figures of the run before are forgotten.
    void Start(const VariationPlan& plan, const NetworkModel& model);
    // After each step, once the engine computed it.
    void Record(const NetworkModel& model, const CalculationContext& context,
                const AnalysisEngine& engine);

    bool Empty() const { return steps_.empty(); }
    bool VariedRun() const { return varied_; }
    const StepAxis& Axis() const { return axis_; }
    const std::vector<StepFigures>& Steps() const { return steps_; }

  private:
    bool varied_ = false;
    StepAxis axis_;
    std::vector<StepFigures> steps_;
};

}  // namespace qnetica
