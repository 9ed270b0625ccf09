#pragma once

#include <string>

#include "engine/AnalysisEngine.h"
#include "engine/CalculationObserver.h"
#include "runs/ResultTables.h"
#include "runs/StepTotals.h"
#include "runs/VariationPlan.h"

namespace qnetica {

// Everything a calculation run shows or asks: the windows implement it with the parameters
// dialog, the progress window, the results and chart windows; the calculator with the terminal.
class RunPresenter : public CalculationObserver {
  public:
    // The parameters dialog: edits the plan; sets Confirmed (and prepares the steps) on "go".
    virtual void AskRunParameters(VariationPlan& plan) = 0;
    // Lets the windows draw once, so the progress window appears before the run starts.
    virtual void ProcessPendingEvents() {}
    virtual void StartProgress(int maximum) = 0;
    virtual void CloseProgress() = 0;
    // The editor's report and chart commands become useful once a varied run has started.
    virtual void EnableDisplayCommands() {}
    // After each step, once the result tables hold it.
    virtual void StepCompleted(const NetworkModel& /*model*/, const CalculationContext& /*context*/,
                               const AnalysisEngine& /*engine*/, const ResultTables& /*tables*/) {}
    virtual void ShowResults(ResultTables& tables) = 0;  // the end of a fixed run
    virtual bool ChartRequested() const = 0;             // "Диаграмма" ticked
    virtual bool ReportViewRequested() const = 0;  // "Просмотреть отчет" ticked
    virtual void ShowNetworkChart(const StepTotals& totals, int stepCount) = 0;
    virtual void OpenReport(const std::string& fileName) = 0;
    // For the class lines of the varied-run report, which use the user's locale.
    virtual char DecimalSeparator() const = 0;
};

}  // namespace qnetica
