#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "EngineTestSupport.h"

namespace qnetica {
namespace {

using test::CommandRun;
using test::NetworkSketch;
using test::RecordedMessage;

class QsFaultTest : public test::ScratchFolderTest {};

// S0 -> S1 -> S2 -> S0 with lambda = 0.6: S1 a relative-priority QS that computes, S2 the QS
// under test.
QsParams& PrepareNetwork(NetworkModel& model) {
    NetworkSketch sketch(model, 0.6);
    QsParams& first = sketch.AddQs(1.0);
    first.RelativePriority = true;
    first.PriorityClasses = 2;
    first.ClassShare(1) = 0.5;
    first.ClassShare(2) = 0.5;
    QsParams& second = sketch.AddQs(1.0);
    sketch.Link(0, 1, 1).Link(1, 2, 1).Link(2, 0, 1);
    second.Results.QueueLength = 99;
    return second;
}

void MakePriority(QsParams& qs, std::vector<double> shares) {
    qs.RelativePriority = true;
    qs.PriorityClasses = static_cast<int>(shares.size());
    for (std::size_t k = 0; k < shares.size(); ++k) qs.ClassShares[k] = shares[k];
}

// A QS that cannot be computed ends the command with one error message naming it; what was
// computed before stays, its own queue is not touched, and the class file is closed.
TEST_F(QsFaultTest, EachFaultEndsTheCommandWithItsMessage) {
    struct Case {
        const char* message;
        std::function<void(QsParams&)> spoil;
    };
    const Case cases[] = {
        {"В СМО#2 число каналов меньше 1.", [](QsParams& qs) { qs.Channels = 0; }},
        {"В СМО#2 число каналов меньше 1.", [](QsParams& qs) { qs.Channels = -3; }},
        {"В СМО#2 число мест меньше 1.",
         [](QsParams& qs) {
             qs.BoundedQueue = true;
             qs.QueuePlaces = 0;
         }},
        {"В СМО#2 число классов приоритета должно лежать в пределах от 1 до 50.",
         [](QsParams& qs) { MakePriority(qs, {}); }},
        {"В СМО#2 число классов приоритета должно лежать в пределах от 1 до 50.",
         [](QsParams& qs) {
             MakePriority(qs, {1.0});
             qs.PriorityClasses = 51;
         }},
        {"В СМО#2 доли входного потока классов заданы неверно.",
         [](QsParams& qs) {
             MakePriority(qs, {1.2, -0.2});
         }},
        {"В СМО#2 доли входного потока классов заданы неверно.",
         [](QsParams& qs) {
             MakePriority(qs, {0.0, 0.0, 0.0});
         }},
        {"В СМО#2 суммарная загрузка классов приоритета не меньше 1.",
         [](QsParams& qs) {
             MakePriority(qs, {1.0, 0.7});
         }},
        {"Арифметическая ошибка при расчете СМО#2.",
         [](QsParams& qs) { qs.ServiceTime = 1e308 / 0.1; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        NetworkModel model;
        QsParams& qs = PrepareNetwork(model);
        c.spoil(qs);
        CommandRun run;
        const StepOutcome outcome = run.Step(model);
        EXPECT_FALSE(outcome.Completed);
        EXPECT_EQ(outcome.Message, c.message);
        EXPECT_EQ(run.Observer.Messages,
                  (std::vector<RecordedMessage>{{MessageKind::Error, c.message}}));
        EXPECT_DOUBLE_EQ(model.Qs(1).Results.WaitTime, 1.5);  // computed before
        EXPECT_EQ(qs.Results.QueueLength, 99.0);
        EXPECT_EQ(std::filesystem::file_size("swap.tmp"), sizeof(ClassResults));
    }
}

// The flags are exclusive in the dialog; where both are set the bounded queue counts, and the
// priority parameters are not looked at.
TEST_F(QsFaultTest, ABoundedQueueIgnoresThePriorityParameters) {
    NetworkModel model;
    QsParams& qs = PrepareNetwork(model);
    MakePriority(qs, {});
    qs.BoundedQueue = true;
    qs.QueuePlaces = 1;
    CommandRun run;
    EXPECT_TRUE(run.Step(model).Completed);
    EXPECT_TRUE(run.Observer.Messages.empty());
    EXPECT_EQ(qs.Results.QueueLength, 0.0);
    EXPECT_DOUBLE_EQ(qs.Results.InSystem, 0.6 / 1.6);
}

}  // namespace
}  // namespace qnetica
