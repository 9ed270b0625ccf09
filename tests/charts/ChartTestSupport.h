#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "engine/AnalysisEngine.h"
#include "model/NetworkModel.h"
#include "runs/QuietRunPresenter.h"
#include "runs/ResultTables.h"
#include "runs/RunCalculation.h"
#include "runs/StepResultsFile.h"
#include "runs/StepTotals.h"
#include "runs/VariationPlan.h"

namespace qnetica::test {

// The windows' part of a run, reduced to what a varied run without chart and report needs.
class QuietPresenter : public QuietRunPresenter {
  public:
    std::vector<std::string> Messages;
    std::function<void(VariationPlan&)> Dialog;

    void ShowMessage(MessageKind, const std::string& text) override { Messages.push_back(text); }
    void AskRunParameters(VariationPlan& plan) override { Dialog(plan); }
};

// S0 -> QS 1 -> .. -> QS 5 -> S0, one channel each, service times 0.1, 0.25, 0.2, 0.3, 0.15;
// a varied run moves the input rate from 2 to 3. Every QS stays below full load.
struct VariedRunOfFiveQs {
    static constexpr double ServiceTimes[5] = {0.1, 0.25, 0.2, 0.3, 0.15};

    NetworkModel model;
    VariationPlan plan;
    ResultTables tables;
    StepTotals totals;
    AnalysisEngine engine;
    WorkFolder work;
    QuietPresenter presenter;

    VariedRunOfFiveQs() {
        for (int k = 1; k <= 5; ++k) {
            model.AddNode();
            model.Qs(k).ServiceTime = ServiceTimes[k - 1];
            model.Matrix().SetCell(k - 1, k, "1");
        }
        model.Matrix().SetCell(5, 0, "1");
        model.SetInputRate(2);
        model.SetInputRateText("2");
    }

    // Leaves "qnrep.tmp" in the work folder with one record per step and the totals of every step.
    void Run(int steps, double from = 2, double to = 3) {
        RunVarying(steps, [from, to](VariationPlan& p) {
            p.VaryInputRate = true;
            p.InputRateFrom = from;
            p.InputRateTo = to;
        });
    }
    // A varied run of what vary sets in the plan, as the parameters dialog would set it.
    void RunVarying(int steps, const std::function<void(VariationPlan&)>& vary) {
        presenter.Dialog = [this, steps, vary](VariationPlan& p) {
            p.LoadPlanDefaults(model);
            p.StepCount = steps;
            vary(p);
            ASSERT_FALSE(p.PreparePlanSteps(model, true));
            p.VariedRun = p.Confirmed = true;
        };
        const RunOutcome outcome =
            RunCalculation(model, {plan, tables, totals, engine, work}, presenter);
        ASSERT_EQ(outcome.End, RunEnd::Completed) << outcome.Message;
    }
};

}  // namespace qnetica::test
