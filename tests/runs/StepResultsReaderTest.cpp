#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "runs/StepResultsFile.h"
#include "runs/StepResultsReader.h"

namespace qnetica {
namespace {

// Records laid out by hand, so that a fault of the codec shows: in record n (from 1) the double
// at byte offset o holds n * 100000 + o.
std::string HandMadeRecords(int count, std::size_t tail = 0) {
    std::string bytes;
    for (int n = 1; n <= count; ++n) {
        std::string record(StepSnapshotSize, '\0');
        for (std::size_t offset = 0; offset < StepSnapshotSize; offset += 8) {
            const double value = n * 100000.0 + static_cast<double>(offset);
            std::memcpy(record.data() + offset, &value, sizeof value);  // x86: little-endian
        }
        bytes += record;
    }
    return bytes + std::string(tail, '\x7f');
}

void WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

TEST(StepResultsReaderTest, ReadsEveryRecordInStepOrder) {
    WriteFile(StepResultsFileName, HandMadeRecords(3));
    const StepResultsReadout readout = ReadStepResults(StepResultsFileName);
    ASSERT_TRUE(readout.Result.Ok) << readout.Result.Message;
    ASSERT_EQ(readout.Steps.size(), 3u);
    for (int n = 1; n <= 3; ++n) {
        const StepSnapshot& step = readout.Steps[n - 1];
        EXPECT_EQ(step[0].ArrivalRate, n * 100000.0);
        EXPECT_EQ(step[1].LoadFactor, n * 100000.0 + 72 + 56);           // QS 2
        EXPECT_EQ(step[149].TransferCoefficient, n * 100000.0 + 10792);  // QS 150, last double
    }
}

TEST(StepResultsReaderTest, PartRecordAtTheEndIsNoStep) {
    WriteFile(StepResultsFileName, HandMadeRecords(2, 100));
    const StepResultsReadout readout = ReadStepResults(StepResultsFileName);
    EXPECT_TRUE(readout.Result.Ok);
    EXPECT_EQ(readout.Steps.size(), 2u);
}

struct FailureCase {
    const char* Name;
    bool Exists;
    std::size_t Bytes;  // file size when it exists
};

class StepResultsReaderFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(StepResultsReaderFailureTest, FailsNamingTheFileWithNoSteps) {
    std::remove(StepResultsFileName);
    if (GetParam().Exists) WriteFile(StepResultsFileName, std::string(GetParam().Bytes, '\0'));
    const StepResultsReadout readout = ReadStepResults(StepResultsFileName);
    EXPECT_FALSE(readout.Result.Ok);
    EXPECT_NE(readout.Result.Message.find("\"qnrep.tmp\""), std::string::npos)
        << readout.Result.Message;
    EXPECT_TRUE(readout.Steps.empty());
}

INSTANTIATE_TEST_SUITE_P(Files, StepResultsReaderFailureTest,
                         ::testing::Values(FailureCase{"Missing", false, 0},
                                           FailureCase{"Empty", true, 0},
                                           FailureCase{"ShorterThanARecord", true, 10799}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qnetica
