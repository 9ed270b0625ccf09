#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/Calculator.h"
#include "cli/CalculatorRun.h"
#include "engine/AnalysisEngine.h"
#include "model/Cp1251.h"
#include "model/NetworkFile.h"
#include "runs/ResultsReport.h"

namespace qnetica {
namespace {

using nlohmann::json;

class SilentObserver : public CalculationObserver {
  public:
    void ShowMessage(MessageKind, const std::string&) override {}
    void SetProgress(int) override {}
};

// S0 -> QS 1 -> QS 2 -> S0 with a plain and a priority QS.
void BuildNetwork(NetworkModel& model) {
    model.AddNode();
    model.AddNode();
    model.Matrix().SetCell(0, 1, "1");
    model.Matrix().SetCell(1, 2, "1");
    model.Matrix().SetCell(2, 0, "1");
    model.Qs(1).ServiceTime = 0.5;
    model.Qs(1).Name = "Первая";
    QsParams& priority = model.Qs(2);
    priority.ServiceTime = 0.25;
    priority.RelativePriority = true;
    priority.PriorityClasses = 2;
    priority.ClassShare(1) = 0.25;
    priority.ClassShare(2) = 0.75;
    model.SetInputRate(1);
    model.SetInputRateText("1.0000000000");
}

using test::Calc;
using Result = test::CalculatorResult;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CalculatorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        NetworkModel model;
        BuildNetwork(model);
        ASSERT_TRUE(SaveNetworkFile(model, path_).Ok);
    }
    const std::string path_ = "calc-network.qnf";
};

