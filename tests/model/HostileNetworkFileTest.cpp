#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "engine/AnalysisEngine.h"
#include "model/NetworkFile.h"

namespace qnetica {
namespace {

using namespace file_layout;

class CountingObserver : public CalculationObserver {
  public:
    void ShowMessage(MessageKind, const std::string& text) override {
        ++Messages;
        EXPECT_FALSE(text.empty());
    }
    void SetProgress(int) override {}
    int Messages = 0;
};

template <typename T>
void Put(NetworkImage& image, std::size_t offset, T value) {
    std::memcpy(&image[offset], &value, sizeof value);
}

void WriteBytes(const std::string& path, const NetworkImage& image) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()),
              static_cast<std::streamsize>(image.size()));
}

// S0 -> S1 -> S2 -> S0, both QS sound, input rate 0.5.
NetworkImage SoundImage() {
    NetworkModel model;
    model.AddNode();
    model.AddNode();
    model.SetInputRate(0.5);
    for (int k = 1; k <= 2; ++k) model.Qs(k).ServiceTime = 1;
    model.Matrix().SetCell(0, 1, "1");
    model.Matrix().SetCell(1, 2, "1");
    model.Matrix().SetCell(2, 0, "1");
    return BuildNetworkImage(model);
}

StepOutcome Calculate(NetworkModel& model, CountingObserver& observer) {
    AnalysisEngine engine;
    CalculationContext context;
    engine.StartRun();
    return engine.CalculateStep(model, context, observer);
}

TEST(HostileNetworkFileTest, NodeCountsAtTheEndsOfTheIntegerAreRefused) {
    for (std::int32_t nodeCount : {INT_MIN, INT_MAX, 152, 0}) {
        SCOPED_TRACE(nodeCount);
        NetworkImage image = SoundImage();
        Put(image, NodeCountOffset, nodeCount);
        WriteBytes("bad.qnf", image);
        NetworkModel model;
        const FileResult result = OpenNetworkFile(model, "bad.qnf");
        EXPECT_FALSE(result.Ok);
        EXPECT_NE(result.Message.find("число узлов сети " + std::to_string(nodeCount)),
                  std::string::npos)
            << result.Message;
        EXPECT_EQ(model.NodeCount(), 1);
    }
}

// Doubles that are no numbers open as they are (the file is not judged by its values), save
// back bit for bit, and end a calculation with the message of the QS they reach.
TEST(HostileNetworkFileTest, NotFiniteDoublesOpenSaveBackAndEndTheCalculationWithAMessage) {
    struct Case {
        const char* name;
        std::size_t offset;
        std::uint64_t bits;
        const char* message;  // nullptr: the calculation completes
    };
    const std::uint64_t quietNaN = 0x7ff8000000000000, payloadNaN = 0x7ff4000000000123,
                        negativeNaN = 0xfff8000000000001, infinity = 0x7ff0000000000000,
                        minusInfinity = 0xfff0000000000000;
    const Case cases[] = {
        {"serviceTime", SlotOffset(2), payloadNaN, "Арифметическая ошибка при расчете СМО#2."},
        {"serviceTimeInf", SlotOffset(1), infinity, "Арифметическая ошибка при расчете СМО#1."},
        {"inputRate", InputRateOffset, negativeNaN, "Арифметическая ошибка при расчете СМО#1."},
        {"inputRateInf", InputRateOffset, minusInfinity,
         "Арифметическая ошибка при расчете СМО#1."},
        // Results of the last calculation and unused shares are overwritten or never read.
        {"storedWaitTime", SlotOffset(2) + 48, quietNaN, nullptr},
        {"storedLoadFactor", SlotOffset(1) + 72, infinity, nullptr},
        {"unusedShare", SlotOffset(1) + 128, quietNaN, nullptr},
        {"freeSlot", SlotOffset(151), quietNaN, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NetworkImage image = SoundImage();
        Put(image, c.offset, c.bits);
        WriteBytes("nan.qnf", image);
        NetworkModel model;
        ASSERT_TRUE(OpenNetworkFile(model, "nan.qnf").Ok);
        ASSERT_TRUE(SaveNetworkFile(model, "saved.qnf").Ok);
        NetworkModel reopened;
        ASSERT_TRUE(OpenNetworkFile(reopened, "saved.qnf").Ok);
        EXPECT_EQ(BuildNetworkImage(reopened), image);

        CountingObserver observer;
        const StepOutcome outcome = Calculate(model, observer);
        if (c.message == nullptr) {
            EXPECT_TRUE(outcome.Completed) << outcome.Message;
            EXPECT_EQ(observer.Messages, 0);
        } else {
            EXPECT_FALSE(outcome.Completed);
            EXPECT_EQ(outcome.Message, c.message);
            EXPECT_EQ(observer.Messages, 1);
        }
    }
}

// Random bytes: a file is refused with a reason, or it opens, saves, opens again unchanged and
// calculates to its end or to a message.
TEST(HostileNetworkFileTest, RandomImagesAreRefusedOrOpenSaveAndCalculate) {
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> byte(0, 255);
    int opened = 0;
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        NetworkImage image(ImageSize);
        for (auto& b : image) b = static_cast<std::uint8_t>(byte(random));
        Put<std::int32_t>(image, NodeCountOffset, 1 + round * 13 % MaxNodeCount);
        if (round % 3 != 0) {  // lengths in range, so that most of the rounds open
            for (int k = 1; k <= SlotCount; ++k) image[SlotOffset(k) + 528] %= MaxNameLength + 1;
            for (int to = 0; to < TransferMatrix::Size; ++to)
                for (int from = 0; from < TransferMatrix::Size; ++from)
                    image[CellOffset(from, to)] %= MaxCellLength + 1;
        }
        WriteBytes("random.qnf", image);
        NetworkModel model;
        const FileResult result = OpenNetworkFile(model, "random.qnf");
        if (!result.Ok) {
            EXPECT_NE(result.Message.find("поврежден"), std::string::npos) << result.Message;
            continue;
        }
        ++opened;
        ASSERT_TRUE(SaveNetworkFile(model, "saved.qnf").Ok);
        NetworkModel reopened;
        ASSERT_TRUE(OpenNetworkFile(reopened, "saved.qnf").Ok);
        EXPECT_EQ(BuildNetworkImage(reopened), BuildNetworkImage(model));

        CountingObserver observer;
        const StepOutcome outcome = Calculate(model, observer);
        if (!outcome.Completed) {
            EXPECT_FALSE(outcome.Message.empty());
        }
    }
    EXPECT_EQ(opened, 8);
}

}  // namespace
}  // namespace qnetica
