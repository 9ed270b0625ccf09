#pragma once

#include "runs/RunPresenter.h"
#include "widgets/PlatformDialogs.h"

namespace qnetica {

class ProgramWindows;

// A calculation run in the windows: the parameters dialog asks, the progress window follows the
// traffic equations, messages are the platform's boxes, a fixed run ends in the results window
// and a varied run in the network chart and the report opened by the desktop.
class WindowRunPresenter : public RunPresenter {
  public:
    WindowRunPresenter(ProgramWindows& windows, PlatformDialogs& dialogs);

    void AskRunParameters(VariationPlan& plan) override;
    void ProcessPendingEvents() override;
    void StartProgress(int maximum) override;
    void SetProgress(int value) override;
    void CloseProgress() override;
    void ShowMessage(MessageKind kind, const std::string& text) override;
    void EnableDisplayCommands() override;
    void ShowResults(ResultTables& tables) override;
    bool ChartRequested() const override;
    bool ReportViewRequested() const override;
    void ShowNetworkChart(const StepTotals& totals, int stepCount) override;
    void OpenReport(const std::string& fileName) override;
    char DecimalSeparator() const override;

  private:
    void ShowProgressWindow();

    ProgramWindows& windows_;
    PlatformDialogs& dialogs_;
};

}  // namespace qnetica
