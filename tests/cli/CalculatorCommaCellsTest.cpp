#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "cli/CalculatorRun.h"
#include "model/NetworkFile.h"

namespace qnetica {
namespace {

// S0 -> QS 1, which sends half of its requests on to QS 2 and half out; QS 2 sends all out.
void SaveSplitNetwork(const std::string& path, const char* half) {
    NetworkModel model;
    model.AddNode();
    model.AddNode();
    model.Matrix().SetCell(0, 1, "1");
    model.Matrix().SetCell(1, 0, half);
    model.Matrix().SetCell(1, 2, half);
    model.Matrix().SetCell(2, 0, "1");
    model.Qs(1).ServiceTime = 0.5;
    model.Qs(2).ServiceTime = 0.25;
    model.SetInputRate(1);
    ASSERT_TRUE(SaveNetworkFile(model, path).Ok);
}

// A file whose cells were written with a decimal comma calculates as the same cells with a point.
TEST(CalculatorCommaCellsTest, ACellSavedAsZeroCommaFiveIsAHalf) {
    SaveSplitNetwork("comma.qnf", "0,5");
    SaveSplitNetwork("point.qnf", "0.5");
    const test::CalculatorResult comma = test::Calc({"comma.qnf", "--json"});
    const test::CalculatorResult point = test::Calc({"point.qnf", "--json"});
    ASSERT_EQ(comma.code, 0) << comma.err;
    ASSERT_EQ(point.code, 0) << point.err;
    EXPECT_EQ(comma.err, point.err);
    const auto steps = nlohmann::json::parse(comma.out)["steps"];
    EXPECT_EQ(steps, nlohmann::json::parse(point.out)["steps"]);
    EXPECT_EQ(steps[0]["qs"][1]["arrival_rate"].get<double>(), 0.5);
}

}  // namespace
}  // namespace qnetica
