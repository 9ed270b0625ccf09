// What qnetica-calc writes, as processes see it: runs side by side in one folder, a temporary
// folder that is missing or unusable, names planted by another user, full devices.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "CalculatorProcess.h"
#include "model/NetworkFile.h"

namespace qnetica {
namespace {

namespace fs = std::filesystem;
using test::CalculatorProcess;
using test::FileText;

// S0 -> QS 1 -> (QS 2 | QS 3) -> QS 4 -> S0: a plain QS, a relative-priority QS with 2 + variant
// classes, a bounded QS and a relative-priority QS with five unequal classes. The variant
// changes the first service time and the classes, so every variant has reports of its own.
void SavePriorityNetwork(const std::string& path, int variant) {
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
    matrix.Cell(0, 1) = "1";
    matrix.Cell(1, 2) = "0.6";
    matrix.Cell(1, 3) = "0.4";
    matrix.Cell(2, 4) = "1";
    matrix.Cell(3, 4) = "1";
    matrix.Cell(4, 0) = "1";
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
        SavePriorityNetwork(network, i);
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

}  // namespace
}  // namespace qnetica
