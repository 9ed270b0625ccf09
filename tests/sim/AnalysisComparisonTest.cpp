#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "ExactQueues.h"
#include "engine/AnalysisEngine.h"
#include "sim/AnalysisComparison.h"

namespace qnetica::sim::test {
namespace {

class SilentObserver : public CalculationObserver {
  public:
    void ShowMessage(MessageKind, const std::string&) override {}
    void SetProgress(int) override {}
};

// S0 -> QS 1 (bounded, 2 channels, 4 places) -> 0.6 to QS 2 (priority, classes 0.3 and 0.7),
// 0.4 to QS 3 (plain, overloaded at load 1.2); QS 4 is reached by nothing.
void FillNetwork(NetworkModel& model) {
    for (int k = 0; k < 4; ++k) model.AddNode();
    model.SetInputRate(1.5);
    QsParams& bounded = model.Qs(1);
    bounded.ServiceTime = 1;
    bounded.Channels = 2;
    bounded.BoundedQueue = true;
    bounded.QueuePlaces = 4;
    QsParams& priority = model.Qs(2);
    priority.ServiceTime = 0.5;
    priority.RelativePriority = true;
    priority.PriorityClasses = 2;
    priority.ClassShare(1) = 0.3;
    priority.ClassShare(2) = 0.7;
    model.Qs(3).ServiceTime = 2;
    model.Qs(4).ServiceTime = 1;
    model.Matrix().SetCell(0, 1, "1");
    model.Matrix().SetCell(1, 2, "0.6");
    model.Matrix().SetCell(1, 3, "0.4");
    model.Matrix().SetCell(2, 0, "1");
    model.Matrix().SetCell(3, 0, "1");
    model.Matrix().SetCell(4, 0, "1");
}

// Every simulated figure 1 +- 0.5 from 100 samples; QS 4 not reached.
SimulationResult Simulated() {
    const Estimate one{1, 0.5, 100};
    SimulationResult result;
    const QsKind kinds[] = {QsKind::Bounded, QsKind::Priority, QsKind::Plain, QsKind::Plain};
    for (int k = 1; k <= 4; ++k) {
        QsEstimates qs{k, kinds[k - 1], k != 4, one, one, one, one, one, one, {}, {}};
        if (k == 1) qs.LossProbability = one;
        if (k == 2) qs.ClassWaitTimes = {one, one};
        result.Qs.push_back(qs);
    }
    result.Network = {one, one, one};
    return result;
}

struct Row {
    int Qs;
    FigureName Name;
    int PriorityClass;
    std::optional<long double> Analytic;  // from an independent formula where there is one
};

bool Close(double actual, long double expected) {
    return std::fabs(actual - expected) <= 1e-12L * std::fabs(expected);
}

// The rows of the QS that requests reach, in order, with the analysis's value of the
// simulated meaning: QS 1 busy share and loss as M/M/2/4 has them, QS 2 busy share a / n and
// its classes' waits as Cobham's formula has them, QS 3 overloaded (only its flow), and no
// network totals for a network with an overloaded QS.
TEST(AnalysisComparisonTest, PairsEverySimulatedFigureWithTheAnalysisOfTheSameMeaning) {
    NetworkModel model;
    FillNetwork(model);
    AnalysisEngine engine;
    CalculationContext context;
    SilentObserver observer;
    engine.StartRun();
    context.StartStep(1);
    ASSERT_TRUE(engine.CalculateStep(model, context, observer).Completed);
    const std::vector<ComparedFigure> figures =
        CompareWithAnalysis(model, engine, ClassResultsFileName, Simulated());

    const ExactQs bounded = BirthDeath(1.5, 1, 2, 4);
    const ExactQs priority = CobhamPriority(0.9, 0.5, 1, {0.3, 0.7});
    const auto none = std::optional<long double>();
    const Row rows[] = {
        {1, FigureName::ArrivalRate, 0, 1.5L},
        {1, FigureName::LoadFactor, 0, bounded.LoadFactor},
        {1, FigureName::QueueLength, 0, bounded.QueueLength},
        {1, FigureName::InSystem, 0, bounded.InSystem},
        {1, FigureName::WaitTime, 0, bounded.WaitTime},
        {1, FigureName::SojournTime, 0, bounded.SojournTime},
        {1, FigureName::LossProbability, 0, bounded.LossProbability},
        {2, FigureName::ArrivalRate, 0, 0.9L},
        {2, FigureName::LoadFactor, 0, 0.45L},
        {2, FigureName::QueueLength, 0, priority.QueueLength},
        {2, FigureName::InSystem, 0, priority.InSystem},
        {2, FigureName::WaitTime, 0, priority.WaitTime},
        {2, FigureName::SojournTime, 0, priority.SojournTime},
        {2, FigureName::ClassWaitTime, 1, priority.ClassWaitTimes[0]},
        {2, FigureName::ClassWaitTime, 2, priority.ClassWaitTimes[1]},
        {3, FigureName::ArrivalRate, 0, 0.6L},
        {3, FigureName::LoadFactor, 0, none},
        {3, FigureName::QueueLength, 0, none},
        {3, FigureName::InSystem, 0, none},
        {3, FigureName::WaitTime, 0, none},
        {3, FigureName::SojournTime, 0, none},
        {0, FigureName::InNetworkTotal, 0, none},
        {0, FigureName::NetworkSojournTime, 0, none},
    };
    ASSERT_EQ(figures.size(), std::size(rows));
    for (std::size_t i = 0; i < figures.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(figures[i].Qs, rows[i].Qs);
        EXPECT_EQ(figures[i].Name, rows[i].Name);
        EXPECT_EQ(figures[i].PriorityClass, rows[i].PriorityClass);
        ASSERT_EQ(figures[i].Analytic.has_value(), rows[i].Analytic.has_value());
        if (rows[i].Analytic) {
            EXPECT_PRED2(Close, *figures[i].Analytic, *rows[i].Analytic);
        }
        EXPECT_EQ(figures[i].Simulated.Samples, 100);
    }
}

// A priority QS that nothing reaches still has its class record written by the analysis; the
// priority QS after it must be paired with its own record (Cobham), not with that one.
TEST(AnalysisComparisonTest, ClassWaitsComeFromTheQsOwnRecordPastAnUnreachedPriorityQs) {
    NetworkModel model;
    for (int k = 0; k < 2; ++k) model.AddNode();
    model.SetInputRate(1);
    for (int k = 1; k <= 2; ++k) {
        QsParams& qs = model.Qs(k);
        qs.ServiceTime = k == 1 ? 2 : 0.5;
        qs.RelativePriority = true;
        qs.PriorityClasses = 2;
        qs.ClassShare(1) = 0.3;
        qs.ClassShare(2) = 0.7;
    }
    model.Matrix().SetCell(0, 2, "1");
    model.Matrix().SetCell(2, 0, "1");
    model.Matrix().SetCell(1, 0, "1");
    AnalysisEngine engine;
    CalculationContext context;
    SilentObserver observer;
    engine.StartRun();
    context.StartStep(1);
    ASSERT_TRUE(engine.CalculateStep(model, context, observer).Completed);
    const Estimate one{1, 0.5, 100};
    SimulationResult simulated;
    simulated.Qs.push_back({1, QsKind::Priority, false, one, one, one, one, one, one, {}, {}});
    simulated.Qs.push_back(
        {2, QsKind::Priority, true, one, one, one, one, one, one, {}, {one, one}});
    simulated.Network = {one, one, one};
    const ExactQs exact = CobhamPriority(1, 0.5, 1, {0.3, 0.7});
    std::vector<double> classWaits;
    for (const ComparedFigure& figure :
         CompareWithAnalysis(model, engine, ClassResultsFileName, simulated))
        if (figure.Name == FigureName::ClassWaitTime && figure.Analytic)
            classWaits.push_back(*figure.Analytic);
    ASSERT_EQ(classWaits.size(), 2u);
    EXPECT_PRED2(Close, classWaits[0], exact.ClassWaitTimes[0]);
    EXPECT_PRED2(Close, classWaits[1], exact.ClassWaitTimes[1]);
}

// Outside: the analytic value is known and lies beyond an interval of finite width.
TEST(AnalysisComparisonTest, MarksOnlyAValueOutsideAFiniteInterval) {
    const double infinite = std::numeric_limits<double>::infinity();
    struct Case {
        std::optional<double> analytic;
        Estimate simulated;
        bool outside;
        double difference;
    };
    const Case cases[] = {
        {1.25, {1, 0.125, 50}, true, -0.25},
        {0.75, {1, 0.125, 50}, true, 0.25},
        {1.125, {1, 0.125, 50}, false, -0.125},
        {0.875, {1, 0.125, 50}, false, 0.125},
        {1.0625, {1, 0.125, 50}, false, -0.0625},
        {5, {1, infinite, 50}, false, -4},
        {5, {1, 0.125, 0}, false, -4},
        {std::nullopt, {1, 0.125, 50}, false, 1},
    };
    for (const Case& c : cases) {
        const ComparedFigure figure{1, FigureName::WaitTime, 0, c.analytic, c.simulated};
        EXPECT_EQ(figure.Outside(), c.outside) << c.analytic.value_or(-1);
        EXPECT_EQ(figure.Difference(), c.difference);
    }
}

}  // namespace
}  // namespace qnetica::sim::test
