#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RunsTestSupport.h"
#include "runs/QuietRunPresenter.h"
#include "runs/ResultsReport.h"
#include "runs/RunCalculation.h"
#include "runs/StepResultsFile.h"
#include "runs/StepResultsReader.h"

namespace qnetica {
namespace {

namespace fs = std::filesystem;

// The parameters dialog as the user confirms it: a plan the dialog refuses is not confirmed.
class DialogPresenter : public QuietRunPresenter {
  public:
    DialogPresenter(const NetworkModel& model, int steps, std::string reportFile)
        : model_(model), steps_(steps), reportFile_(std::move(reportFile)) {}

    void ShowMessage(MessageKind kind, const std::string& text) override {
        if (kind == MessageKind::Error) Errors.push_back(text);
    }
    void AskRunParameters(VariationPlan& plan) override {
        plan.LoadPlanDefaults(model_);
        plan.StepCount = steps_;
        plan.ReportFileName = reportFile_;
        plan.VaryInputRate = true;
        plan.InputRateFrom = 0.2;
        plan.InputRateTo = 0.4;
        plan.VaryServiceTime = true;
        plan.Qs(1).ServiceFrom = 0.5;
        plan.Qs(1).ServiceTo = 1.5;
        if (plan.PreparePlanSteps(model_, true)) return;
        plan.VariedRun = plan.Confirmed = true;
    }
    void StepCompleted(const NetworkModel&, const CalculationContext&, const AnalysisEngine&,
                       const ResultTables&) override {
        ++Steps;
    }
    char DecimalSeparator() const override { return ','; }

    std::vector<std::string> Errors;
    int Steps = 0;

  private:
    const NetworkModel& model_;
    int steps_;
    std::string reportFile_;
};

// S0 -> QS 1 -> QS 2 -> S0.
struct Network {
    NetworkModel model;
    VariationPlan plan;
    ResultTables tables;
    StepTotals totals;
    AnalysisEngine engine;
    WorkFolder work;

    Network() {
        test::AddQs(model, 2);
        model.Matrix().SetCell(0, 1, "1");
        model.Matrix().SetCell(1, 2, "1");
        model.Matrix().SetCell(2, 0, "1");
        model.Qs(1).ServiceTime = 1;
        model.Qs(2).ServiceTime = 0.25;
        model.SetInputRateText("0.3");
    }
    RunOutcome Run(DialogPresenter& presenter) {
        return RunCalculation(model, {plan, tables, totals, engine, work}, presenter);
    }
};

int CountLines(const std::string& bytes, const std::string& line) {
    int count = 0;
    for (std::size_t at = bytes.find(line); at != std::string::npos; at = bytes.find(line, at + 1))
        ++count;
    return count;
}

// Every file write of the process fails with EFBIG once a file would grow beyond the limit,
// as on a full disk; SIGXFSZ is ignored so that the failure reaches the program.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tiny = saved_;
        tiny.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }

  private:
    rlimit saved_{};
    void (*handler_)(int) = nullptr;
};

// Only 2..100 steps have room: 1 and 101 are refused by the dialog and nothing is written.
TEST(HostileRunTest, StepCountsOutsideTwoToOneHundredDoNotStart) {
    for (int steps : {1, 101, 0, -1, INT_MAX}) {
        SCOPED_TRACE(steps);
        Network network;
        DialogPresenter presenter(network.model, steps, "report.txt");
        EXPECT_EQ(network.Run(presenter).End, RunEnd::Cancelled);
        EXPECT_EQ(presenter.Steps, 0);
        EXPECT_FALSE(network.work.Exists());
        EXPECT_FALSE(fs::exists("report.txt"));
    }
    for (int steps : {2, 100}) {
        SCOPED_TRACE(steps);
        Network network;
        DialogPresenter presenter(network.model, steps, "report.txt");
        ASSERT_EQ(network.Run(presenter).End, RunEnd::Completed);
        EXPECT_EQ(presenter.Steps, steps);
        EXPECT_EQ(fs::file_size(network.work.StepResultsPath()), steps * StepSnapshotSize);
        EXPECT_EQ(CountLines(test::ReadBytes("report.txt"), "\r\n>>\r\n"), steps);
        EXPECT_EQ(network.model.Qs(1).ServiceTime, 1.0);  // given back
    }
}

// A report or results file that cannot be created aborts the run before its first step with one
// message naming the file; the model gets its values back.
TEST(HostileRunTest, FilesThatCannotBeCreatedAbortBeforeTheFirstStep) {
    std::ofstream("plain-file") << "x";
    fs::create_directory("a-folder");
    struct Case {
        const char* report;
        const char* named;
        bool stepsFileAsFolder;
    };
    const Case cases[] = {
        {"no-such-folder/report.txt", "no-such-folder/report.txt", false},
        {"plain-file/report.txt", "plain-file/report.txt", false},
        {"a-folder", "a-folder", false},
        {"", "\"\"", false},
        {"report.txt", StepResultsFileName, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        Network network;
        if (c.stepsFileAsFolder) {
            ASSERT_TRUE(network.work.Prepare().Ok);
            fs::create_directory(network.work.StepResultsPath());
        }
        DialogPresenter presenter(network.model, 3, c.report);
        EXPECT_EQ(network.Run(presenter).End, RunEnd::Aborted);
        EXPECT_EQ(presenter.Steps, 0);
        ASSERT_EQ(presenter.Errors.size(), 1u);
        EXPECT_NE(presenter.Errors[0].find(c.named), std::string::npos) << presenter.Errors[0];
        EXPECT_EQ(network.model.Qs(1).ServiceTime, 1.0);
    }
}

// A disk that fills up during a varied run: the step whose record no longer fits aborts the run
// with the system's reason; the whole records written before stay readable.
TEST(HostileRunTest, FullDiskDuringAVariedRunAbortsAtTheStepThatNoLongerFits) {
    Network network;
    DialogPresenter presenter(network.model, 5, "report.txt");
    RunOutcome outcome;
    {
        const FileSizeLimit limit(2 * StepSnapshotSize + 1000);
        outcome = network.Run(presenter);
    }
    EXPECT_EQ(outcome.End, RunEnd::Aborted);
    EXPECT_EQ(presenter.Steps, 2);
    ASSERT_EQ(presenter.Errors.size(), 1u);
    EXPECT_EQ(presenter.Errors[0], "Не удалось записать файл \"" + network.work.StepResultsPath() +
                                       "\": " + std::strerror(EFBIG));
    EXPECT_EQ(network.model.Qs(1).ServiceTime, 1.0);
    const StepResultsReadout readout = ReadStepResults(network.work.StepResultsPath());
    ASSERT_TRUE(readout.Result.Ok) << readout.Result.Message;
    EXPECT_EQ(readout.Steps.size(), 2u);
    EXPECT_EQ(CountLines(test::ReadBytes("report.txt"), "\r\n>>\r\n"), 2);
}

TEST(HostileRunTest, FullDiskFailsTheResultsReportNamingTheFile) {
    Network network;
    network.model.SetInputRateText("0.3");
    network.model.SetInputRate(0.3);
    CalculationContext context;
    ResultTables tables;
    tables.WriteHeaderRows(QsHeaderVariant::ResultsWindow);
    tables.FillResultTables(network.model, context, NetworkTotals{});
    FileResult result;
    {
        const FileSizeLimit limit(1000);
        result = WriteResultsReport("fixed-report.txt", tables, network.model.NodeCount());
    }
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, "Не удалось записать файл \"fixed-report.txt\": " +
                                  std::string(std::strerror(EFBIG)));
}

}  // namespace
}  // namespace qnetica
