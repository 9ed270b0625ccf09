#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "EngineTestSupport.h"

namespace qnetica {
namespace {

using test::CommandRun;
using test::NetworkSketch;
using test::RecordedMessage;

class ClassResultsFileTest : public test::ScratchFolderTest {};

std::string ReadFile(const char* name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Array `array` (0..7 in record order), entry `index`, of record `record`.
double RecordValue(const std::string& bytes, int record, int array, int index) {
    const std::size_t offset = record * 3200 + array * 400 + index * 8;
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[offset + i]))
                << (8 * i);
    return std::bit_cast<double>(bits);
}

constexpr int WaitTimeArray = 0;
constexpr int ArrivalRateArray = 5;
constexpr int ServiceTimeArray = 6;

// S0 -> S1 -> S2 -> S0, both relative-priority QS with two equal classes.
void TwoPriorityQs(NetworkModel& model, double firstServiceTime, double secondServiceTime) {
    NetworkSketch sketch(model, 0.5);
    for (double t : {firstServiceTime, secondServiceTime}) {
        QsParams& qs = sketch.AddQs(t);
        qs.RelativePriority = true;
        qs.PriorityClasses = 2;
        qs.ClassShare(1) = 0.5;
        qs.ClassShare(2) = 0.5;
    }
    sketch.Link(0, 1, 1).Link(1, 2, 1).Link(2, 0, 1);
}

TEST_F(ClassResultsFileTest, OneRecordPerPriorityQsInNetworkOrderRewrittenEveryStep) {
    NetworkModel model;
    TwoPriorityQs(model, 1.0, 0.5);
    CommandRun run(true);
    for (int step = 1; step <= 2; ++step) {
        ASSERT_TRUE(run.Step(model, step).Completed);
        EXPECT_TRUE(run.Context.ClassFileStarted);
        const std::string bytes = ReadFile("swap.tmp");
        ASSERT_EQ(bytes.size(), 6400u);
        EXPECT_DOUBLE_EQ(RecordValue(bytes, 0, WaitTimeArray, 0), 4.0 / 3);
        EXPECT_DOUBLE_EQ(RecordValue(bytes, 0, WaitTimeArray, 1), 2.0 / 3);
        EXPECT_EQ(RecordValue(bytes, 0, ServiceTimeArray, 0), 1.0);
        EXPECT_EQ(RecordValue(bytes, 1, ServiceTimeArray, 1), 0.5);
        EXPECT_EQ(RecordValue(bytes, 1, ArrivalRateArray, 0), 0.25);
    }
}

// A file left from before is written over; whatever lies beyond the step's records is cut off,
// whether the step ends or fails after its first record (S2's classes then load it fully).
TEST_F(ClassResultsFileTest, HoldsJustTheRecordsOfTheStepOverAnOlderFile) {
    struct Case {
        const char* name;
        std::size_t olderSize;
        bool secondFails;
        std::size_t size;
    };
    const Case cases[] = {
        {"longer file", 10000, false, 6400},
        {"shorter file", 100, false, 6400},
        {"longer file, step fails", 10000, true, 3200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream("swap.tmp", std::ios::binary) << std::string(c.olderSize, '\x55');
        NetworkModel model;
        TwoPriorityQs(model, 1.0, 0.5);
        if (c.secondFails) model.Qs(2).ClassShare(1) = 4.0;  // 0.25 * (4 + 0.5) > 1
        CommandRun run;
        EXPECT_EQ(run.Step(model).Completed, !c.secondFails);
        const std::string bytes = ReadFile("swap.tmp");
        ASSERT_EQ(bytes.size(), c.size);
        EXPECT_DOUBLE_EQ(RecordValue(bytes, 0, WaitTimeArray, 0), 4.0 / 3);
    }
}

TEST_F(ClassResultsFileTest, AnOverloadedQsLeavesNoRecord) {
    NetworkModel model;
    TwoPriorityQs(model, 2.0, 1.0);  // S1 has load 1
    CommandRun run(true);
    ASSERT_TRUE(run.Step(model).Completed);
    const std::string bytes = ReadFile("swap.tmp");
    ASSERT_EQ(bytes.size(), 3200u);
    EXPECT_EQ(RecordValue(bytes, 0, ServiceTimeArray, 0), 1.0);
}

TEST_F(ClassResultsFileTest, NoPriorityQsNoFile) {
    NetworkModel model;
    test::SingleQsNetwork(model, 0.5, 1.0);
    CommandRun run;
    ASSERT_TRUE(run.Step(model).Completed);
    EXPECT_FALSE(run.Context.ClassFileStarted);
    EXPECT_FALSE(std::filesystem::exists("swap.tmp"));
}

TEST_F(ClassResultsFileTest, AFileThatCannotBeCreatedEndsTheCommand) {
    std::filesystem::create_directory("swap.tmp");
    NetworkModel model;
    TwoPriorityQs(model, 1.0, 1.0);
    CommandRun run;
    const StepOutcome outcome = run.Step(model);
    const std::string message = "Не удалось создать файл \"swap.tmp\": Is a directory";
    EXPECT_FALSE(outcome.Completed);
    EXPECT_EQ(outcome.Message, message);
    EXPECT_EQ(run.Observer.Messages, (std::vector<RecordedMessage>{{MessageKind::Error, message}}));
}

}  // namespace
}  // namespace qnetica
