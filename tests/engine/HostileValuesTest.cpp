#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "runs/ResultsReport.h"

namespace qnetica {
namespace {

using test::CommandRun;
using test::NetworkSketch;
using test::RecordedMessage;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr const char* ArithmeticFault = "Арифметическая ошибка при расчете СМО#2.";
constexpr const char* ChannelsFault = "В СМО#2 число каналов меньше 1.";
constexpr const char* PlacesFault = "В СМО#2 число мест меньше 1.";
constexpr const char* NegativeLoadFault =
    "В СМО#2 нагрузка отрицательна: время обслуживания или интенсивность потока меньше 0.";
constexpr const char* ClassCountFault =
    "В СМО#2 число классов приоритета должно лежать в пределах от 1 до 50.";

// S0 -> S1 -> S2 -> S0 with lambda = 0.6; S1 is a sound plain QS, S2 the QS under test.
QsParams& PrepareNetwork(NetworkModel& model) {
    NetworkSketch sketch(model, 0.6);
    sketch.AddQs(1.0);
    QsParams& tested = sketch.AddQs(1.0);
    sketch.Link(0, 1, 1).Link(1, 2, 1).Link(2, 0, 1);
    tested.Results.QueueLength = 99;
    return tested;
}

void MakePriority(QsParams& qs, std::vector<double> shares) {
    qs.RelativePriority = true;
    qs.PriorityClasses = static_cast<int>(shares.size());
    for (std::size_t k = 0; k < shares.size(); ++k) qs.ClassShares[k] = shares[k];
}

void ExpectFiniteResults(const QsResults& r) {
    for (double value : {r.ArrivalRate, r.OfferedLoad, r.QueueLength, r.InSystem, r.WaitTime,
                         r.SojournTime, r.LoadFactor, r.IdleProbability, r.TransferCoefficient})
        EXPECT_TRUE(std::isfinite(value)) << value;
}

// A value that a file or a hostile user put into a QS slot. fault: the one message that ends
// the command, or nullptr when the QS is computed (with finite results, checked by check).
struct HostileSlotCase {
    const char* name;
    std::function<void(QsParams&)> spoil;
    const char* fault;
    std::function<void(const QsResults&)> check = [](const QsResults&) {};
};

void PrintTo(const HostileSlotCase& c, std::ostream* out) {
    *out << c.name;
}

class HostileSlotTest : public test::ScratchFolderTest,
                        public ::testing::WithParamInterface<HostileSlotCase> {};

TEST_P(HostileSlotTest, EndsWithItsMessageOrGivesFiniteResults) {
    const HostileSlotCase& c = GetParam();
    NetworkModel model;
    QsParams& qs = PrepareNetwork(model);
    c.spoil(qs);
    CommandRun run;
    const StepOutcome outcome = run.Step(model);
    EXPECT_DOUBLE_EQ(model.Qs(1).Results.SojournTime, 2.5);  // the QS before is computed
    if (c.fault != nullptr) {
        EXPECT_FALSE(outcome.Completed);
        EXPECT_EQ(run.Observer.Messages,
                  (std::vector<RecordedMessage>{{MessageKind::Error, c.fault}}));
        EXPECT_EQ(qs.Results.QueueLength, 99.0);  // nothing undefined was stored
        return;
    }
    ASSERT_TRUE(outcome.Completed) << outcome.Message;
    EXPECT_TRUE(run.Observer.Messages.empty());
    ExpectFiniteResults(qs.Results);
    c.check(qs.Results);
}

const HostileSlotCase HostileSlotCases[] = {
    {"ServiceTimeNaN", [](QsParams& qs) { qs.ServiceTime = NaN; }, ArithmeticFault},
    {"ServiceTimeInfinite", [](QsParams& qs) { qs.ServiceTime = Inf; }, ArithmeticFault},
    {"ServiceTimeMinusInfinite", [](QsParams& qs) { qs.ServiceTime = -Inf; }, ArithmeticFault},
    {"ServiceTimeZero", [](QsParams& qs) { qs.ServiceTime = 0; }, nullptr,
     [](const QsResults& r) {
         EXPECT_EQ(r.OfferedLoad, 0.0);
         EXPECT_EQ(r.QueueLength, 0.0);
         EXPECT_EQ(r.SojournTime, 0.0);
     }},
    // A negative load has no queue to compute.
    {"ServiceTimeNegative", [](QsParams& qs) { qs.ServiceTime = -1; }, NegativeLoadFault},
    {"NegativeLoadOnCountlessChannels",
     [](QsParams& qs) {
         qs.ServiceTime = -7.0501193590267371e+307;
         qs.Channels = 576847919;
     },
     NegativeLoadFault},
    {"ChannelsLowest", [](QsParams& qs) { qs.Channels = INT_MIN; }, ChannelsFault},
    {"ChannelsMinusOne", [](QsParams& qs) { qs.Channels = -1; }, ChannelsFault},
    // Countless channels: nobody waits, P0 = e^-a as for infinitely many.
    {"ChannelsHighest", [](QsParams& qs) { qs.Channels = INT_MAX; }, nullptr,
     [](const QsResults& r) {
         EXPECT_DOUBLE_EQ(r.IdleProbability, std::exp(-0.6));
         EXPECT_EQ(r.QueueLength, 0.0);
         EXPECT_EQ(r.WaitTime, 0.0);
         EXPECT_DOUBLE_EQ(r.InSystem, 0.6);
         EXPECT_DOUBLE_EQ(r.SojournTime, 1.0);
     }},
    // A load two standard deviations below INT_MAX channels, so that requests do wait: computed
    // without a step per channel.
    {"LoadAndChannelsHighest",
     [](QsParams& qs) {
         qs.ServiceTime = (INT_MAX - 2 * std::sqrt(double{INT_MAX})) / 0.6;
         qs.Channels = INT_MAX;
     },
     nullptr,
     [](const QsResults& r) {
         EXPECT_EQ(r.IdleProbability, 0.0);
         EXPECT_GT(r.QueueLength, 1.0);
         EXPECT_LT(r.QueueLength, r.OfferedLoad);
     }},
    {"PlacesNegative",
     [](QsParams& qs) {
         qs.BoundedQueue = true;
         qs.QueuePlaces = -5;
     },
     PlacesFault},
    {"PlacesLowest",
     [](QsParams& qs) {
         qs.BoundedQueue = true;
         qs.QueuePlaces = INT_MIN;
     },
     PlacesFault},
    // Countless places: the unbounded single-channel queue, Lq = rho^2 / (1 - rho).
    {"PlacesHighest",
     [](QsParams& qs) {
         qs.BoundedQueue = true;
         qs.QueuePlaces = INT_MAX;
     },
     nullptr, [](const QsResults& r) { EXPECT_NEAR(r.QueueLength, 0.9, 1e-12); }},
    {"PlacesAndChannelsHighest",
     [](QsParams& qs) {
         qs.BoundedQueue = true;
         qs.Channels = qs.QueuePlaces = INT_MAX;
     },
     nullptr, [](const QsResults& r) { EXPECT_EQ(r.QueueLength, 0.0); }},
    {"ClassesNegative",
     [](QsParams& qs) {
         MakePriority(qs, {1.0});
         qs.PriorityClasses = -1;
     },
     ClassCountFault},
    {"ClassesHighest",
     [](QsParams& qs) {
         MakePriority(qs, {1.0});
         qs.PriorityClasses = INT_MAX;
     },
     ClassCountFault},
    {"ClassesLowest",
     [](QsParams& qs) {
         MakePriority(qs, {1.0});
         qs.PriorityClasses = INT_MIN;
     },
     ClassCountFault},
    {"ShareNaN",
     [](QsParams& qs) {
         MakePriority(qs, {0.5, NaN});
     },
     ArithmeticFault},
    {"ShareInfinite",
     [](QsParams& qs) {
         MakePriority(qs, {Inf, 0.5});
     },
     "В СМО#2 суммарная загрузка классов приоритета не меньше 1."},
    {"ShareNegativeInfinite",
     [](QsParams& qs) {
         MakePriority(qs, {-Inf, 0.5});
     },
     "В СМО#2 доли входного потока классов заданы неверно."},
    {"PriorityServiceTimeNaN",
     [](QsParams& qs) {
         MakePriority(qs, {0.5, 0.5});
         qs.ServiceTime = NaN;
     },
     ArithmeticFault},
    {"BoundedServiceTimeInfinite",
     [](QsParams& qs) {
         qs.BoundedQueue = true;
         qs.QueuePlaces = 3;
         qs.ServiceTime = Inf;
     },
     ArithmeticFault},
};

INSTANTIATE_TEST_SUITE_P(Slots, HostileSlotTest, ::testing::ValuesIn(HostileSlotCases),
                         [](const auto& info) { return std::string(info.param.name); });

// An input rate that is not a finite number gives arrival rates that are none either: the
// first QS reports it and the command ends.
TEST(HostileInputRateTest, NotFiniteEndsTheCommandAtTheFirstQs) {
    for (double rate : {NaN, Inf, -Inf}) {
        SCOPED_TRACE(rate);
        NetworkModel model;
        PrepareNetwork(model);
        model.SetInputRate(rate);
        CommandRun run;
        const StepOutcome outcome = run.Step(model);
        EXPECT_FALSE(outcome.Completed);
        EXPECT_EQ(outcome.Message, "Арифметическая ошибка при расчете СМО#1.");
        EXPECT_EQ(run.Observer.Messages.size(), 1u);
    }
}

// A negative input rate or a negative probability gives negative flows, and a QS with a negative
// load is not computed.
TEST(HostileInputRateTest, NegativeFlowsEndTheCommandAtTheirFirstQs) {
    NetworkModel model;
    PrepareNetwork(model);
    model.SetInputRate(-0.6);
    CommandRun run;
    EXPECT_FALSE(run.Step(model).Completed);
    EXPECT_EQ(run.Observer.Texts(),
              std::vector<std::string>{"В СМО#1 нагрузка отрицательна: время обслуживания или "
                                       "интенсивность потока меньше 0."});

    NetworkModel negativeCell;
    PrepareNetwork(negativeCell);
    negativeCell.Matrix().SetCell(1, 2, "-1");
    negativeCell.Matrix().SetCell(1, 0, "2");
    CommandRun second;
    EXPECT_FALSE(second.Step(negativeCell).Completed);
    EXPECT_EQ(second.Observer.Texts().back(), NegativeLoadFault);
}

// A file may bring results that are no numbers; an overloaded QS keeps them in this step, and
// the totals and the report show them as such instead of failing.
TEST(HostileStoredResultsTest, NotFiniteResultsOfAnOverloadedQsReachTheReportAsText) {
    NetworkModel model;
    QsParams& qs = PrepareNetwork(model);
    qs.ServiceTime = 10;  // load 6: overloaded
    qs.Results.QueueLength = NaN;
    qs.Results.InSystem = Inf;
    qs.Results.WaitTime = -Inf;
    qs.Results.TransferCoefficient = NaN;
    CommandRun run;
    ASSERT_TRUE(run.Step(model).Completed);
    EXPECT_TRUE(run.Context.Overloaded);
    ResultTables tables;
    tables.FillResultTables(model, run.Context, run.Engine.Totals());
    tables.WriteHeaderRows(QsHeaderVariant::ResultsWindow);
    const ReportLines lines = BuildResultsReport(tables, model.NodeCount());
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(tables.NetworkTable[0][0], "Сеть перегружена, инт. вх. потока:");
    EXPECT_EQ(tables.NetworkTable[1][1], "NAN");
    EXPECT_EQ(tables.NetworkTable[2][1], "INF");
    EXPECT_EQ(tables.NetworkTable[3][1], "NAN");
}

// Cells of twenty characters that are no numbers: each is named once, its row is reported, and
// the calculation goes on with 0 in its place.
TEST(HostileCellTest, TwentyCharactersThatAreNoNumberAreNamedAndReadAsZero) {
    const std::vector<std::string> cells = {
        "abcdefghijklmnopqrst",
        "ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ",
        "--------------------",
        "....................",
        "1e99999999999999999x",
        "0,5,0000000000000000",
        "1e400",
        "-1e400",
        "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t",
        "nan",
        "inf",
        "0x1p-1",
    };
    for (const std::string& cell : cells) {
        SCOPED_TRACE(cell);
        NetworkModel model;
        PrepareNetwork(model);
        model.Matrix().SetCell(1, 2, cell);
        CommandRun run;
        ASSERT_TRUE(run.Step(model).Completed);
        const std::vector<RecordedMessage> expected = {
            {MessageKind::Plain,
             "Ячейка (S1, S2) матрицы вероятностей передач не является "
             "числом: \"" +
                 cell + "\""},
            {MessageKind::Plain, "Сумма 1-ой строки не равна 1 (равна 0.0000000000)."},
            {MessageKind::Error, "Определитель системы равен 0."},
        };
        EXPECT_EQ(run.Observer.Messages, expected);
    }
}

}  // namespace
}  // namespace qnetica
