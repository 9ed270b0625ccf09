#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <utility>
#include <vector>

#include "RunsTestSupport.h"
#include "runs/VariationPlan.h"

namespace qnetica {
namespace {

// A network of three QS with distinct values, and a plan opened on it as the dialog does.
class VariationPlanTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::AddQs(model, 3);
        model.SetInputRate(0.8);
        for (int k = 1; k <= 3; ++k) {
            model.Qs(k).ServiceTime = 0.1 * k;
            model.Qs(k).Channels = k;
            model.Qs(k).QueuePlaces = 10 * k;
        }
        plan.LoadPlanDefaults(model);
    }

    // Runs a whole varied run and records one model value after each applied step.
    template <typename Value>
    std::vector<Value> AppliedValues(std::function<Value()> read) {
        EXPECT_FALSE(plan.PreparePlanSteps(model, true).has_value());
        std::vector<Value> values;
        for (int step = 1; step <= plan.StepCount; ++step) {
            plan.ApplyPlanStep(model);
            values.push_back(read());
        }
        return values;
    }

    NetworkModel model;
    VariationPlan plan;
};

TEST_F(VariationPlanTest, InputRateOneToTwoOverThreeStepsAppliesOneOneAndAHalfTwo) {
    plan.InputRateFrom = 1;
    plan.InputRateTo = 2;
    plan.StepCount = 3;
    plan.VaryInputRate = true;
    EXPECT_EQ(AppliedValues<double>([&] { return model.InputRate(); }),
              (std::vector<double>{1, 1.5, 2}));
    EXPECT_TRUE(plan.InputRateVaried);
}

TEST_F(VariationPlanTest, ChannelsOneToThreeOverFiveStepsRoundHalfUp) {
    plan.Qs(2).ChannelsFrom = 1;
    plan.Qs(2).ChannelsTo = 3;
    plan.StepCount = 5;
    plan.VaryChannels = true;
    EXPECT_EQ(AppliedValues<int>([&] { return model.Qs(2).Channels; }),
              (std::vector<int>{1, 2, 2, 3, 3}));
    EXPECT_DOUBLE_EQ(plan.Qs(2).ChannelsIncrement, 0.5);
    EXPECT_TRUE(plan.ChannelsVaried[1]);
    EXPECT_FALSE(plan.ChannelsVaried[0]);  // QS 1 keeps from = to
}

TEST_F(VariationPlanTest, PlacesAndServiceTimeStepTogether) {
    plan.Qs(1).PlacesFrom = 2;
    plan.Qs(1).PlacesTo = 5;
    plan.Qs(3).ServiceFrom = 1;
    plan.Qs(3).ServiceTo = 0.25;
    plan.StepCount = 4;
    plan.VaryPlaces = plan.VaryServiceTime = true;
    using Values = std::pair<int, double>;
    EXPECT_EQ(AppliedValues<Values>([&] {
                  return Values{model.Qs(1).QueuePlaces, model.Qs(3).ServiceTime};
              }),
              (std::vector<Values>{{2, 1}, {3, 0.75}, {4, 0.5}, {5, 0.25}}));
    EXPECT_EQ(model.Qs(1).Channels, 1);  // channels are not varied
}

TEST_F(VariationPlanTest, EqualFromAndToKeepTheValueInEveryStep) {
    plan.Qs(1).ServiceFrom = plan.Qs(1).ServiceTo = 0.7;
    plan.StepCount = 4;
    plan.VaryServiceTime = true;
    EXPECT_EQ(AppliedValues<double>([&] { return model.Qs(1).ServiceTime; }),
              (std::vector<double>{0.7, 0.7, 0.7, 0.7}));
    EXPECT_FALSE(plan.ServiceVaried[0]);
    EXPECT_EQ(model.Qs(2).ServiceTime, 0.2);  // QS 2 took its from/to from the model
}

TEST_F(VariationPlanTest, FirstOpeningTakesEveryZeroValueFromTheModel) {
    EXPECT_EQ(plan.InputRateFrom, 0.8);
    EXPECT_EQ(plan.InputRateTo, 0.8);
    EXPECT_EQ(plan.Qs(3).ServiceFrom, model.Qs(3).ServiceTime);
    EXPECT_EQ(plan.Qs(3).ChannelsTo, 3);
    EXPECT_EQ(plan.Qs(3).PlacesFrom, 30);
    EXPECT_EQ(plan.Qs(4).ChannelsFrom, 0);  // beyond the network
    EXPECT_EQ(plan.ReportFileName, "report.txt");
    EXPECT_EQ(plan.StepCount, 2);
}

TEST_F(VariationPlanTest, PlanFilledEarlierWinsOverAChangedModel) {
    plan.Qs(1).ServiceFrom = 2;
    plan.Qs(1).ServiceTo = 2;
    plan.InputRateFrom = 3;
    model.Qs(1).ServiceTime = 5;
    model.SetInputRate(9);
    plan.LoadPlanDefaults(model);

    EXPECT_EQ(plan.Qs(1).ServiceFrom, 2);
    EXPECT_EQ(plan.InputRateFrom, 3);
    EXPECT_EQ(plan.InputRateTo, 0.8);       // stored at the first opening
    EXPECT_EQ(plan.Qs(1).ServiceSaved, 5);  // the saved values always follow the model
    EXPECT_EQ(plan.InputRateSaved, 9);
    plan.VaryServiceTime = true;
    EXPECT_EQ(AppliedValues<double>([&] { return model.Qs(1).ServiceTime; }),
              (std::vector<double>{2, 2}));
}

