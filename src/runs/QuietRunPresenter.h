#pragma once

#include "runs/RunPresenter.h"

namespace qnetica {

// A run that shows nothing: no progress, results, chart or report view, messages dropped and
// "." as the decimal separator. Headless callers answer the parameters dialog and override
// only what they keep.
class QuietRunPresenter : public RunPresenter {
  public:
    void ShowMessage(MessageKind, const std::string&) override {}
    void SetProgress(int) override {}
    void StartProgress(int) override {}
    void CloseProgress() override {}
    void ShowResults(ResultTables&) override {}
    bool ChartRequested() const override { return false; }
    bool ReportViewRequested() const override { return false; }
    void ShowNetworkChart(const StepTotals&, int) override {}
    void OpenReport(const std::string&) override {}
    char DecimalSeparator() const override { return '.'; }
};

}  // namespace qnetica
