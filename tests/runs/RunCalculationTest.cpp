#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "RunsTestSupport.h"
#include "runs/RunCalculation.h"
#include "runs/StepResultsFile.h"

namespace qnetica {
namespace {

// Plays the windows: the dialog's answer is a function of the plan, every call is recorded.
class ScriptedPresenter : public RunPresenter {
  public:
    std::function<void(VariationPlan&)> Dialog = [](VariationPlan&) {};
    std::vector<std::string> Messages;
    std::vector<std::string> Events;
    std::vector<double> StepInputRates;
    std::vector<std::vector<int>> StepChannels;
    bool Chart = false;
    bool ViewReport = false;

    void ShowMessage(MessageKind kind, const std::string& text) override {
        Messages.push_back((kind == MessageKind::Error         ? "error: "
                            : kind == MessageKind::Information ? "info: "
                                                               : "") +
                           text);
    }
    void SetProgress(int) override {}
    void AskRunParameters(VariationPlan& plan) override { Dialog(plan); }
    void StartProgress(int maximum) override {
        Events.push_back("progress " + std::to_string(maximum));
    }
    void CloseProgress() override { Events.push_back("close progress"); }
    void EnableDisplayCommands() override { Events.push_back("enable displays"); }
    void StepCompleted(const NetworkModel& model, const CalculationContext&, const AnalysisEngine&,
                       const ResultTables&) override {
        StepInputRates.push_back(model.InputRate());
        std::vector<int> channels;
        for (int k = 1; k < model.NodeCount(); ++k) channels.push_back(model.Qs(k).Channels);
        StepChannels.push_back(channels);
    }
    void ShowResults(ResultTables&) override { Events.push_back("results"); }
    bool ChartRequested() const override { return Chart; }
    bool ReportViewRequested() const override { return ViewReport; }
    void ShowNetworkChart(const StepTotals&, int steps) override {
        Events.push_back("chart " + std::to_string(steps));
    }
    void OpenReport(const std::string& file) override { Events.push_back("open " + file); }
    char DecimalSeparator() const override { return ','; }
};

// S0 -> QS 1 -> QS 2 -> S0, one channel each, service times 0.5 and 0.25.
struct Fixture {
    NetworkModel model;
    VariationPlan plan;
    ResultTables tables;
    StepTotals totals;
    AnalysisEngine engine;
    WorkFolder work;
    ScriptedPresenter presenter;

    Fixture() {
        test::AddQs(model, 2);
        model.Matrix().SetCell(0, 1, "1");
        model.Matrix().SetCell(1, 2, "1");
        model.Matrix().SetCell(2, 0, "1");
        model.Qs(1).ServiceTime = 0.5;
        model.Qs(2).ServiceTime = 0.25;
        model.SetInputRate(1);
        model.SetInputRateText("1");
        std::remove("report.txt");
    }