TEST_F(VariationPlanTest, OpeningClearsTheFlagsOfTheLastRun) {
    plan.VaryInputRate = plan.VaryChannels = plan.Confirmed = true;
    plan.Qs(1).ChannelsTo = 4;
    plan.InputRateTo = 2;
    ASSERT_FALSE(plan.PreparePlanSteps(model, true).has_value());
    ASSERT_TRUE(plan.ChannelsVaried[0] && plan.InputRateVaried);
    plan.StepCount = 0;
    plan.ReportFileName.clear();

    plan.LoadPlanDefaults(model);
    EXPECT_FALSE(plan.VaryInputRate || plan.VaryChannels || plan.Confirmed);
    EXPECT_FALSE(plan.ChannelsVaried[0] || plan.InputRateVaried);
    EXPECT_EQ(plan.StepCount, 2);
    EXPECT_EQ(plan.ReportFileName, "report.txt");
}

// How many steps of a run had been applied before RestorePlanValues: none (cancelled after
// preparing), one (a run aborted in its first step) or all of them.
class RestoreTest : public VariationPlanTest, public ::testing::WithParamInterface<int> {};

TEST_P(RestoreTest, GivesBackTheValuesFromWhenTheDialogOpened) {
    plan.InputRateFrom = 1;
    plan.InputRateTo = 3;
    for (int k = 1; k <= 3; ++k) {
        plan.Qs(k).ServiceFrom = 5;
        plan.Qs(k).ChannelsTo = 7;
        plan.Qs(k).PlacesFrom = 1;
    }
    plan.StepCount = 3;
    plan.VaryInputRate = plan.VaryServiceTime = plan.VaryChannels = plan.VaryPlaces = true;
    ASSERT_FALSE(plan.PreparePlanSteps(model, true).has_value());
    for (int step = 0; step < GetParam(); ++step) plan.ApplyPlanStep(model);

    plan.RestorePlanValues(model);
    EXPECT_EQ(model.InputRate(), 0.8);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(model.Qs(k).ServiceTime, 0.1 * k) << k;
        EXPECT_EQ(model.Qs(k).Channels, k) << k;
        EXPECT_EQ(model.Qs(k).QueuePlaces, 10 * k) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(AppliedSteps, RestoreTest, ::testing::Values(0, 1, 3));

struct StepCountCase {
    int stepCount;
    bool variedRun;
    bool refused;
};

void PrintTo(const StepCountCase& c, std::ostream* out) {
    *out << (c.variedRun ? "varied run of " : "fixed run of ") << c.stepCount << " steps";
}

class StepCountTest : public VariationPlanTest,
                      public ::testing::WithParamInterface<StepCountCase> {};

TEST_P(StepCountTest, VariedRunNeedsTwoToOneHundredSteps) {
    const auto c = GetParam();
    plan.InputRateTo = 1.8;
    plan.StepCount = c.stepCount;
    const auto refusal = plan.PreparePlanSteps(model, c.variedRun);
    if (c.refused) {
        ASSERT_TRUE(refusal.has_value());
        EXPECT_EQ(*refusal, "Количество циклов должно лежать в пределах от 2 до 100.");
        EXPECT_EQ(plan.InputRateIncrement, 0);  // nothing prepared
        EXPECT_FALSE(plan.InputRateVaried);
        return;
    }
    ASSERT_FALSE(refusal.has_value());
    EXPECT_TRUE(std::isfinite(plan.InputRateIncrement));
    if (c.stepCount < 2) {
        EXPECT_EQ(plan.InputRateIncrement, 0);  // no division by count - 1
        EXPECT_FALSE(plan.InputRateVaried);
    } else {
        EXPECT_DOUBLE_EQ(plan.InputRateIncrement, 1.0 / (c.stepCount - 1));
    }
    EXPECT_EQ(plan.InputRateCurrent, 0.8);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, StepCountTest,
    ::testing::Values(StepCountCase{1, true, true}, StepCountCase{101, true, true},
                      StepCountCase{0, true, true}, StepCountCase{-3, true, true},
                      StepCountCase{2, true, false}, StepCountCase{100, true, false},
                      StepCountCase{1, false, false}, StepCountCase{0, false, false},
                      StepCountCase{101, false, false}));

TEST_F(VariationPlanTest, ResetPlanZeroesTheDiscardedNetworkOnly) {
    plan.Qs(4).ServiceFrom = 9;  // a slot above the network being discarded
    plan.StepCount = 7;
    plan.ReportFileName = "mine.txt";
    plan.VaryPlaces = true;
    plan.ResetPlan(model.NodeCount());

    EXPECT_EQ(plan.InputRateFrom, 0);
    EXPECT_EQ(plan.InputRateSaved, 0);
    EXPECT_EQ(plan.Qs(3).ServiceFrom, 0);
    EXPECT_EQ(plan.Qs(3).ChannelsSaved, 0);
    EXPECT_EQ(plan.Qs(4).ServiceFrom, 0);  // slot NodeCount is reset too
    EXPECT_EQ(plan.StepCount, 2);
    EXPECT_EQ(plan.ReportFileName, "mine.txt");
    EXPECT_TRUE(plan.VaryPlaces);

    plan.Qs(5).ServiceFrom = 9;
    plan.ResetPlan(4);
    EXPECT_EQ(plan.Qs(5).ServiceFrom, 9);
}

TEST(RoundHalfUpTest, AddsOneWhenTheFractionIsAtLeastAHalf) {
    const struct {
        double value;
        int rounded;
    } cases[] = {{2.5, 3},    {2.49, 2}, {2.0, 2},   {0.5, 1},  {0.4999999, 0},
                 {1.9999, 2}, {0, 0},    {-2.5, -2}, {-2.6, -2}};
    for (const auto& c : cases) EXPECT_EQ(RoundHalfUp(c.value), c.rounded) << c.value;
}

}  // namespace
}  // namespace qnetica
