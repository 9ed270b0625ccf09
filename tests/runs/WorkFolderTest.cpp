#include "runs/WorkFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "RunsTestSupport.h"
#include "ScopedTmpDir.h"
#include "runs/QuietRunPresenter.h"
#include "runs/RunCalculation.h"

namespace qnetica {
namespace {

namespace fs = std::filesystem;

struct BaseCase {
    const char* name;
    std::optional<std::string> tmpDir;
    std::string base;  // where the folder must be made
};

void PrintTo(const BaseCase& c, std::ostream* out) {
    *out << c.name;
}

class WorkFolderBaseTest : public ::testing::TestWithParam<BaseCase> {};

// The folder lies in TMPDIR when that is a folder one can make folders in, otherwise in /tmp;
// it is private, and goes with everything in it, but not what its links lead to.
TEST_P(WorkFolderBaseTest, IsMadeInItsBaseAndRemovedWithEverythingInIt) {
    fs::create_directory("own-tmp");
    std::ofstream("a-file") << "x";
    std::ofstream("outside.txt") << "kept";
    const BaseCase& c = GetParam();
    const test::ScopedTmpDir tmpDir(c.tmpDir);
    std::string path;
    {
        WorkFolder folder;
        EXPECT_FALSE(folder.Exists());
        EXPECT_EQ(folder.StepResultsPath(), "");
        ASSERT_TRUE(folder.Prepare().Ok);
        path = folder.Path();
        EXPECT_EQ(fs::canonical(fs::path(path).parent_path()), fs::canonical(c.base));
        EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_all);
        EXPECT_EQ(folder.StepResultsPath(), path + "/qnrep.tmp");
        EXPECT_EQ(folder.ClassResultsPath(), path + "/swap.tmp");
        ASSERT_TRUE(folder.Prepare().Ok);  // made once
        EXPECT_EQ(folder.Path(), path);
        std::ofstream(folder.StepResultsPath()) << "records";
        fs::create_directory(path + "/inner");
        fs::create_symlink(fs::absolute("outside.txt"), path + "/inner/link");
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(test::ReadBytes("outside.txt"), "kept");
}

INSTANTIATE_TEST_SUITE_P(TmpDir, WorkFolderBaseTest,
                         ::testing::Values(BaseCase{"Unset", std::nullopt, "/tmp"},
                                           BaseCase{"Empty", "", "/tmp"},
                                           BaseCase{"AFolder", "own-tmp", "own-tmp"},
                                           BaseCase{"AFolderWithSlash", "own-tmp/", "own-tmp"},
                                           BaseCase{"Missing", "/nonexistent", "/tmp"},
                                           BaseCase{"AFile", "a-file", "/tmp"},
                                           BaseCase{"NoFolderCanBeMadeThere", "/proc", "/tmp"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WorkFolderTest, NoBaseGivesTheMessageOfTheLastOneTried) {
    const test::ScopedTmpDir tmpDir("/proc");
    WorkFolder folder("/nonexistent");
    const FileResult result = folder.Prepare();
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message,
              "Не удалось создать рабочую папку в \"/nonexistent\": No such file or directory");
    EXPECT_FALSE(folder.Exists());
}

TEST(WorkFolderTest, TwoFoldersNeverShareAndOneThatWentIsMadeAnew) {
    std::string taken;
    {
        WorkFolder first, second;
        ASSERT_TRUE(first.Prepare().Ok);
        ASSERT_TRUE(second.Prepare().Ok);
        EXPECT_NE(first.Path(), second.Path());

        // Removed by a cleaner of old files: a new one is made.
        fs::remove_all(first.Path());
        ASSERT_TRUE(first.Prepare().Ok);
        EXPECT_TRUE(fs::is_directory(first.Path()));

        // Taken over under the same name with other rights: not used, and not removed.
        taken = second.Path();
        fs::remove_all(taken);
        fs::create_directory(taken);
        fs::permissions(taken, fs::perms::all);
        ASSERT_TRUE(second.Prepare().Ok);
        EXPECT_NE(second.Path(), taken);
    }
    EXPECT_TRUE(fs::exists(taken));
    fs::remove_all(taken);
}

// Which paths are the runs' own: the records through any path or link, other files of the
// folder as held ones, nothing outside.
TEST(WorkFolderTest, KnowsItsOwnFilesThroughLinks) {
    WorkFolder folder;
    ASSERT_TRUE(folder.Prepare().Ok);
    const std::string path = folder.Path();
    fs::create_symlink(folder.StepResultsPath(), "link-to-records");
    fs::create_symlink(path, "link-to-folder");
    std::ofstream("qnrep.tmp") << "someone else's";
    struct Case {
        std::string path;
        bool held;
        bool record;
    };
    const Case cases[] = {
        {folder.StepResultsPath(), true, true},
        {folder.ClassResultsPath(), true, true},
        {path + "/./inner/../swap.tmp", true, true},
        {"link-to-records", true, true},
        {"link-to-folder/swap.tmp", true, true},
        {path + "/report.txt", true, false},
        {"qnrep.tmp", false, false},
        {path + "/../qnrep.tmp", false, false},
        {"", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(folder.Holds(c.path), c.held);
        EXPECT_EQ(folder.IsRecordFile(c.path), c.record);
    }
}

class SilentDialog : public QuietRunPresenter {
  public:
    std::function<void(VariationPlan&)> Dialog;
    std::vector<std::string> Errors;
    void ShowMessage(MessageKind kind, const std::string& text) override {
        if (kind == MessageKind::Error) Errors.push_back(text);
    }
    void AskRunParameters(VariationPlan& plan) override { Dialog(plan); }
};

// S0 -> QS 1 -> S0, relative priority with two classes when asked.
struct OneQsRun {
    NetworkModel model;
    VariationPlan plan;
    ResultTables tables;
    StepTotals totals;
    AnalysisEngine engine;
    WorkFolder work;
    SilentDialog presenter;

    OneQsRun(bool priority, std::string lastResort) : work(std::move(lastResort)) {
        test::AddQs(model, 1);
        model.Matrix().SetCell(0, 1, "1");
        model.Matrix().SetCell(1, 0, "1");
        model.Qs(1).ServiceTime = 0.5;
        model.SetInputRate(1);
        model.SetInputRateText("1");
        if (!priority) return;
        model.Qs(1).RelativePriority = true;
        model.Qs(1).PriorityClasses = 2;
        model.Qs(1).ClassShare(1) = model.Qs(1).ClassShare(2) = 0.5;
    }
    RunOutcome Run(bool varied, const std::string& report = "report.txt") {
        presenter.Dialog = [=, this](VariationPlan& p) {
            p.LoadPlanDefaults(model);
            p.StepCount = 2;
            p.ReportFileName = report;
            p.VaryInputRate = varied;
            p.InputRateTo = 2;
            ASSERT_FALSE(p.PreparePlanSteps(model, varied));
            p.VariedRun = varied;
            p.Confirmed = true;
        };
        return RunCalculation(model, {plan, tables, totals, engine, work}, presenter);
    }
};

// Only a run that writes records needs the folder; one that cannot have it ends with the
// folder's message, and nothing is written into the current folder.
TEST(WorkFolderRunTest, ARunThatNeedsTheFolderAndCannotHaveItEndsWithItsMessage) {
    const test::ScopedTmpDir tmpDir("/nonexistent");
    const std::string message =
        "Не удалось создать рабочую папку в \"/nonexistent-too\": No such file or directory";
    struct Case {
        bool priority;
        bool varied;
        RunEnd end;
    };
    for (const Case c : {Case{false, false, RunEnd::Completed}, Case{true, false, RunEnd::Aborted},
                         Case{false, true, RunEnd::Aborted}, Case{true, true, RunEnd::Aborted}}) {
        SCOPED_TRACE(testing::Message() << c.priority << c.varied);
        OneQsRun run(c.priority, "/nonexistent-too");
        const RunOutcome outcome = run.Run(c.varied);
        EXPECT_EQ(outcome.End, c.end);
        const auto expected = c.end == RunEnd::Aborted ? std::vector<std::string>{message}
                                                       : std::vector<std::string>{};
        EXPECT_EQ(run.presenter.Errors, expected);
        EXPECT_EQ(run.model.InputRate(), 1);
        EXPECT_TRUE(fs::is_empty(".")) << "the run wrote into the current folder";
    }
}

TEST(WorkFolderRunTest, AReportThatIsARecordFileIsRefused) {
    OneQsRun run(true, "/tmp");
    ASSERT_TRUE(run.work.Prepare().Ok);
    fs::create_symlink(run.work.ClassResultsPath(), "report-link.txt");
    for (const std::string& report : {run.work.StepResultsPath(), std::string("report-link.txt")}) {
        SCOPED_TRACE(report);
        run.presenter.Errors.clear();
        EXPECT_EQ(run.Run(true, report).End, RunEnd::Aborted);
        EXPECT_EQ(run.presenter.Errors,
                  std::vector<std::string>{"Не удалось создать файл \"" + report +
                                           "\": это рабочий файл расчета"});
    }
    EXPECT_FALSE(fs::exists(run.work.StepResultsPath()));
}

}  // namespace
}  // namespace qnetica
