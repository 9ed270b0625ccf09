// What qnetica-calc writes, as processes see it: runs side by side in one folder, a temporary
// folder that is missing or unusable, names planted by another user, full devices.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "CalculatorProcess.h"
#include "ScopedTmpDir.h"
#include "cli/CalculatorRun.h"
#include "model/NetworkFile.h"

namespace qnetica {
namespace {

namespace fs = std::filesystem;
using test::CalculatorProcess;
using test::FileText;

// S0 -> QS 1 -> (QS 2 | QS 3) -> QS 4 -> S0: a plain QS, a relative-priority QS with 2 + variant
// classes, a bounded QS and a relative-priority QS with five unequal classes (QS 2 and 4 plain
// without priority). The variant changes the first service time and the classes, so every
// variant has reports of its own.
void SaveNetwork(const std::string& path, int variant, bool priority = true) {
    NetworkModel model;
    for (int k = 1; k <= 4; ++k) model.AddNode();
    model.SetInputRate(0.5);
    model.SetInputRateText("0.5");
    model.Qs(1).ServiceTime = 0.3 + 0.01 * variant;
    QsParams& first = model.Qs(2);
    first.ServiceTime = 0.2;
    first.RelativePriority = true;
    first.PriorityClasses = 2 + variant;
    for (int j = 1; j <= first.PriorityClasses; ++j) first.ClassShare(j) = 1.0 / (2 + variant);
    model.Qs(3).ServiceTime = 0.4;
    model.Qs(3).BoundedQueue = true;
    model.Qs(3).QueuePlaces = 3;
    QsParams& last = model.Qs(4);
    last.ServiceTime = 0.25;
    last.RelativePriority = true;
    last.PriorityClasses = 5;
    const double shares[] = {0.1, 0.15, 0.2, 0.25, 0.3};
    for (int j = 1; j <= 5; ++j) last.ClassShare(j) = shares[j - 1];
    auto& matrix = model.Matrix();
    matrix.SetCell(0, 1, "1");
    matrix.SetCell(1, 2, "0.6");
    matrix.SetCell(1, 3, "0.4");
    matrix.SetCell(2, 4, "1");
    matrix.SetCell(3, 4, "1");
    matrix.SetCell(4, 0, "1");
    first.RelativePriority = last.RelativePriority = priority;
    ASSERT_TRUE(SaveNetworkFile(model, path).Ok);
}

std::set<std::string> FolderEntries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Where two texts first differ, for a message that does not print megabytes.
std::string FirstDifference(const std::string& a, const std::string& b) {
    const auto [at, ignored] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size()) +
           ", first difference at byte " + std::to_string(at - a.begin());
}

// Eight calculators started together in one folder, each a 100-step run of a network of its own
// with priority QS: each report is byte for byte the report of the same run done alone, and
// nothing but what was asked for is left in the folder.
TEST(CalculatorFilesTest, EightRunsInOneFolderAtOnceGiveTheReportsOfEachRunAlone) {
    constexpr int Runs = 8;
    std::vector<CalculatorProcess> runs(Runs);
    std::set<std::string> expected;
    for (int i = 0; i < Runs; ++i) {
        const std::string network = "net-" + std::to_string(i) + ".qnf";
        SaveNetwork(network, i);
        runs[i].Args = {network,
                        "--steps",
                        "100",
                        "--vary-input-rate",
                        "0.1:" + std::to_string(0.8 + 0.05 * i),
                        "--vary-service",
                        "2=0.1:0.3"};
        runs[i].Stderr = "err-" + std::to_string(i) + ".txt";
        expected.insert({network, runs[i].Stderr});
    }
    auto withReport = [](CalculatorProcess run, const std::string& report) {
        run.Args.insert(run.Args.end(), {"--report", report});
        return run;
    };
    for (int i = 0; i < Runs; ++i) {
        const std::string alone = "alone-" + std::to_string(i) + ".txt";
        ASSERT_EQ(test::RunToEnd(withReport(runs[i], alone)), 0) << FileText(runs[i].Stderr);
        expected.insert(alone);
    }
    std::vector<pid_t> started;
    for (int i = 0; i < Runs; ++i)
        started.push_back(withReport(runs[i], "together-" + std::to_string(i) + ".txt").Start());
    for (int i = 0; i < Runs; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(test::WaitForExit(started[i]), 0) << FileText(runs[i].Stderr);
        const std::string together = "together-" + std::to_string(i) + ".txt";
        const std::string alone = FileText("alone-" + std::to_string(i) + ".txt");
        const std::string report = FileText(together);
        EXPECT_GT(alone.size(), 100000u);
        EXPECT_TRUE(report == alone) << FirstDifference(report, alone);
        expected.insert(together);
    }
    EXPECT_EQ(FolderEntries("."), expected);
}

// A fixed and a varied run, each as report and as JSON.
const std::vector<std::vector<std::string>> FourRuns = {
    {"net.qnf"},
    {"net.qnf", "--json"},
    {"net.qnf", "--steps", "3", "--vary-input-rate", "0.1:0.5"},
    {"net.qnf", "--steps", "3", "--vary-input-rate", "0.1:0.5", "--json"},
};

struct TmpDirCase {
    const char* name;
    std::optional<std::string> tmpDir;
    bool folderGone;  // the current folder removed: nothing can be written there
};

// Whatever TMPDIR holds, and in a current folder nothing can be written in, every run gives what
// it gives with a good TMPDIR, and nothing is left behind.
TEST(CalculatorFilesTest, RunsCompleteWithABadTmpDirAndNoWritableCurrentFolder) {
    SaveNetwork("net.qnf", 1);
    std::ofstream("a-file") << "x";
    fs::create_directory("good-tmp");
    std::vector<test::CalculatorResult> expected;
    {
        const test::ScopedTmpDir good(fs::absolute("good-tmp").string());
        for (const auto& run : FourRuns) expected.push_back(test::Calc(run));
    }
    const TmpDirCase cases[] = {{"unset", std::nullopt, false},
                                {"empty", "", false},
                                {"missing", "/nonexistent", false},
                                {"a file", "a-file", false},
                                {"no folder can be made there", "/proc", false},
                                {"current folder gone", "/nonexistent", true}};
    const fs::path here = fs::current_path();
    for (const TmpDirCase& c : cases) {
        SCOPED_TRACE(c.name);
        const test::ScopedTmpDir tmpDir(c.tmpDir);
        if (c.folderGone) {
            fs::create_directory("gone");
            fs::current_path("gone");
            fs::remove(here / "gone");
            ASSERT_FALSE(std::ofstream("probe").is_open());  // nothing can be made here
        }
        for (std::size_t r = 0; r < FourRuns.size(); ++r) {
            std::vector<std::string> args = FourRuns[r];
            args[0] = (here / args[0]).string();
            const test::CalculatorResult result = test::Calc(args);
            EXPECT_EQ(result.code, 0) << r << result.err;
            EXPECT_EQ(result.out, expected[r].out) << r;
        }
        fs::current_path(here);
    }
    EXPECT_TRUE(fs::is_empty("good-tmp"));
    EXPECT_EQ(FolderEntries("."), (std::set<std::string>{"net.qnf", "a-file", "good-tmp"}));
}

// Links planted by another user under every name the calculator once wrote, in the current
// folder and in TMPDIR: the files they lead to stay as they were, TMPDIR keeps nothing.
TEST(CalculatorFilesTest, LinksUnderTheOldWorkingNamesLeadNowhere) {
    SaveNetwork("net.qnf", 2);
    fs::create_directory("victims");
    fs::create_directory("tmp");
    const std::string tmp = fs::absolute("tmp").string();
    const std::string oldReport = "qnetica-calc-report-" + std::to_string(::getpid()) + ".txt";
    const std::string planted[] = {"qnrep.tmp", "swap.tmp", "report.txt", tmp + "/" + oldReport};
    for (int i = 0; i < 4; ++i) {
        const std::string victim = "victims/" + std::to_string(i);
        std::ofstream(victim) << "victim " << i;
        fs::create_symlink(fs::absolute(victim), planted[i]);
    }
    const test::ScopedTmpDir tmpDir(tmp);
    for (const auto& run : FourRuns) {
        const test::CalculatorResult result = test::Calc(run);
        EXPECT_EQ(result.code, 0) << result.err;
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(FileText("victims/" + std::to_string(i)), "victim " + std::to_string(i));
    EXPECT_EQ(FolderEntries("tmp"), std::set<std::string>{oldReport});
    EXPECT_EQ(FolderEntries("."), (std::set<std::string>{"net.qnf", "victims", "tmp", "qnrep.tmp",
                                                         "swap.tmp", "report.txt"}));
}

// The old working names are ordinary report names now: the report is whole and alone in them.
// Stopped by Ctrl-C, a closed terminal or a kill while it simulates (a run that would go on for
// a minute): the calculator still ends by that signal, as a shell expects, and its work folder
// goes with it.
TEST(CalculatorFilesTest, AStopSignalEndsTheRunAndRemovesItsWorkFolder) {
    SaveNetwork("net.qnf", 1);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        const fs::path tmp = fs::absolute("tmp-" + std::to_string(signal));
        fs::create_directory(tmp);
        CalculatorProcess run;
        run.Args = {"net.qnf", "--json", "--simulate", "--precision", "0", "--max-seconds", "60"};
        run.TmpDir = tmp.string();
        const pid_t pid = run.Start();
        ASSERT_GT(pid, 0);
        for (int wait = 0; wait < 2000 && fs::is_empty(tmp); ++wait) ::usleep(10'000);
        ASSERT_FALSE(fs::is_empty(tmp)) << "no work folder made";
        ::kill(pid, signal);
        EXPECT_EQ(test::WaitForExit(pid), 128 + signal);
        EXPECT_TRUE(fs::is_empty(tmp));
    }
}

TEST(CalculatorFilesTest, AReportUnderAnOldWorkingNameIsTheReport) {
    SaveNetwork("net.qnf", 3);
    for (const auto& run : {FourRuns[0], FourRuns[2]}) {
        auto withReport = [&run](const std::string& name) {
            std::vector<std::string> args = run;
            args.insert(args.end(), {"--report", name});
            EXPECT_EQ(test::Calc(args).code, 0);
            return FileText(name);
        };
        const std::string expected = withReport("plain.txt");
        EXPECT_EQ(withReport("qnrep.tmp"), expected);
        EXPECT_EQ(withReport("swap.tmp"), expected);
    }
}

struct LostOutputCase {
    const char* name;
    std::vector<std::string> args;
    std::string out;
    rlim_t fileSizeLimit;
    std::string message;  // a part of stderr
};

void PrintTo(const LostOutputCase& c, std::ostream* out) {
    *out << c.name;
}

class LostOutputTest : public ::testing::TestWithParam<LostOutputCase> {};

// Output lost to a full device or a file-size limit is a failure with a message, not success.
TEST_P(LostOutputTest, ExitsWithOneAndSaysWhy) {
    SaveNetwork("net.qnf", 1, false);
    const LostOutputCase& c = GetParam();
    CalculatorProcess process;
    process.Args = c.args;
    process.Stdout = c.out;
    process.Stderr = "err.txt";
    process.FileSizeLimit = c.fileSizeLimit;
    EXPECT_EQ(test::RunToEnd(process), 1);
    const std::string err = FileText("err.txt");
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
}

const std::string FullStdout =
    "qnetica-calc: cannot write to standard output: " + std::string(std::strerror(ENOSPC)) + "\n";
const std::string TooLarge = std::string(std::strerror(EFBIG));

const LostOutputCase LostOutputCases[] = {
    {"FixedReport", {"net.qnf"}, "/dev/full", RLIM_INFINITY, FullStdout},
    {"FixedJson", {"net.qnf", "--json"}, "/dev/full", RLIM_INFINITY, FullStdout},
    {"VariedReport",
     {"net.qnf", "--steps", "3", "--vary-input-rate", "0.1:0.5"},
     "/dev/full",
     RLIM_INFINITY,
     FullStdout},
    {"VariedJson",
     {"net.qnf", "--steps", "3", "--vary-input-rate", "0.1:0.5", "--json"},
     "/dev/full",
     RLIM_INFINITY,
     FullStdout},
    {"Help", {"--help"}, "/dev/full", RLIM_INFINITY, FullStdout},
    {"Version", {"--version"}, "/dev/full", RLIM_INFINITY, FullStdout},
    {"FixedReportFile",
     {"net.qnf", "--report", "r.txt"},
     "/dev/null",
     1000,
     ("qnetica-calc: Не удалось записать файл \"r.txt\": " + TooLarge)},
    {"VariedReportFile",
     {"net.qnf", "--steps", "3", "--vary-input-rate", "0.1:0.5", "--report", "r.txt"},
     "/dev/null",
     1000,
     TooLarge},
};

INSTANTIATE_TEST_SUITE_P(Devices, LostOutputTest, ::testing::ValuesIn(LostOutputCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qnetica
