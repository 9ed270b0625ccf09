#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "RunsTestSupport.h"
#include "runs/OutputFile.h"
#include "runs/StepResultsFile.h"

namespace qnetica {
namespace {

double DoubleAt(const std::string& bytes, std::size_t offset) {
    double value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);  // x86: little-endian
    return value;
}

TEST(StepResultsFileTest, SnapshotIsOneHundredFiftyBlocksOfNineDoubles) {
    StepSnapshot snapshot{};
    snapshot[0] = {1, 0, 2, 3, 4, 5, 6, 7, 8};
    snapshot[2].TransferCoefficient = 0.5;  // QS 3
    const std::string bytes = EncodeStepSnapshot(snapshot);
    ASSERT_EQ(bytes.size(), 10800u);
    // Arrival rate, reserved, offered load, Lq, L, Wq, W, load factor, transfer coefficient.
    const double expected[9] = {1, 0, 2, 3, 4, 5, 6, 7, 8};
    for (int field = 0; field < 9; ++field) EXPECT_EQ(DoubleAt(bytes, 8 * field), expected[field]);
    EXPECT_EQ(DoubleAt(bytes, 2 * 72 + 64), 0.5);
    EXPECT_EQ(bytes.find_first_not_of('\0', 3 * 72), std::string::npos);  // QS 4..150 zero
    EXPECT_EQ(DecodeStepSnapshot(bytes)[2].TransferCoefficient, 0.5);
}

TEST(StepResultsFileTest, ThreeStepsAppendThreeRecords) {
    OutputFile file;
    ASSERT_TRUE(file.Create(StepResultsFileName).Ok);
    StepSnapshot snapshot{};
    for (int step = 1; step <= 3; ++step) {
        snapshot[0].ArrivalRate = step;
        ASSERT_TRUE(file.Append(EncodeStepSnapshot(snapshot)).Ok);
    }
    ASSERT_TRUE(file.Close().Ok);
    const std::string bytes = test::ReadBytes(StepResultsFileName);
    ASSERT_EQ(bytes.size(), 3 * 10800u);
    for (int step = 1; step <= 3; ++step) EXPECT_EQ(DoubleAt(bytes, (step - 1) * 10800), step);

    ASSERT_TRUE(file.Create(StepResultsFileName).Ok);  // a new run starts an empty file
    ASSERT_TRUE(file.Close().Ok);
    EXPECT_TRUE(test::ReadBytes(StepResultsFileName).empty());
}

TEST(OutputFileTest, WriteFailureNamesTheFileAndTheSystemReason) {
    OutputFile file;
    if (!file.Create("/dev/full").Ok) GTEST_SKIP() << "no /dev/full";
    const auto result = file.Append("x");
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, "Не удалось записать файл \"/dev/full\": No space left on device");
}

}  // namespace
}  // namespace qnetica
