#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "EngineTestSupport.h"

namespace qnetica {
namespace {

using test::CommandRun;
using test::NetworkSketch;
using test::RelativeError;

constexpr const char* ZeroDeterminant = "Определитель системы равен 0.";

struct Transfer {
    int From;
    int To;
    double Probability;
};

// A network of QS that take no time unless told, so that only the arrival rates matter.
void BuildNetwork(NetworkModel& model, int qsCount, const std::vector<Transfer>& transfers,
                  double inputRate = 2.0, double serviceTime = 0.0) {
    NetworkSketch sketch(model, inputRate);
    for (int k = 0; k < qsCount; ++k) sketch.AddQs(serviceTime);
    for (const Transfer& t : transfers) sketch.Link(t.From, t.To, t.Probability);
}

double ArrivalRate(const NetworkModel& model, int k) {
    return model.Qs(k).Results.ArrivalRate;
}

TEST(TrafficEquationsTest, SimpleNetworksCarryTheInputRate) {
    struct Case {
        const char* name;
        int qsCount;
        std::vector<Transfer> transfers;
        std::vector<double> rates;  // per unit of input rate
    };
    const Case cases[] = {
        {"one QS", 1, {{0, 1, 1}, {1, 0, 1}}, {1}},
        {"chain S0-S1-S2-S0", 2, {{0, 1, 1}, {1, 2, 1}, {2, 0, 1}}, {1, 1}},
        {"chain S0-S2-S1-S0", 2, {{0, 2, 1}, {2, 1, 1}, {1, 0, 1}}, {1, 1}},
        {"feedback", 1, {{0, 1, 1}, {1, 1, 0.5}, {1, 0, 0.5}}, {2}},
        {"self-loop 0.999999", 1, {{0, 1, 1}, {1, 1, 0.999999}, {1, 0, 0.000001}}, {1e6}},
        {"split and join",
         3,
         {{0, 1, 0.25}, {0, 2, 0.75}, {1, 3, 1}, {2, 3, 1}, {3, 0, 0.5}, {3, 1, 0.5}},
         {1.25, 0.75, 2}},
        {"a QS that nothing reaches", 2, {{0, 1, 1}, {1, 0, 1}, {2, 0, 1}}, {1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NetworkModel model;
        BuildNetwork(model, c.qsCount, c.transfers, 2.0);
        CommandRun run;
        ASSERT_TRUE(run.Step(model).Completed);
        EXPECT_TRUE(run.Observer.Messages.empty());
        for (int k = 1; k <= c.qsCount; ++k)
            EXPECT_LT(RelativeError(ArrivalRate(model, k), 2.0 * c.rates[k - 1]), 1e-12) << k;
    }
}

TEST(TrafficEquationsTest, ZeroInputRateGivesZeroRates) {
    NetworkModel model;
    BuildNetwork(model, 2, {{0, 2, 1}, {2, 1, 1}, {1, 0, 1}}, 0.0);
    CommandRun run;
    run.Step(model);
    EXPECT_EQ(ArrivalRate(model, 1), 0.0);
    EXPECT_EQ(ArrivalRate(model, 2), 0.0);
}

// An open network drawn at random: the source feeds a few QS, every QS leaves the network or
// passes to the QS below it, and sends to a few others; probabilities are exact doubles.
std::vector<Transfer> RandomTransfers(int qsCount, bool sourceFeedsFirst, std::mt19937& random) {
    std::uniform_real_distribution<double> weight(0.05, 1.0);
    std::uniform_int_distribution<int> anyQs(1, qsCount);
    std::vector<Transfer> transfers;
    auto addRow = [&](int from, const std::set<int>& targets) {
        std::vector<double> weights;
        double total = 0;
        for (std::size_t i = 0; i < targets.size(); ++i)
            total += weights.emplace_back(weight(random));
        std::size_t i = 0;
        for (int to : targets) transfers.push_back({from, to, weights[i++] / total});
    };
    std::set<int> sourceTargets;
    const int allowed = sourceFeedsFirst ? qsCount : qsCount - 1;
    while (static_cast<int>(sourceTargets.size()) < std::min(allowed, 3)) {
        const int target = anyQs(random);
        if (target != 1 || sourceFeedsFirst) sourceTargets.insert(target);
    }
    if (sourceFeedsFirst) sourceTargets.insert(1);
    addRow(0, sourceTargets);
    for (int k = 1; k <= qsCount; ++k) {
        std::set<int> targets = {std::uniform_int_distribution<int>(0, 9)(random) < 7 ? 0 : k - 1};
        for (int extra = std::uniform_int_distribution<int>(0, 4)(random); extra > 0; --extra)
            targets.insert(anyQs(random));
        addRow(k, targets);
    }
    return transfers;
}

// The flow balance x_j = lambda0 p(0->j) + sum over QS i of x_i p(i->j), iterated until it
// settles (Gauss-Seidel in extended precision): a solve that shares nothing with the engine's.
std::vector<long double> BalanceFlows(int qsCount, const std::vector<Transfer>& transfers,
                                      double inputRate) {
    std::vector<std::vector<Transfer>> into(qsCount + 1);
    for (const Transfer& t : transfers)
        if (t.To != 0) into[t.To].push_back(t);
    std::vector<long double> x(qsCount + 1, 0);
    x[0] = inputRate;
    for (int sweep = 0; sweep < 100000; ++sweep) {
        long double change = 0;
        for (int j = 1; j <= qsCount; ++j) {
            long double inflow = 0, kept = 0;
            for (const Transfer& t : into[j]) {
                if (t.From == j)
                    kept = t.Probability;
                else
                    inflow += x[t.From] * t.Probability;
            }
            const long double next = inflow / (1 - kept);
            change = std::max(change, std::fabs(next - x[j]) / next);
            x[j] = next;
        }
        if (change < 1e-17L) break;  // a few units of the last place of long double
    }
    return x;
}

TEST(TrafficEquationsTest, RandomOpenNetworksAgreeWithAFlowBalance) {
    std::mt19937 random(2024);
    for (int qsCount : {2, 3, 4, 5, 8, 13, 20, 21, 30, 50, 75, 100, 149, 150})
        for (bool sourceFeedsFirst : {false, true})
            for (int draw = 0; draw < 3; ++draw) {
                SCOPED_TRACE("QS: " + std::to_string(qsCount) +
                             (sourceFeedsFirst ? ", S0 -> S1" : ", nothing from S0 to S1"));
                const auto transfers = RandomTransfers(qsCount, sourceFeedsFirst, random);
                NetworkModel model;
                BuildNetwork(model, qsCount, transfers, 3.0);
                CommandRun run;
                ASSERT_TRUE(run.Step(model).Completed);
                EXPECT_TRUE(run.Observer.Messages.empty());
                const auto expected = BalanceFlows(qsCount, transfers, 3.0);
                for (int k = 1; k <= qsCount; ++k)
                    ASSERT_LT(RelativeError(ArrivalRate(model, k), expected[k]), 1e-12)
                        << "QS " << k;
            }
}

// The QS that requests entering at S0 reach through transfers that are not 0.
std::vector<bool> ReachedQs(int qsCount, const std::vector<Transfer>& transfers) {
    std::vector<bool> reached(qsCount + 1, false);
    std::vector<int> pending = {0};
    while (!pending.empty()) {
        const int from = pending.back();
        pending.pop_back();
        for (const Transfer& t : transfers)
            if (t.From == from && t.To != 0 && t.Probability != 0 && !reached[t.To]) {
                reached[t.To] = true;
                pending.push_back(t.To);
            }
    }
    return reached;
}

// A QS that nothing reaches is computed as a QS without flow: rate, load and queue exactly +0,
// idle probability 1, sojourn time its service time, whatever its kind.
void ExpectNoFlowFigures(const QsParams& qs) {
    const QsResults& r = qs.Results;
    for (double value : {r.ArrivalRate, r.OfferedLoad, r.LoadFactor, r.QueueLength, r.InSystem,
                         r.WaitTime, r.TransferCoefficient}) {
        EXPECT_EQ(value, 0.0);
        EXPECT_FALSE(std::signbit(value));
    }
    EXPECT_EQ(r.IdleProbability, 1.0);
    EXPECT_EQ(r.SojournTime, qs.ServiceTime);
}

void MakeKind(QsParams& qs, int kind) {
    if (kind == 1) {
        qs.BoundedQueue = true;
        qs.QueuePlaces = 3;
    } else if (kind == 2) {
        qs.RelativePriority = true;
        qs.PriorityClasses = 2;
        qs.ClassShares[0] = qs.ClassShares[1] = 0.5;
    }
}

// The elimination once left rounding noise of either sign for such a QS; a negative one ended
// the command with the negative-load message.
TEST(TrafficEquationsTest, QsThatNothingReachesHaveExactlyNoFlow) {
    struct Case {
        const char* name;
        int qsCount;
        std::vector<Transfer> transfers;
        std::vector<double> rates;  // per unit of input rate
    };
    const Case cases[] = {
        {"S1 keeps most of its requests and feeds S3",
         3,
         {{0, 2, 1}, {2, 3, 1}, {3, 0, 0.3}, {3, 3, 0.7}, {1, 1, 0.8}, {1, 3, 0.2}},
         {0, 1, 1 / 0.3}},
        {"S3 fed only by S2, which nothing reaches",
         3,
         {{0, 1, 1}, {1, 0, 1}, {2, 3, 1}, {3, 0, 1}},
         {1, 0, 0}},
        {"two that nothing reaches feed each other and the network",
         4,
         {{0, 1, 0.5},
          {0, 4, 0.5},
          {1, 0, 1},
          {4, 0, 1},
          {2, 3, 0.6},
          {2, 0, 0.4},
          {3, 2, 0.9},
          {3, 4, 0.1}},
         {0.5, 0, 0, 0.5}},
        {"a self-loop that nothing reaches",
         2,
         {{0, 1, 1}, {1, 0, 1}, {2, 2, 0.9}, {2, 0, 0.1}},
         {1, 0}},
        {"S0 sends everything straight out", 2, {{0, 0, 1}, {1, 0, 1}, {2, 1, 1}}, {0, 0}},
    };
    for (const Case& c : cases)
        for (int kind : {0, 1, 2}) {
            SCOPED_TRACE(std::string(c.name) + ", kind " + std::to_string(kind));
            NetworkModel model;
            BuildNetwork(model, c.qsCount, c.transfers, 0.75, 0.25);
            for (int k = 1; k <= c.qsCount; ++k) MakeKind(model.Qs(k), kind);
            CommandRun run;
            ASSERT_TRUE(run.Step(model).Completed);
            EXPECT_TRUE(run.Observer.Messages.empty());
            for (int k = 1; k <= c.qsCount; ++k) {
                if (c.rates[k - 1] == 0) {
                    ExpectNoFlowFigures(model.Qs(k));
                    continue;
                }
                EXPECT_LT(RelativeError(ArrivalRate(model, k), 0.75 * c.rates[k - 1]), 1e-14);
                EXPECT_GT(model.Qs(k).Results.QueueLength, 0.0);
            }
        }
}

// Random open networks with some QS cut off from S0 (their inflow goes out of the network
// instead): every QS that the links do not reach has a rate of exactly +0, and the others
// those of the flow balance.
TEST(TrafficEquationsTest, RandomNetworksWithQsThatNothingReaches) {
    std::mt19937 random(1702);
    for (int qsCount : {3, 5, 8, 20, 60, 150})
        for (int draw = 0; draw < 8; ++draw) {
            SCOPED_TRACE("QS: " + std::to_string(qsCount) + ", draw " + std::to_string(draw));
            std::vector<bool> cut(qsCount + 1, false);
            for (int k = 1; k <= qsCount; ++k) cut[k] = random() % 4 == 0;
            std::map<std::pair<int, int>, double> cells;
            for (const Transfer& t : RandomTransfers(qsCount, true, random)) {
                const bool intoCut = !cut[t.From] && cut[t.To] && t.From != t.To;
                cells[{t.From, intoCut ? 0 : t.To}] += t.Probability;
            }
            std::vector<Transfer> transfers;
            for (const auto& [cell, probability] : cells)
                transfers.push_back({cell.first, cell.second, probability});
            NetworkModel model;
            BuildNetwork(model, qsCount, transfers, 3.0, 1e-6);
            CommandRun run;
            ASSERT_TRUE(run.Step(model).Completed);
            EXPECT_TRUE(run.Observer.Messages.empty());
            const auto reached = ReachedQs(qsCount, transfers);
            const auto expected = BalanceFlows(qsCount, transfers, 3.0);
            for (int k = 1; k <= qsCount; ++k) {
                if (reached[k])
                    ASSERT_LT(RelativeError(ArrivalRate(model, k), expected[k]), 1e-12) << k;
                else
                    ExpectNoFlowFigures(model.Qs(k));
            }
        }
}

// Systems without a unique solution: the message once per command, the rates left as they
// were (0 in the first step).
TEST(TrafficEquationsTest, SingularSystemsWarnOncePerCommand) {
    struct Case {
        const char* name;
        int qsCount;
        std::vector<Transfer> transfers;
    };
    const Case cases[] = {
        {"column 0 all zero", 2, {{0, 1, 1}, {1, 2, 1}, {2, 1, 1}}},
        {"closed loop that requests reach",
         3,
         {{0, 1, 0.5}, {0, 2, 0.5}, {1, 0, 1}, {2, 3, 1}, {3, 2, 1}}},
        {"closed loop that nothing reaches", 3, {{0, 1, 1}, {1, 0, 1}, {2, 3, 1}, {3, 2, 1}}},
        {"QS that keeps its requests", 2, {{0, 1, 1}, {1, 0, 1}, {2, 2, 1}}},
        {"closed loop of three QS with mixed transfers",
         4,
         {{0, 1, 0.9},
          {0, 4, 0.1},
          {1, 2, 0.137},
          {1, 3, 0.863},
          {2, 1, 0.58},
          {2, 3, 0.42},
          {3, 1, 0.271},
          {3, 2, 0.729},
          {4, 0, 1}}},
        {"loop whose rows sum to 1 within the check",
         2,
         {{0, 1, 0.5}, {0, 2, 0.5}, {1, 0, 1}, {2, 2, 0.9999999995}}},
        {"no QS and no transfer S0 -> S0", 0, {{0, 0, 0}}},
        {"all that enters is lost", 2, {{0, 1, 1}, {2, 0, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NetworkModel model;
        BuildNetwork(model, c.qsCount, c.transfers);
        CommandRun run(true);
        for (int step = 1; step <= 3; ++step) ASSERT_TRUE(run.Step(model, step).Completed);
        const auto texts = run.Observer.Texts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), ZeroDeterminant), 1);
        for (int k = 1; k <= c.qsCount; ++k) EXPECT_EQ(ArrivalRate(model, k), 0.0);
    }
}

TEST(TrafficEquationsTest, SingularStepKeepsTheRatesOfTheStepBefore) {
    NetworkModel model;
    BuildNetwork(model, 2, {{0, 1, 1}, {1, 2, 1}, {2, 0, 1}}, 4.0);
    CommandRun run(true);
    run.Step(model, 1);
    model.Matrix().SetCell(2, 0, "");
    model.Matrix().SetCell(2, 1, "1");  // S1 and S2 now pass requests round for ever
    run.Step(model, 2);
    run.Step(model, 3);
    EXPECT_EQ(ArrivalRate(model, 1), 4.0);
    EXPECT_EQ(ArrivalRate(model, 2), 4.0);
    const auto texts = run.Observer.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), ZeroDeterminant), 1);
    EXPECT_EQ(run.Observer.Messages.back().Kind, MessageKind::Error);
}

TEST(TrafficEquationsTest, ASourceThatSendsStraightOutIsSolvable) {
    NetworkModel model;
    BuildNetwork(model, 0, {{0, 0, 1}});
    CommandRun run;
    EXPECT_TRUE(run.Step(model).Completed);
    EXPECT_TRUE(run.Observer.Messages.empty());
}

// The gauge moves n times per step, to (step - 1) * n + i, whether or not the system is solvable.
TEST(TrafficEquationsTest, ProgressAdvancesOncePerUnknown) {
    for (bool singular : {false, true}) {
        SCOPED_TRACE(singular);
        NetworkModel model;
        BuildNetwork(model, 3, {{0, 1, 1}, {1, 2, 1}, {2, 3, 1}, {3, singular ? 2 : 0, 1}});
        CommandRun run(true);
        run.Step(model, 1);
        run.Step(model, 2);
        EXPECT_EQ(run.Observer.Progress, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    }
}

}  // namespace
}  // namespace qnetica
