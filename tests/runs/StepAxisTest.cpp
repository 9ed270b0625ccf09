#include <gtest/gtest.h>

#include <vector>

#include "model/NetworkModel.h"
#include "runs/DistinctNumberText.h"
#include "runs/ResultsCsv.h"
#include "runs/StepAxis.h"
#include "runs/VariationPlan.h"

namespace qnetica {
namespace {

struct DistinctCase {
    std::vector<double> Values;
    std::vector<std::string> Texts;
};

class DistinctNumberTextTest : public ::testing::TestWithParam<DistinctCase> {};

TEST_P(DistinctNumberTextTest, FewestDecimalsThatTellTheValuesApart) {
    EXPECT_EQ(FormatDistinct(GetParam().Values), GetParam().Texts);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DistinctNumberTextTest,
    ::testing::Values(
        DistinctCase{{2, 3}, {"2", "3"}}, DistinctCase{{1, 1.5, 2}, {"1.0", "1.5", "2.0"}},
        // 0.1 + k * 0.1 / 11 by additions: 0.10, 0.11, .. would give 0.15 twice (0.1455, 0.1545).
        DistinctCase{{0.1, 0.1090909, 0.1181818, 0.1272727, 0.1363636, 0.1454545, 0.1545455},
                     {"0.100", "0.109", "0.118", "0.127", "0.136", "0.145", "0.155"}},
        // Equal values stay equal; a sum's rounding error is no difference.
        DistinctCase{{1, 2, 2, 3}, {"1", "2", "2", "3"}},
        DistinctCase{{0.3, 0.1 + 0.2, 0.9}, {"0.3", "0.3", "0.9"}},  // not "0", "0", "1"
        // Each text within a quarter step of its value: 2.005 is no "2.01" beside 2.015.
        DistinctCase{{2, 2.0050505, 2.010101, 2.0151515}, {"2.000", "2.005", "2.010", "2.015"}},
        DistinctCase{{2.5, 2.5}, {"2.5", "2.5"}},
        // A tiny negative value is no "-0".
        DistinctCase{{-1e-17, 0.5}, {"0.0", "0.5"}},
        DistinctCase{{1e-7, 2e-7}, {"0.0000001", "0.0000002"}}, DistinctCase{{}, {}}));

// Slots beyond the network keep the increments of an earlier, larger one; only the network's
// own QS count, and two varied parameters give the step numbers.
TEST(StepAxisTest, OneVariedParameterOfTheNetworksOwnQs) {
    NetworkModel model;
    for (int k = 1; k <= 3; ++k) model.AddNode();
    VariationPlan plan;
    plan.VaryServiceTime = true;
    plan.Qs(2).ServiceIncrement = 0.5;
    plan.Qs(8).ServiceIncrement = 1;  // left by a network of 8 QS
    StepAxis axis;
    axis.Begin(plan, model);
    EXPECT_EQ(axis.Parameter, VariedParameter::ServiceTime);
    EXPECT_EQ(axis.Qs, 2);
    for (int step = 1; step <= 3; ++step) {
        model.Qs(2).ServiceTime = 0.5 * step;
        axis.Record(step, model);
    }
    EXPECT_EQ(axis.Labels(3), (std::vector<std::string>{"0.5", "1.0", "1.5"}));
    EXPECT_EQ(axis.Title(3), "Время обслуживания в СМО 2");
    // More steps than the run had: numbers again.
    EXPECT_EQ(axis.Labels(4), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(axis.Title(4), "Шаг");

    plan.VaryChannels = true;
    plan.Qs(1).ChannelsIncrement = 1;
    axis.Begin(plan, model);
    EXPECT_EQ(axis.Parameter, VariedParameter::None);
    axis.Record(1, model);
    EXPECT_EQ(axis.Title(1), "Шаг");
}

TEST(ResultsCsvTest, LocaleChoosesSeparatorAndDecimalMark) {
    EXPECT_EQ(CsvStyleFor(',').Separator, ';');
    EXPECT_EQ(CsvStyleFor(',').DecimalMark, ',');
    EXPECT_EQ(CsvStyleFor('.').Separator, ',');
    EXPECT_EQ(CsvStyleFor('.').DecimalMark, '.');
}

}  // namespace
}  // namespace qnetica
