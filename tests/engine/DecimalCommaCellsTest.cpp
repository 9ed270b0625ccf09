#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>

#include "EngineTestSupport.h"
#include "model/NetworkFile.h"
#include "model/RandomFill.h"

namespace qnetica {
namespace {

using test::CommandRun;

// A network file whose cells were written with a decimal comma ("0,5") is the network that the
// same cells with a point describe: the calculation of the opened file gives the same bits and
// names no cell.
class DecimalCommaCellsTest : public test::ScratchFolderTest {};

void FillNetwork(NetworkModel& model) {
    RandomGenerator random;
    for (int k = 0; k < 12; ++k) model.AddNode();
    RandomFill(model, random, 800, 600);
    for (int k = 1; k < model.NodeCount(); ++k) model.Qs(k).ServiceTime *= 0.2;
}

std::string WithComma(std::string text) {
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::vector<std::uint64_t> ResultBits(const NetworkModel& model) {
    std::vector<std::uint64_t> bits;
    for (int k = 1; k < model.NodeCount(); ++k) {
        const QsResults& r = model.Qs(k).Results;
        for (double value : {r.ArrivalRate, r.OfferedLoad, r.QueueLength, r.InSystem, r.WaitTime,
                             r.SojournTime, r.LoadFactor, r.IdleProbability, r.TransferCoefficient})
            bits.push_back(std::bit_cast<std::uint64_t>(value));
    }
    return bits;
}

TEST_F(DecimalCommaCellsTest, OpenAndCalculateAsTheirPointedTexts) {
    NetworkModel pointed;
    FillNetwork(pointed);
    NetworkModel comma;
    FillNetwork(comma);
    int commas = 0;
    for (int from = 0; from < comma.NodeCount(); ++from)
        for (int to = 0; to < comma.NodeCount(); ++to) {
            const std::string text = WithComma(comma.Matrix().Cell(from, to));
            commas += text.find(',') != std::string::npos;
            comma.Matrix().SetCell(from, to, text);
        }
    ASSERT_GT(commas, 100);
    ASSERT_TRUE(SaveNetworkFile(comma, "comma.qnf").Ok);
    NetworkModel opened;
    ASSERT_TRUE(OpenNetworkFile(opened, "comma.qnf").Ok);
    EXPECT_EQ(opened.Matrix().Cell(1, 0), comma.Matrix().Cell(1, 0));  // the file keeps its text

    CommandRun pointedRun;
    CommandRun openedRun;
    ASSERT_TRUE(pointedRun.Step(pointed).Completed);
    ASSERT_TRUE(openedRun.Step(opened).Completed);
    EXPECT_EQ(openedRun.Observer.Messages, pointedRun.Observer.Messages);
    EXPECT_EQ(ResultBits(opened), ResultBits(pointed));
    EXPECT_NE(ResultBits(opened), std::vector<std::uint64_t>(ResultBits(opened).size(), 0));
}

}  // namespace
}  // namespace qnetica
