#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BoundedTandem.h"
#include "ExactQueues.h"
#include "engine/AnalysisEngine.h"
#include "engine/FlowsAfterLosses.h"
#include "engine/WorkMatrix.h"
#include "model/NetworkFile.h"

namespace qnetica::sim::test {
namespace {

class QuietObserver : public CalculationObserver {
  public:
    void ShowMessage(MessageKind, const std::string& text) override { Messages.push_back(text); }
    void SetProgress(int) override {}
    std::vector<std::string> Messages;
};

using Fill = std::function<void(NetworkModel&)>;

// One fixed calculation of a network, with or without the flows after losses.
struct Analysis {
    NetworkModel Model;
    AnalysisEngine Engine;
    QuietObserver Observer;
    StepOutcome Outcome;

    Analysis(const Fill& fill, bool accountLosses) {
        fill(Model);
        CalculationContext context;
        context.AccountLosses = accountLosses;
        Engine.StartRun();
        context.StartStep(1);
        Outcome = Engine.CalculateStep(Model, context, Observer);
    }
    const QsResults& Qs(int k) const { return Model.Qs(k).Results; }
};

long double Cell(const NetworkModel& model, int i, int j) {
    const ParsedNumber parsed = model.Matrix().Number(i, j);
    return parsed.IsNumber ? parsed.Value : 0;
}

// Relative difference; the absolute one from an expected 0 (a QS that nothing reaches).
double Relative(long double actual, long double expected) {
    const long double difference = std::fabs(actual - expected);
    return static_cast<double>(expected == 0 ? difference : difference / std::fabs(expected));
}

void FillFile(NetworkModel& model, const std::string& name) {
    ASSERT_TRUE(OpenNetworkFile(model, std::string(QNETICA_MODELS_DIR) + "/" + name).Ok);
}

// 30 QS, a third of them bounded with 1 to 8 places, three links per row besides the way out;
// service times put the QS anywhere from idle to three times overloaded. Drawn from a fixed
// seed with the generator's raw bits, so the network is the same on every library.
void FillRandom(NetworkModel& model) {
    std::mt19937_64 bits(20240611);
    const auto uniform = [&bits] { return static_cast<double>(bits() >> 11) * 0x1.0p-53; };
    constexpr int count = 30;
    model.SetInputRate(2.0);
    for (int k = 1; k <= count; ++k) {
        model.AddNode();
        QsParams& qs = model.Qs(k);
        qs.Channels = 1 + static_cast<int>(uniform() * 3);
        qs.ServiceTime = qs.Channels * 3.0 * uniform() / count;
        qs.BoundedQueue = k % 3 == 0;
        qs.QueuePlaces = 1 + static_cast<int>(uniform() * 8);
    }
    for (int i = 0; i <= count; ++i) {
        std::vector<double> weights(count + 1, 0.0);
        weights[0] = i == 0 ? 0 : 0.2 + uniform();
        for (int link = 0; link < 3; ++link) weights[1 + bits() % count] += uniform();
        double sum = 0;
        for (double w : weights) sum += w;
        for (int j = 0; j <= count; ++j)
            if (weights[j] > 0) {
                char text[40];
                std::snprintf(text, sizeof text, "%.17g", weights[j] / sum);
                model.Matrix().SetCell(i, j, text);
            }
    }
}

BoundedTandem HeavyFeedback() {
    BoundedTandem net;
    net.InputRate = 3;
    net.ToSecond = 0.95;
    net.Back = 0.9;
    return net;
}

BoundedTandem LongQueues() {
    BoundedTandem net;
    net.InputRate = 0.9;
    net.ServiceTime[1] = 0.5;
    net.Channels[1] = 1;
    net.Places[0] = net.Places[1] = 10;
    net.ToSecond = 0.99;
    net.Back = 0.95;
    return net;
}

struct TandemCase {
    const char* Name;
    BoundedTandem Net;
};

// Without the losses every request that a full QS turns away still flows on, and the QS
// downstream (here also the QS itself, through the feedback) get too much. The exact figures of
// the chain of both QS show how far each analysis is off.
TEST(FlowsAfterLossesTest, AreCloserToTheExactTandemThanTheFlowsWithoutLosses) {
    const TandemCase cases[] = {
        {"the tandem of the simulation tests", BoundedTandem{}},
        {"heavy feedback, nine tenths lost at first", HeavyFeedback()},
        {"ten places each, near saturation", LongQueues()},
    };
    for (const TandemCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const BoundedTandemExact exact = SolveBoundedTandem(c.Net);
        const Fill fill = [&c](NetworkModel& model) { c.Net.Fill(model); };
        const Analysis plain(fill, false), aware(fill, true);
        ASSERT_TRUE(plain.Outcome.Completed && aware.Outcome.Completed);
        for (int k = 1; k <= 2; ++k) {
            SCOPED_TRACE(k);
            const ExactQs& e = exact.Qs[k - 1];
            EXPECT_LT(Relative(aware.Qs(k).ArrivalRate, e.ArrivalRate),
                      Relative(plain.Qs(k).ArrivalRate, e.ArrivalRate));
            EXPECT_LT(Relative(aware.Qs(k).ArrivalRate, e.ArrivalRate), 0.02);
            EXPECT_LT(Relative(aware.Engine.Losses(k).LossProbability, e.LossProbability),
                      Relative(plain.Engine.Losses(k).LossProbability, e.LossProbability));
            EXPECT_LT(Relative(aware.Qs(k).InSystem, e.InSystem),
                      Relative(plain.Qs(k).InSystem, e.InSystem));
        }
        const NetworkTotals& a = aware.Engine.Totals();
        const NetworkTotals& p = plain.Engine.Totals();
        EXPECT_LT(Relative(a.NetworkSojournTime, exact.NetworkSojourn),
                  Relative(p.NetworkSojournTime, exact.NetworkSojourn));
        EXPECT_LT(Relative(a.NetworkSojournTime, exact.NetworkSojourn), 0.06);
        EXPECT_LT(Relative(a.InNetworkTotal, exact.InNetwork),
                  Relative(p.InNetworkTotal, exact.InNetwork));
    }
}

// What a request that is lost leaves behind: the flows leaving the network (served ones through
// node 0, lost ones at once) add up to the input rate.
long double LeavingFlow(const Analysis& run) {
    long double leaving = 0;
    for (int k = 1; k < run.Model.NodeCount(); ++k) {
        const QsLosses& losses = run.Engine.Losses(k);
        const bool bounded = run.Model.Qs(k).BoundedQueue;
        leaving += (bounded ? losses.ServedRate : run.Qs(k).ArrivalRate) * Cell(run.Model, k, 0);
        if (bounded) leaving += static_cast<long double>(run.Qs(k).ArrivalRate) - losses.ServedRate;
    }
    return leaving;
}

// The fixed point checked from its definition: every bounded QS loses what an M/M/n/m QS loses
// at its flow, and every QS receives the input's share plus what each QS serves and sends on.
void ExpectFlowsAfterLosses(const Analysis& run) {
    const NetworkModel& model = run.Model;
    const int n = model.NodeCount();
    for (int k = 1; k < n; ++k) {
        SCOPED_TRACE(k);
        const QsParams& qs = model.Qs(k);
        const QsLosses& losses = run.Engine.Losses(k);
        if (qs.BoundedQueue) {
            const ExactQs exact =
                BirthDeath(qs.Results.ArrivalRate, qs.ServiceTime, qs.Channels, qs.QueuePlaces);
            EXPECT_LT(Relative(losses.LossProbability, exact.LossProbability), 1e-12);
            EXPECT_LT(
                Relative(losses.ServedRate, qs.Results.ArrivalRate * (1 - exact.LossProbability)),
                1e-12);
        } else {
            EXPECT_EQ(losses.LossProbability, 0);
            EXPECT_EQ(losses.ServedRate, 0);
        }
        long double into = model.InputRate() * Cell(model, 0, k);
        for (int i = 1; i < n; ++i) {
            const bool bounded = model.Qs(i).BoundedQueue;
            into += (bounded ? run.Engine.Losses(i).ServedRate : run.Qs(i).ArrivalRate) *
                    Cell(model, i, k);
        }
        EXPECT_LT(std::fabs(qs.Results.ArrivalRate - into), 1e-11 * (1 + into));
    }
    EXPECT_LT(Relative(LeavingFlow(run), model.InputRate()), 1e-11);
    const NetworkTotals& totals = run.Engine.Totals();
    EXPECT_LT(Relative(totals.InNetworkTotal,
                       static_cast<long double>(model.InputRate()) * totals.NetworkSojournTime),
              1e-12);
}

struct NetworkCase {
    const char* Name;
    Fill Network;
    int MostIterations;
};

TEST(FlowsAfterLossesTest, SettleAtTheFixedPointOfTheExampleAndRandomNetworks) {
    const NetworkCase cases[] = {
        {"single-qs.qnf", [](NetworkModel& m) { FillFile(m, "single-qs.qnf"); }, 0},
        {"three-kinds.qnf", [](NetworkModel& m) { FillFile(m, "three-kinds.qnf"); }, 10},
        {"random, 30 QS", FillRandom, 30},
        {"tandem with heavy feedback", [](NetworkModel& m) { HeavyFeedback().Fill(m); }, 30},
        {"tandem near saturation", [](NetworkModel& m) { LongQueues().Fill(m); }, 60},
    };
    for (const NetworkCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const Analysis run(c.Network, true);
        ASSERT_TRUE(run.Outcome.Completed) << run.Outcome.Message;
        EXPECT_TRUE(run.Observer.Messages.empty()) << run.Observer.Messages.front();
        const LossIteration& iteration = run.Engine.LastLossIteration();
        EXPECT_TRUE(iteration.Converged);
        EXPECT_LE(iteration.Iterations, c.MostIterations);
        ExpectFlowsAfterLosses(run);
    }
}

bool SameBits(const void* a, const void* b, std::size_t size) {
    return std::memcmp(a, b, size) == 0;
}

// Where no bounded QS loses anything, the option changes no bit: no bounded QS, one that no
// request reaches, and one whose loss is below the smallest double.
TEST(FlowsAfterLossesTest, ChangeNoBitWhereNothingIsLost) {
    const auto unreached = [](NetworkModel& model) {
        FillFile(model, "three-kinds.qnf");
        model.Matrix().SetCell(1, 2, "0");
        model.Matrix().SetCell(1, 3, "1");
    };
    const auto vanishing = [](NetworkModel& model) {
        FillFile(model, "three-kinds.qnf");
        model.Qs(2).QueuePlaces = 2000;
    };
    const NetworkCase cases[] = {
        {"single-qs.qnf", [](NetworkModel& m) { FillFile(m, "single-qs.qnf"); }, 0},
        {"bounded QS unreached", unreached, 0},
        {"loss below the doubles", vanishing, 0},
    };
    for (const NetworkCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const Analysis plain(c.Network, false), aware(c.Network, true);
        ASSERT_TRUE(plain.Outcome.Completed && aware.Outcome.Completed);
        EXPECT_EQ(aware.Engine.LastLossIteration().Iterations, 0);
        for (int k = 1; k < plain.Model.NodeCount(); ++k)
            EXPECT_TRUE(SameBits(&plain.Qs(k), &aware.Qs(k), sizeof(QsResults))) << k;
        EXPECT_TRUE(
            SameBits(&plain.Engine.Totals(), &aware.Engine.Totals(), sizeof(NetworkTotals)));
        EXPECT_TRUE(SameBits(plain.Engine.Snapshots().data(), aware.Engine.Snapshots().data(),
                             sizeof(StepSnapshot)));
    }
}

// An iteration cut short keeps the flows of its last solution, already below those without
// losses but not yet the settled ones, and says that they did not settle.
TEST(FlowsAfterLossesTest, CutShortKeepTheLastIterationsFlows) {
    NetworkModel model;
    HeavyFeedback().Fill(model);
    CalculationContext context;
    QuietObserver observer;
    WorkMatrix matrix;
    const RowSums sums = ReadTransferMatrix(model, context, observer, matrix);
    SetRightHandSide(matrix, model.NodeCount(), model.InputRate());
    PivotedSolver solver(MaxNodeCount);
    TrafficUnknowns withoutLosses{};
    ASSERT_TRUE(SolveTrafficEquations(matrix, model.NodeCount(), sums, context, observer, solver,
                                      withoutLosses));
    TrafficUnknowns cut = withoutLosses, settled = withoutLosses;
    const LossIteration short_ = FlowsAfterLosses(2).Solve(model, matrix, sums, solver, cut);
    const LossIteration full = FlowsAfterLosses().Solve(model, matrix, sums, solver, settled);
    EXPECT_FALSE(short_.Converged);
    EXPECT_EQ(short_.Iterations, 2);
    EXPECT_TRUE(full.Converged);
    for (int k = 1; k <= 2; ++k) {
        EXPECT_LT(cut[k], withoutLosses[k]) << k;
        EXPECT_NE(cut[k], settled[k]) << k;
    }
    EXPECT_TRUE(observer.Messages.empty());
}

}  // namespace
}  // namespace qnetica::sim::test
