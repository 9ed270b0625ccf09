#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "EngineTestSupport.h"

namespace qnetica {
namespace {

using test::CommandRun;
using test::NetworkSketch;
using test::SingleQsNetwork;

struct Figures {
    double OfferedLoad, LoadFactor, IdleProbability, QueueLength, WaitTime, InSystem, SojournTime;
};

void ExpectFigures(const QsResults& results, const Figures& expected) {
    EXPECT_DOUBLE_EQ(results.OfferedLoad, expected.OfferedLoad);
    EXPECT_DOUBLE_EQ(results.LoadFactor, expected.LoadFactor);
    EXPECT_DOUBLE_EQ(results.IdleProbability, expected.IdleProbability);
    EXPECT_DOUBLE_EQ(results.QueueLength, expected.QueueLength);
    EXPECT_DOUBLE_EQ(results.WaitTime, expected.WaitTime);
    EXPECT_DOUBLE_EQ(results.InSystem, expected.InSystem);
    EXPECT_DOUBLE_EQ(results.SojournTime, expected.SojournTime);
}

TEST(NetworkStepTest, FiguresOfPlainQs) {
    struct Case {
        double lambda;
        int channels;
        Figures expected;
    };
    const Case cases[] = {
        {0.5, 1, {0.5, 0.5, 0.5, 0.5, 1.0, 1.0, 2.0}},
        {1.0, 2, {1.0, 0.5, 1.0 / 3, 1.0 / 3, 1.0 / 3, 4.0 / 3, 4.0 / 3}},
    };
    for (const Case& c : cases) {
        NetworkModel model;
        const QsParams& qs = SingleQsNetwork(model, c.lambda, 1.0, c.channels);
        CommandRun run;
        ASSERT_TRUE(run.Step(model).Completed);
        ExpectFigures(qs.Results, c.expected);
        EXPECT_EQ(qs.Results.TransferCoefficient, 1.0);
        const QsResultsSnapshot& snapshot = run.Engine.Snapshots()[0];
        EXPECT_EQ(snapshot.ArrivalRate, c.lambda);
        EXPECT_EQ(snapshot.OfferedLoad, qs.Results.OfferedLoad);
        EXPECT_EQ(snapshot.QueueLength, qs.Results.QueueLength);
        EXPECT_EQ(snapshot.InSystem, qs.Results.InSystem);
        EXPECT_EQ(snapshot.WaitTime, qs.Results.WaitTime);
        EXPECT_EQ(snapshot.SojournTime, qs.Results.SojournTime);
        EXPECT_EQ(snapshot.LoadFactor, qs.Results.LoadFactor);
        EXPECT_EQ(snapshot.TransferCoefficient, 1.0);
    }
}

TEST(NetworkStepTest, AQsThatNoFlowReachesIsEmpty) {
    NetworkModel model;
    NetworkSketch sketch(model, 1.0);
    sketch.AddQs(0.5);
    const QsParams& idle = sketch.AddQs(3.0, 2);
    sketch.Link(0, 1, 1).Link(1, 0, 1).Link(2, 0, 1);
    CommandRun run;
    ASSERT_TRUE(run.Step(model).Completed);
    ExpectFigures(idle.Results, {0, 0, 1, 0, 0, 0, 3.0});
    EXPECT_EQ(idle.Results.TransferCoefficient, 0.0);
}

class PriorityStepTest : public test::ScratchFolderTest {};

TEST_F(PriorityStepTest, ARelativePriorityQsStoresTheLoadOfItsClassesPerChannel) {
    NetworkModel model;
    QsParams& qs = SingleQsNetwork(model, 1.0, 1.0, 2);
    qs.RelativePriority = true;
    qs.PriorityClasses = 2;
    qs.ClassShare(1) = 0.25;
    qs.ClassShare(2) = 0.5;  // the shares need not sum to 1
    CommandRun run;
    ASSERT_TRUE(run.Step(model).Completed);
    EXPECT_DOUBLE_EQ(qs.Results.LoadFactor, 0.375);
    EXPECT_DOUBLE_EQ(qs.Results.OfferedLoad, 1.0);
}

// An overloaded QS keeps the queue values, transfer coefficient and snapshot of the step before.
TEST(NetworkStepTest, AnOverloadedQsKeepsItsEarlierValues) {
    NetworkModel model;
    QsParams& qs = SingleQsNetwork(model, 0.5, 1.0);
    CommandRun run(true);
    run.Step(model, 1);
    const QsResults before = qs.Results;
    const QsResultsSnapshot snapshotBefore = run.Engine.Snapshots()[0];
    model.SetInputRate(1.5);
    run.Step(model, 2);
    EXPECT_TRUE(run.Context.Overloaded);
    EXPECT_EQ(qs.Results.ArrivalRate, 1.5);
    EXPECT_EQ(qs.Results.LoadFactor, 1.5);
    EXPECT_EQ(qs.Results.QueueLength, before.QueueLength);
    EXPECT_EQ(qs.Results.InSystem, before.InSystem);
    EXPECT_EQ(qs.Results.WaitTime, before.WaitTime);
    EXPECT_EQ(qs.Results.SojournTime, before.SojournTime);
    EXPECT_EQ(qs.Results.IdleProbability, before.IdleProbability);
    EXPECT_EQ(qs.Results.TransferCoefficient, before.TransferCoefficient);
    EXPECT_EQ(run.Engine.Snapshots()[0].ArrivalRate, snapshotBefore.ArrivalRate);
    EXPECT_EQ(run.Engine.Snapshots()[0].WaitTime, snapshotBefore.WaitTime);
    // The totals sum what the fields hold.
    EXPECT_EQ(run.Engine.Totals().QueuedTotal, before.QueueLength);
    EXPECT_EQ(run.Engine.Totals().NetworkSojournTime, before.SojournTime);
}

TEST(NetworkStepTest, NetworkTotals) {
    struct Case {
        const char* name;
        double inputRate;
        std::vector<std::array<double, 3>> transfers;
        NetworkTotals expected;
    };
    const Case cases[] = {
        {"straight through", 0.5, {{0, 1, 1}, {1, 0, 1}}, {0.5, 1.0, 1.0, 2.0}},
        {"with feedback", 0.25, {{0, 1, 1}, {1, 1, 0.5}, {1, 0, 0.5}}, {0.5, 1.0, 2.0, 4.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NetworkModel model;
        NetworkSketch sketch(model, c.inputRate);
        sketch.AddQs(1.0);
        for (const auto& t : c.transfers)
            sketch.Link(static_cast<int>(t[0]), static_cast<int>(t[1]), t[2]);
        CommandRun run;
        ASSERT_TRUE(run.Step(model).Completed);
        EXPECT_FALSE(run.Context.Overloaded);
        const NetworkTotals& totals = run.Engine.Totals();
        EXPECT_DOUBLE_EQ(totals.QueuedTotal, c.expected.QueuedTotal);
        EXPECT_DOUBLE_EQ(totals.InNetworkTotal, c.expected.InNetworkTotal);
        EXPECT_DOUBLE_EQ(totals.NetworkWaitTime, c.expected.NetworkWaitTime);
        EXPECT_DOUBLE_EQ(totals.NetworkSojournTime, c.expected.NetworkSojournTime);
    }
}

TEST(NetworkStepTest, ANetworkWithoutQsHasZeroTotals) {
    NetworkModel model;
    model.SetInputRate(1.0);
    CommandRun run;
    ASSERT_TRUE(run.Step(model).Completed);
    const NetworkTotals& totals = run.Engine.Totals();
    EXPECT_EQ(totals.QueuedTotal, 0.0);
    EXPECT_EQ(totals.InNetworkTotal, 0.0);
    EXPECT_EQ(totals.NetworkWaitTime, 0.0);
    EXPECT_EQ(totals.NetworkSojournTime, 0.0);
}

TEST(NetworkStepTest, StartRunForgetsTheLastCommand) {
    NetworkModel model;
    SingleQsNetwork(model, 0.5, 1.0);
    CommandRun run;
    run.Step(model);
    run.Engine.StartRun();
    EXPECT_EQ(run.Engine.Snapshots()[0].ArrivalRate, 0.0);
    EXPECT_EQ(run.Engine.Totals().QueuedTotal, 0.0);
    // The unknowns start from 0 again: a singular first step leaves the rates at 0.
    model.Matrix().SetCell(1, 0, "");
    model.Matrix().SetCell(1, 1, "1");
    CalculationContext context;
    test::RecordingObserver observer;
    run.Engine.CalculateStep(model, context, observer);
    EXPECT_EQ(model.Qs(1).Results.ArrivalRate, 0.0);
}

}  // namespace
}  // namespace qnetica
