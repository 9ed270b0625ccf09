// The example networks of models/, as a newcomer meets them: each calculates, in the window's
// run and in the calculator, without a single message, and every QS of it is stable.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include "CalculatorProcess.h"
#include "support/ExampleRun.h"

namespace qnetica {
namespace {

using test::ExampleEntry;

std::string ModelsFolder() {
    return test::SourceFolder("models");
}

std::vector<ExampleEntry> Examples() {
    return test::ReadExampleIndex(ModelsFolder());
}

TEST(ExampleNetworksTest, TheIndexDescribesEveryExampleFileAndNamesTheTaughtOnes) {
    std::set<std::string> listed;
    for (const ExampleEntry& entry : Examples()) {
        EXPECT_FALSE(entry.Title.empty()) << entry.File;
        EXPECT_FALSE(entry.Description.empty()) << entry.File;
        EXPECT_TRUE(listed.insert(entry.File).second) << entry.File << " listed twice";
    }
    std::set<std::string> files;
    for (const auto& item : std::filesystem::directory_iterator(ModelsFolder()))
        if (item.path().extension() == ".qnf") files.insert(item.path().filename().string());
    EXPECT_EQ(listed, files);
    for (const char* taught :
         {"clinic.qnf", "production-line.qnf", "call-centre.qnf", "emergency.qnf", "bottleneck.qnf",
          "large-generated.qnf", "single-qs.qnf", "three-kinds.qnf"})
        EXPECT_TRUE(listed.count(taught)) << taught;
}

TEST(ExampleNetworksTest, EachCalculatesWithoutAMessageAndEveryQsIsStable) {
    for (const ExampleEntry& entry : Examples()) {
        SCOPED_TRACE(entry.File);
        test::FixedRun run(ModelsFolder() + "/" + entry.File);
        ASSERT_EQ(run.OpenMessage, "");
        EXPECT_EQ(run.End, RunEnd::Completed);
        EXPECT_TRUE(run.ResultsShown);
        EXPECT_EQ(run.Messages, std::vector<std::string>{});
        for (int k = 1; k < run.Model.NodeCount(); ++k) {
            const QsParams& qs = run.Model.Qs(k);
            EXPECT_LT(qs.Results.ArrivalRate * qs.ServiceTime / qs.Channels, 1.0) << "QS " << k;
            EXPECT_GT(qs.Results.ArrivalRate, 0.0) << "QS " << k << " is never reached";
        }
    }
}

// The arrival rates against the balance of every flow, read from the matrix afresh: what comes
// into a QS is what the outside and every node send to it, and all that enters leaves.
TEST(ExampleNetworksTest, TheirArrivalRatesBalanceEveryFlow) {
    for (const ExampleEntry& entry : Examples()) {
        SCOPED_TRACE(entry.File);
        test::FixedRun run(ModelsFolder() + "/" + entry.File);
        const NetworkModel& model = run.Model;
        const int n = model.NodeCount();
        auto rate = [&](int node) {
            return node == 0 ? static_cast<long double>(model.InputRate())
                             : static_cast<long double>(model.Qs(node).Results.ArrivalRate);
        };
        auto p = [&](int from, int to) { return std::stold(model.Matrix().Cell(from, to)); };
        long double leaving = 0;
        for (int j = 0; j < n; ++j) {
            long double inflow = 0;
            for (int i = 0; i < n; ++i)
                if (!model.Matrix().Cell(i, j).empty()) inflow += rate(i) * p(i, j);
            if (j == 0) {
                leaving = inflow;
                continue;
            }
            EXPECT_NEAR(static_cast<double>(inflow), static_cast<double>(rate(j)),
                        1e-12 * static_cast<double>(rate(j)))
                << "QS " << j;
        }
        EXPECT_NEAR(static_cast<double>(leaving), model.InputRate(), 1e-12 * model.InputRate());
    }
}

TEST(ExampleNetworksTest, TheCalculatorComputesEachWithExitZeroAndNothingOnStderr) {
    for (const ExampleEntry& entry : Examples()) {
        SCOPED_TRACE(entry.File);
        test::CalculatorProcess calculator;
        calculator.Args = {ModelsFolder() + "/" + entry.File, "--json"};
        calculator.Stdout = "examples.json";
        calculator.Stderr = "examples.err";
        EXPECT_EQ(test::RunToEnd(calculator), 0);
        EXPECT_EQ(test::FileText("examples.err"), "");
        EXPECT_NE(test::FileText("examples.json").find("\"messages\": []"), std::string::npos);
    }
}

}  // namespace
}  // namespace qnetica
