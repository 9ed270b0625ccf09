#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "BoundedTandem.h"
#include "model/NetworkModel.h"
#include "sim/SimulationInput.h"
#include "sim/SimulationMessages.h"

namespace qnetica::sim {

void PrintTo(const InputProblem& p, std::ostream* out) {
    *out << "{kind " << static_cast<int>(p.Kind) << ", node " << p.Node << ", column " << p.Column
         << ", value " << p.Value << ", \"" << p.Text << "\"}";
}

namespace {

// Three QS: S0 -> S1 -> S2 -> S0 with a way back from S2 to S1; S3 is reached by nobody.
void FillChain(NetworkModel& model) {
    model.SetInputRate(0.5);
    for (int k = 1; k <= 3; ++k) {
        model.AddNode();
        model.Qs(k).ServiceTime = 0.5;
        model.Qs(k).Channels = 2;
    }
    TransferMatrix& m = model.Matrix();
    m.SetCell(0, 1, "1");
    m.SetCell(1, 2, " 1.0");
    m.SetCell(2, 0, "0.75");
    m.SetCell(2, 1, "2.5E-1");
}

struct ProblemCase {
    const char* Name;
    std::function<void(NetworkModel&)> Change;
    std::vector<InputProblem> Expected;
};

TEST(SimulationInputTest, ProblemsOfWhatRequestsReachRefuseTheSimulation) {
    using K = ProblemKind;
    const ProblemCase cases[] = {
        {"a sound network", [](NetworkModel&) {}, {}},
        {"QS 3 unreached: its empty row and its parameters do not matter",
         [](NetworkModel& m) {
             m.Qs(3).Channels = 0;
             m.Qs(3).ServiceTime = -1;
         },
         {}},
        {"input rate 0",
         [](NetworkModel& m) { m.SetInputRate(0); },
         {{K::InputRateNotPositive, 0, 0, 0, {}}}},
        {"row 2 sums to 0.9",
         [](NetworkModel& m) { m.Matrix().SetCell(2, 0, "0.65"); },
         {{K::RowSumNotOne, 2, 0, 0.9, {}}}},
        {"row within the tolerance",
         [](NetworkModel& m) { m.Matrix().SetCell(2, 0, "0.7500000005"); },
         {}},
        {"a decimal comma reads as the point",
         [](NetworkModel& m) { m.Matrix().SetCell(2, 0, "0,75"); },
         {}},
        {"a cell that is not a number, though the row sums to 1",
         [](NetworkModel& m) { m.Matrix().SetCell(2, 3, "0,0,0"); },
         {{K::CellNotNumber, 2, 3, 0, "0,0,0"}}},
        {"a negative transfer",
         [](NetworkModel& m) {
             m.Matrix().SetCell(2, 0, "1.25");
             m.Matrix().SetCell(2, 1, "-0.25");
         },
         {{K::TransferNotProbability, 2, 1, -0.25, {}}}},
        {"a loop that never leads out",
         [](NetworkModel& m) {
             m.Matrix().SetCell(2, 0, "");
             m.Matrix().SetCell(2, 1, "1");
         },
         {{K::NoWayOut, 1, 0, 0, {}}, {K::NoWayOut, 2, 0, 0, {}}}},
        {"QS 1 parameters",
         [](NetworkModel& m) {
             m.Qs(1).ServiceTime = 0;
             m.Qs(1).Channels = 0;
         },
         {{K::ServiceTimeNotPositive, 1, 0, 0, {}}, {K::ChannelsBelowOne, 1, 0, 0, {}}}},
        {"bounded without places",
         [](NetworkModel& m) { m.Qs(2).BoundedQueue = true; },
         {{K::PlacesBelowOne, 2, 0, 0, {}}}},
        {"priority without classes",
         [](NetworkModel& m) { m.Qs(2).RelativePriority = true; },
         {{K::ClassCountOutOfRange, 2, 0, 0, {}}}},
        {"priority with 51 classes",
         [](NetworkModel& m) {
             m.Qs(2).RelativePriority = true;
             m.Qs(2).PriorityClasses = 51;
         },
         {{K::ClassCountOutOfRange, 2, 0, 0, {}}}},
        {"priority with a negative share",
         [](NetworkModel& m) {
             m.Qs(2).RelativePriority = true;
             m.Qs(2).PriorityClasses = 2;
             m.Qs(2).ClassShare(1) = 1.5;
             m.Qs(2).ClassShare(2) = -0.5;
         },
         {{K::SharesInvalid, 2, 0, 0, {}}}},
    };
    for (const ProblemCase& c : cases) {
        NetworkModel model;
        FillChain(model);
        c.Change(model);
        const SimulationInput input = ReadSimulationInput(model);
        EXPECT_EQ(input.Problems, c.Expected) << c.Name;
        EXPECT_EQ(input.CanSimulate(), c.Expected.empty()) << c.Name;
    }
}

// The matrix is read as the analysis reads it, and a QS with both flags is a bounded one.
TEST(SimulationInputTest, TheNetworkIsReadAsTheAnalysisReadsIt) {
    NetworkModel model;
    FillChain(model);
    model.Qs(1).BoundedQueue = model.Qs(1).RelativePriority = true;
    model.Qs(1).QueuePlaces = 4;
    model.Qs(2).RelativePriority = true;
    model.Qs(2).PriorityClasses = 2;
    model.Qs(2).ClassShare(1) = 0.3;
    model.Qs(2).ClassShare(2) = 0.7;
    const SimulationInput input = ReadSimulationInput(model);
    ASSERT_TRUE(input.CanSimulate());
    const SimulationNetwork& network = input.Network;
    EXPECT_EQ(network.InputRate, 0.5);
    ASSERT_EQ(network.Qs.size(), 3u);
    EXPECT_EQ(network.Qs[0].Kind, QsKind::Bounded);
    EXPECT_EQ(network.Qs[0].Places, 4);
    EXPECT_EQ(network.Qs[1].Kind, QsKind::Priority);
    EXPECT_EQ(network.Qs[1].ClassShares, (std::vector<double>{0.3, 0.7}));
    const std::vector<std::vector<double>> transfer = {
        {0, 1, 0, 0}, {0, 0, 1, 0}, {0.75, 0.25, 0, 0}, {0, 0, 0, 0}};
    EXPECT_EQ(network.Transfer, transfer);
    // lambda_1 = 0.5 + 0.25 lambda_2, lambda_2 = lambda_1: both 2/3; S3 none.
    ASSERT_EQ(input.FlowsWithoutLosses.size(), 4u);
    EXPECT_DOUBLE_EQ(input.FlowsWithoutLosses[1], 2.0 / 3);
    EXPECT_DOUBLE_EQ(input.FlowsWithoutLosses[2], 2.0 / 3);
    EXPECT_EQ(input.FlowsWithoutLosses[3], 0.0);
}

// Overload by the loss-free flows is a warning, not a refusal, and only for queues that can
// grow: a bounded QS never overloads.
TEST(SimulationInputTest, QsWhoseLossFreeLoadReachesOneAreFlagged) {
    NetworkModel model;
    FillChain(model);
    model.SetInputRate(3);  // lambda = 4 at QS 1 and 2: load 4 * 0.5 / 2 = 1
    model.Qs(1).BoundedQueue = true;
    model.Qs(1).QueuePlaces = 2;
    const SimulationInput input = ReadSimulationInput(model);
    EXPECT_TRUE(input.CanSimulate());
    EXPECT_EQ(input.Overloads, (std::vector<OverloadWarning>{{2, 1.0}}));
    EXPECT_EQ(OverloadMessage(input.Overloads[0]),
              "Коэффициент загрузки в СМО#2 без учета потерь не меньше 1 (равен 1.0000000000): "
              "очередь может расти без предела.");
}

// The model's doubles come through the cell texts unchanged.
TEST(SimulationInputTest, ABoundedNetworkReadFromTheModelIsTheOneDescribed) {
    const test::BoundedTandem tandem;
    NetworkModel model;
    tandem.Fill(model);
    const SimulationInput input = ReadSimulationInput(model);
    ASSERT_TRUE(input.CanSimulate());
    const SimulationNetwork expected = tandem.Network();
    EXPECT_EQ(input.Network.InputRate, expected.InputRate);
    EXPECT_EQ(input.Network.Transfer, expected.Transfer);
    for (int q = 0; q < 2; ++q) {
        EXPECT_EQ(input.Network.Qs[q].Kind, QsKind::Bounded);
        EXPECT_EQ(input.Network.Qs[q].Places, expected.Qs[q].Places);
        EXPECT_EQ(input.Network.Qs[q].Channels, expected.Qs[q].Channels);
        EXPECT_EQ(input.Network.Qs[q].ServiceTime, expected.Qs[q].ServiceTime);
    }
}

TEST(SimulationInputTest, ProblemMessages) {
    EXPECT_EQ(ProblemMessage({ProblemKind::RowSumNotOne, 2, 0, 0.9, {}}),
              "Имитация невозможна: сумма 2-ой строки не равна 1 (равна 0.9000000000).");
    EXPECT_EQ(ProblemMessage({ProblemKind::CellNotNumber, 2, 0, 0, "0,75"}),
              "Имитация невозможна: ячейка (S2, S0) матрицы вероятностей передач не является "
              "числом: \"0,75\".");
    EXPECT_EQ(ProblemMessage({ProblemKind::NoWayOut, 4, 0, 0, {}}),
              "Имитация невозможна: заявки, попавшие в СМО#4, никогда не покидают сеть.");
}

}  // namespace
}  // namespace qnetica::sim