TEST_F(CalculatorTest, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--bogus", path_},
        {path_, "--vary-service", "1:2"},
        {path_, "--vary-input-rate", "1-2"},
        {path_, "--vary-channels", "9=1:2"},
        {path_, "--vary-service", "1=a:2"},
        {path_, "--steps", "1", "--vary-input-rate", "1:2"},
        {path_, "--steps", "101"},
        {path_, "--steps", "many"},
    };
    for (const auto& args : cases) {
        const Result result = Calc(args);
        EXPECT_EQ(result.code, 2) << testing::PrintToString(args);
        EXPECT_FALSE(result.err.empty());
        EXPECT_TRUE(result.out.empty());
    }
    const Result help = Calc({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--vary-places"), std::string::npos);
}

TEST_F(CalculatorTest, UnreadableFilesExitWithOne) {
    EXPECT_EQ(Calc({"absent.qnf"}).code, 1);
    std::ofstream("short.qnf") << "not a network";
    const Result refused = Calc({"short.qnf"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("short.qnf"), std::string::npos);
}

TEST_F(CalculatorTest, FixedRunJsonHoldsTheEngineValues) {
    NetworkModel model;
    BuildNetwork(model);
    AnalysisEngine engine;
    CalculationContext context;
    SilentObserver observer;
    engine.StartRun();
    ASSERT_TRUE(engine.CalculateStep(model, context, observer).Completed);

    const Result result = Calc({path_, "--json"});
    ASSERT_EQ(result.code, 0) << result.err;
    const json results = json::parse(result.out);
    EXPECT_EQ(results["node_count"], 3);
    ASSERT_EQ(results["steps"].size(), 1u);
    const json& step = results["steps"][0];
    EXPECT_EQ(step["totals"]["network_sojourn_time"].get<double>(),
              engine.Totals().NetworkSojournTime);
    const json& qs = step["qs"];
    ASSERT_EQ(qs.size(), 2u);
    EXPECT_EQ(qs[0]["name"], "Первая");
    EXPECT_EQ(qs[0]["kind"], "plain");
    EXPECT_EQ(qs[1]["kind"], "priority");
    for (int k = 1; k <= 2; ++k) {
        const QsResults& r = model.Qs(k).Results;
        EXPECT_EQ(qs[k - 1]["wait_time"].get<double>(), r.WaitTime);
        EXPECT_EQ(qs[k - 1]["queue_length"].get<double>(), r.QueueLength);
        EXPECT_EQ(qs[k - 1]["load_factor"].get<double>(), r.LoadFactor);
        EXPECT_EQ(qs[k - 1]["transfer_coefficient"].get<double>(), r.TransferCoefficient);
    }
    ASSERT_EQ(qs[1]["classes"].size(), 2u);
    EXPECT_EQ(qs[1]["classes"][1]["share"].get<double>(), 0.75);
    EXPECT_EQ(qs[1]["classes"][1]["arrival_rate"].get<double>(), 0.75);
    // Class 2 is the more urgent one and waits less.
    EXPECT_LT(qs[1]["classes"][1]["wait_time"].get<double>(),
              qs[1]["classes"][0]["wait_time"].get<double>());
}

TEST_F(CalculatorTest, VariedRunJsonHasOneEntryPerStep) {
    const Result result = Calc({path_, "--json", "--steps", "3", "--vary-input-rate", "0.5:1.5",
                                "--vary-service", "2=0.1:0.3"});
    ASSERT_EQ(result.code, 0) << result.err;
    const json results = json::parse(result.out);
    ASSERT_EQ(results["steps"].size(), 3u);
    const double rates[] = {0.5, 1.0, 1.5};
    const double services[] = {0.1, 0.2, 0.3};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(results["steps"][i]["step"], i + 1);
        EXPECT_EQ(results["steps"][i]["input_rate"].get<double>(), rates[i]);
        EXPECT_NEAR(results["steps"][i]["qs"][1]["service_time"].get<double>(), services[i], 1e-15);
    }
    EXPECT_EQ(results["input_rate"].get<double>(), 1);  // given back after the run
    EXPECT_FALSE(std::filesystem::exists("qnrep.tmp"));
}

TEST_F(CalculatorTest, FixedReportIsTheResultsWindowReport) {
    std::filesystem::remove("calc-report.txt");
    const Result result = Calc({path_, "--report", "calc-report.txt"});
    ASSERT_EQ(result.code, 0) << result.err;

    NetworkModel model;
    BuildNetwork(model);
    AnalysisEngine engine;
    CalculationContext context;
    SilentObserver observer;
    engine.StartRun();
    ASSERT_TRUE(engine.CalculateStep(model, context, observer).Completed);
    ResultTables tables;
    tables.FillResultTables(model, context, engine.Totals());
    tables.WriteHeaderRows(QsHeaderVariant::ResultsWindow);
    ASSERT_TRUE(WriteResultsReport("expected-report.txt", tables, model.NodeCount()).Ok);
    EXPECT_EQ(ReadAll("calc-report.txt"), ReadAll("expected-report.txt"));

    // The terminal gets the same report in UTF-8 with LF.
    EXPECT_EQ(result.out.find('\r'), std::string::npos);
    EXPECT_NE(result.out.find("Характеристики сети в целом:\n"), std::string::npos);
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 26);
    std::string expected = Cp1251ToUtf8(ReadAll("calc-report.txt"));
    for (std::size_t cr; (cr = expected.find("\r\n")) != std::string::npos;) expected.erase(cr, 1);
    EXPECT_EQ(result.out, expected);
}

TEST_F(CalculatorTest, VariedReportIsWrittenInWindowsCodePage) {
    const Result result =
        Calc({path_, "--steps", "2", "--vary-input-rate", "1:1.5", "--report", "calc-varied.txt"});
    ASSERT_EQ(result.code, 0) << result.err;
    const std::string bytes = ReadAll("calc-varied.txt");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(
        bytes.rfind(Utf8ToCp1251("Результат расчета сети с варьируемыми параметрами:\r\n"), 0), 0u);
    EXPECT_NE(result.out.find("Расчет по варьируемым параметрам шаг 2 :"), std::string::npos);
}

}  // namespace
}  // namespace qnetica