    // The dialog as the user fills it: defaults from the model, then the given changes.
    void Confirm(bool varied, int steps, const std::function<void(VariationPlan&)>& edit = {}) {
        presenter.Dialog = [=, this](VariationPlan& p) {
            p.LoadPlanDefaults(model);
            p.StepCount = steps;
            if (edit) edit(p);
            ASSERT_FALSE(p.PreparePlanSteps(model, varied));
            p.VariedRun = varied;
            p.Confirmed = true;
        };
    }
    RunOutcome Run() {
        return RunCalculation(model, {plan, tables, totals, engine, work}, presenter);
    }
};

TEST(RunCalculationTest, FixedRunCalculatesOnceAndShowsTheResults) {
    Fixture f;
    f.Confirm(false, 2);
    f.model.SetGenerated(true);
    EXPECT_EQ(f.Run().End, RunEnd::Completed);
    EXPECT_EQ(f.presenter.Events,
              (std::vector<std::string>{"progress 3", "close progress", "results"}));
    EXPECT_EQ(f.presenter.StepInputRates, std::vector<double>{1});
    EXPECT_FALSE(f.work.Exists());  // nothing to record: no folder made
    EXPECT_FALSE(std::filesystem::exists("report.txt"));
    EXPECT_FALSE(f.model.Generated());
    EXPECT_EQ(f.tables.QsTable[1][2], "1.0000000000");
}

TEST(RunCalculationTest, CancelledDialogStillReadsTheInputRateText) {
    Fixture f;
    f.model.SetInputRateText("0.25");
    f.model.SetGenerated(true);
    EXPECT_EQ(f.Run().End, RunEnd::Cancelled);
    EXPECT_EQ(f.model.InputRate(), 0.25);
    EXPECT_TRUE(f.presenter.Events.empty());
    EXPECT_TRUE(f.model.Generated());
}

TEST(RunCalculationTest, VariedRunAppliesEachStepAndRestoresTheModel) {
    Fixture f;
    f.presenter.Chart = f.presenter.ViewReport = true;
    f.Confirm(true, 5, [](VariationPlan& p) {
        p.VaryInputRate = p.VaryChannels = true;
        p.InputRateFrom = 0.5;
        p.InputRateTo = 1.5;
        p.Qs(1).ChannelsFrom = 1;
        p.Qs(1).ChannelsTo = 3;
    });
    f.model.Qs(1).Channels = 7;  // the plan's range wins over the model's value in the run
    EXPECT_EQ(f.Run().End, RunEnd::Completed);
    EXPECT_EQ(f.presenter.StepInputRates, (std::vector<double>{0.5, 0.75, 1, 1.25, 1.5}));
    std::vector<int> firstQsChannels;
    for (const auto& step : f.presenter.StepChannels) firstQsChannels.push_back(step[0]);
    EXPECT_EQ(firstQsChannels, (std::vector<int>{1, 2, 2, 3, 3}));
    EXPECT_EQ(f.model.InputRate(), 1);     // restored
    EXPECT_EQ(f.model.Qs(1).Channels, 7);  // the value when the dialog opened
    EXPECT_EQ(f.presenter.Messages,
              std::vector<std::string>{"info: Отчет сохранен в файл \"report.txt\"."});
    EXPECT_EQ(f.presenter.Events,
              (std::vector<std::string>{"progress 15", "enable displays", "close progress",
                                        "chart 5", "open report.txt"}));
    EXPECT_EQ(std::filesystem::file_size(f.work.StepResultsPath()), 5 * StepSnapshotSize);
    EXPECT_EQ(f.totals.QueuedTotal[4], f.engine.Totals().QueuedTotal);
    EXPECT_GT(f.totals.QueuedTotal[4], f.totals.QueuedTotal[0]);
}

TEST(RunCalculationTest, StepRecordsKeepAnOverloadedQsAtItsEarlierStep) {
    Fixture f;
    f.Confirm(true, 3, [](VariationPlan& p) {
        p.VaryInputRate = true;
        p.InputRateFrom = 1;
        p.InputRateTo = 3;  // QS 1 (t = 0.5) is overloaded from rate 2 on
    });
    EXPECT_EQ(f.Run().End, RunEnd::Completed);
    const std::string bytes = test::ReadBytes(f.work.StepResultsPath());
    ASSERT_EQ(bytes.size(), 3 * StepSnapshotSize);
    const StepSnapshot step1 =
        DecodeStepSnapshot(std::string_view(bytes).substr(0, StepSnapshotSize));
    const StepSnapshot step2 =
        DecodeStepSnapshot(std::string_view(bytes).substr(StepSnapshotSize, StepSnapshotSize));
    EXPECT_EQ(step1[0].ArrivalRate, 1);
    EXPECT_EQ(step1[0].WaitTime, 0.5);   // M/M/1, rho 0.5, t 0.5
    EXPECT_EQ(step2[0].ArrivalRate, 1);  // the whole block is the step-1 one
    EXPECT_EQ(step2[0].WaitTime, step1[0].WaitTime);
    EXPECT_EQ(step2[1].ArrivalRate, 2);  // QS 2 (t = 0.25) is fine at rate 2
    for (int k = 3; k <= SnapshotCount; ++k) EXPECT_EQ(step2[k - 1].ArrivalRate, 0) << k;
    // No overload message in a varied run.
    EXPECT_EQ(f.presenter.Messages.size(), 1u);
}

TEST(RunCalculationTest, UnwritableReportAbortsAndRestoresTheModel) {
    Fixture f;
    f.Confirm(true, 3, [](VariationPlan& p) {
        p.VaryServiceTime = true;
        p.Qs(1).ServiceFrom = 0.1;
        p.Qs(1).ServiceTo = 0.3;
        p.ReportFileName = "no-such-folder/report.txt";
    });
    const RunOutcome outcome = f.Run();
    EXPECT_EQ(outcome.End, RunEnd::Aborted);
    ASSERT_EQ(f.presenter.Messages.size(), 1u);
    EXPECT_NE(f.presenter.Messages[0].find("error: "), std::string::npos);
    EXPECT_NE(f.presenter.Messages[0].find("no-such-folder/report.txt"), std::string::npos);
    EXPECT_EQ(f.model.Qs(1).ServiceTime, 0.5);
    EXPECT_EQ(f.presenter.Events.back(), "close progress");
}

TEST(RunCalculationTest, EngineFailureInAStepRestoresTheModelAndShowsOneMessage) {
    Fixture f;
    f.Confirm(true, 3, [](VariationPlan& p) {
        p.VaryChannels = true;
        p.Qs(2).ChannelsFrom = 1;
        p.Qs(2).ChannelsTo = -1;  // step 2 has no channel
    });
    EXPECT_EQ(f.Run().End, RunEnd::Aborted);
    EXPECT_EQ(f.presenter.Messages,
              std::vector<std::string>{"error: В СМО#2 число каналов меньше 1."});
    EXPECT_EQ(f.model.Qs(2).Channels, 1);
    EXPECT_EQ(f.presenter.StepInputRates.size(), 1u);
    EXPECT_EQ(std::filesystem::file_size(f.work.StepResultsPath()), StepSnapshotSize);
}

// The losses setting is the user's: the dialog's defaults keep it, and the run computes with it. QS
// 1 (one place) loses what finds it busy, so QS 2 gets only the served flow.
TEST(RunCalculationTest, TheRunComputesWithThePlansLossesSetting) {
    Fixture f;
    f.model.Qs(1).BoundedQueue = true;
    f.model.Qs(1).QueuePlaces = 1;
    f.plan.AccountLosses = true;
    f.presenter.Dialog = [&f](VariationPlan& p) {
        p.LoadPlanDefaults(f.model);
        ASSERT_FALSE(p.ConfirmPlan(f.model, false));
    };
    ASSERT_EQ(f.Run().End, RunEnd::Completed);
    EXPECT_TRUE(f.plan.AccountLosses);
    // M/M/1/1 at a = 0.5 serves 1 / (1 + a) of its arrivals.
    EXPECT_DOUBLE_EQ(f.model.Qs(2).Results.ArrivalRate, 1.0 / 1.5);
    EXPECT_DOUBLE_EQ(f.engine.Losses(1).LossProbability, 0.5 / 1.5);
    EXPECT_EQ(f.engine.Losses(1).ServedRate, f.model.Qs(2).Results.ArrivalRate);
}

}  // namespace
}  // namespace qnetica
