#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "EngineTestSupport.h"

namespace qnetica {
namespace {

using test::CommandRun;
using test::NetworkSketch;
using test::RecordedMessage;
using test::SingleQsNetwork;

constexpr MessageKind Plain = MessageKind::Plain;
constexpr MessageKind Error = MessageKind::Error;

int CountOf(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

// Three QS in a row, S0 -> S1 -> S2 -> S3 -> S0, each with half a channel's load.
void ThreeQsChain(NetworkModel& model) {
    NetworkSketch sketch(model, 0.5);
    for (int k = 1; k <= 3; ++k) sketch.AddQs(1.0);
    sketch.Link(0, 1, 1).Link(1, 2, 1).Link(2, 3, 1).Link(3, 0, 1);
}

TEST(CalculationMessagesTest, EveryBadRowIsReportedInRowOrderAndTheCalculationGoesOn) {
    NetworkModel model;
    ThreeQsChain(model);
    model.Matrix().SetCell(1, 2, "0.9");  // row 1 sums to 0.9
    model.Matrix().SetCell(3, 0, "");     // row 3 is empty
    model.Matrix().SetCell(2, 3, "0.5");
    model.Matrix().SetCell(2, 0, " 0.5000000005");  // row 2: 1.0000000005, accepted
    for (int k = 1; k <= 3; ++k) model.Qs(k).ServiceTime = 0.1;
    CommandRun run;
    ASSERT_TRUE(run.Step(model).Completed);
    EXPECT_EQ(run.Observer.Messages,
              (std::vector<RecordedMessage>{
                  {Plain, "Сумма 1-ой строки не равна 1 (равна 0.9000000000)."},
                  {Plain, "Сумма 3-ой строки не равна 1 (равна 0.0000000000)."}}));
    for (int k = 1; k <= 3; ++k) EXPECT_GT(model.Qs(k).Results.SojournTime, 0.0) << k;
}

TEST(CalculationMessagesTest, RowSumsAreReportedInEveryStep) {
    NetworkModel model;
    ThreeQsChain(model);
    model.Matrix().SetCell(0, 2, "0.25");
    CommandRun run(true);
    run.Step(model, 1);
    run.Step(model, 2);
    EXPECT_EQ(CountOf(run.Observer.Texts(), "Сумма 0-ой строки не равна 1 (равна 1.2500000000)."),
              2);
}

// A cell that is not a number counts as 0; it is reported once per command, before the row
// sums of its step.
TEST(CalculationMessagesTest, CellsThatAreNotNumbersAreReportedOncePerCommand) {
    NetworkModel model;
    ThreeQsChain(model);
    model.Matrix().SetCell(2, 3, "abc");
    model.Matrix().SetCell(0, 2, "0;5");
    CommandRun run(true);
    run.Step(model, 1);
    run.Step(model, 2);
    const std::vector<RecordedMessage> firstStep = {
        {Plain, "Ячейка (S0, S2) матрицы вероятностей передач не является числом: \"0;5\""},
        {Plain, "Ячейка (S2, S3) матрицы вероятностей передач не является числом: \"abc\""},
        {Plain, "Сумма 2-ой строки не равна 1 (равна 0.0000000000)."},
        {Error, "Определитель системы равен 0."},
    };
    const std::vector<RecordedMessage> secondStep = {
        {Plain, "Сумма 2-ой строки не равна 1 (равна 0.0000000000)."},
    };
    std::vector<RecordedMessage> expected = firstStep;
    expected.insert(expected.end(), secondStep.begin(), secondStep.end());
    EXPECT_EQ(run.Observer.Messages, expected);

    CommandRun nextCommand;
    nextCommand.Step(model);
    EXPECT_EQ(CountOf(nextCommand.Observer.Texts(),
                      "Ячейка (S2, S3) матрицы вероятностей передач не является числом: \"abc\""),
              1);
}

TEST(CalculationMessagesTest, MissingInputRateIsReportedOncePerCommand) {
    NetworkModel model;
    ThreeQsChain(model);
    model.SetInputRate(0);
    for (int k = 1; k <= 3; ++k) model.Qs(k).Results.TransferCoefficient = 7;
    CommandRun run(true);
    run.Step(model, 1);
    run.Step(model, 2);
    EXPECT_EQ(run.Observer.Messages,
              (std::vector<RecordedMessage>{
                  {Error, "Не указана величина интенсивности входящего потока"}}));
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(model.Qs(k).Results.ArrivalRate, 0.0);
        EXPECT_EQ(model.Qs(k).Results.TransferCoefficient, 7.0);  // not computed
    }
}

// Load factor 1 or more: the message in a fixed calculation only, and not while the network is
// freshly generated; the network is marked overloaded in every case.
TEST(CalculationMessagesTest, OverloadIsShownOnlyInAFixedCalculationOfAnOwnNetwork) {
    struct Case {
        bool varied;
        bool generated;
        bool shown;
    };
    for (const Case c : {Case{false, false, true}, Case{true, false, false},
                         Case{false, true, false}, Case{true, true, false}}) {
        SCOPED_TRACE(std::to_string(c.varied) + std::to_string(c.generated));
        NetworkModel model;
        NetworkSketch sketch(model, 2.0);
        sketch.AddQs(1.0, 2);    // rho = 1 exactly
        sketch.AddQs(0.1, 1);    // rho = 0.2
        sketch.AddQs(0.625, 1);  // rho = 1.25
        sketch.Link(0, 1, 1).Link(1, 2, 1).Link(2, 3, 1).Link(3, 0, 1);
        model.SetGenerated(c.generated);
        CommandRun run(c.varied);
        ASSERT_TRUE(run.Step(model).Completed);
        const std::vector<RecordedMessage> shown = {
            {Error, "Коэффициент загрузки в СМО#1 больше 1 ( равен 1.0000000000)"},
            {Error, "Коэффициент загрузки в СМО#3 больше 1 ( равен 1.2500000000)"}};
        EXPECT_EQ(run.Observer.Messages, c.shown ? shown : std::vector<RecordedMessage>{});
        EXPECT_TRUE(run.Context.Overloaded);
        EXPECT_TRUE(run.Context.QsOverloaded[1]);
        EXPECT_FALSE(run.Context.QsOverloaded[2]);
        EXPECT_TRUE(run.Context.QsOverloaded[3]);
        EXPECT_DOUBLE_EQ(model.Qs(3).Results.LoadFactor, 1.25);
        EXPECT_DOUBLE_EQ(model.Qs(2).Results.WaitTime, 0.1 * 0.2 / 0.8);
    }
}

TEST(CalculationMessagesTest, ABoundedQueueIsNeverOverloaded) {
    for (double inputRate : {2.0, 5.0}) {
        NetworkModel model;
        QsParams& qs = SingleQsNetwork(model, inputRate, 1.0, 2);
        qs.BoundedQueue = true;
        qs.QueuePlaces = 4;
        CommandRun run;
        ASSERT_TRUE(run.Step(model).Completed);
        EXPECT_TRUE(run.Observer.Messages.empty());
        EXPECT_FALSE(run.Context.Overloaded);
        EXPECT_FALSE(run.Context.QsOverloaded[1]);
        EXPECT_DOUBLE_EQ(qs.Results.LoadFactor, inputRate / 2);
        EXPECT_GT(qs.Results.QueueLength, 0.0);
        EXPECT_GT(qs.Results.WaitTime, 0.0);
    }
}

}  // namespace
}  // namespace qnetica
