#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Calculator.h"
#include "cli/CalculatorRun.h"
#include "model/NetworkFile.h"

namespace qnetica {
namespace {

using test::Calc;
using Result = test::CalculatorResult;

// S0 -> QS 1 -> QS 2 -> S0, input rate 0.5.
void SaveNetwork(const std::string& path, double inputRate = 0.5, double serviceTime = 1) {
    NetworkModel model;
    model.AddNode();
    model.AddNode();
    model.SetInputRate(inputRate);
    model.Qs(1).ServiceTime = serviceTime;
    model.Qs(2).ServiceTime = 1;
    model.Matrix().SetCell(0, 1, "1");
    model.Matrix().SetCell(1, 2, "1");
    model.Matrix().SetCell(2, 0, "1");
    ASSERT_TRUE(SaveNetworkFile(model, path).Ok);
}

struct HostileArgs {
    const char* name;
    std::vector<std::string> args;
    int code;
    const char* err;  // a part of what stderr must hold
};

void PrintTo(const HostileArgs& c, std::ostream* out) {
    *out << c.name << " " << testing::PrintToString(c.args);
}

class CalculatorHostileTest : public ::testing::TestWithParam<HostileArgs> {};

// Every argument is checked before anything is calculated: a usage error exits with 2, a
// calculation that ends with a message with 1; nothing ever crashes.
TEST_P(CalculatorHostileTest, ExitsWithItsCodeAndMessage) {
    SaveNetwork("net.qnf");
    const HostileArgs& c = GetParam();
    std::vector<std::string> args = {"net.qnf"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Result result = Calc(args);
    EXPECT_EQ(result.code, c.code) << result.err;
    EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
    if (c.code == ExitUsage) {
        EXPECT_TRUE(result.out.empty());
    }
}

const HostileArgs HostileArgCases[] = {
    {"StepsNegative",
     {"--steps", "-5", "--vary-input-rate", "1:2"},
     ExitUsage,
     "--steps: '-5' is not a number of steps from 2 to 100"},
    {"StepsBeyondInt", {"--steps", "99999999999"}, ExitUsage, "--steps"},
    {"QsNumberCyrillic", {"--steps", "2", "--vary-service", "ЖЖ=1:2"}, ExitUsage, "--vary-service"},
    {"QsZero", {"--steps", "2", "--vary-service", "0=1:2"}, ExitUsage, "no QS 0"},
    {"QsBeyondTheNetwork", {"--steps", "2", "--vary-service", "150=1:2"}, ExitUsage, "no QS 150"},
    {"TwentyLetters",
     {"--steps", "2", "--vary-service", "1=abcdefghijklmnopqrst:2"},
     ExitUsage,
     "not two numbers"},
    {"NaN", {"--steps", "2", "--vary-service", "1=nan:2"}, ExitUsage, "not two numbers"},
    {"BeyondTheDouble",
     {"--steps", "2", "--vary-input-rate", "1e400:2"},
     ExitUsage,
     "not two numbers"},
    {"ChannelsBeyondInt",
     {"--steps", "2", "--vary-channels", "1=99999999999:1"},
     ExitUsage,
     "not two whole numbers"},
    {"PlacesFraction",
     {"--steps", "2", "--vary-places", "1=1.5:2"},
     ExitUsage,
     "not two whole numbers"},
    // Values that are numbers but that no QS can have end the calculation with its message.
    {"ServiceTimeNegative",
     {"--steps", "2", "--vary-service", "1=1:-1"},
     ExitFailed,
     "В СМО#1 нагрузка отрицательна"},
    {"ChannelsFallBelowOne",
     {"--steps", "2", "--vary-channels", "1=1:-2147483648"},
     ExitFailed,
     "число каналов меньше 1"},
    {"InputRateOverflows",
     {"--steps", "3", "--vary-input-rate", "1e308:-1e308"},
     ExitFailed,
     "Арифметическая ошибка при расчете СМО#1."},
    {"ServiceTimeOverflows",
     {"--steps", "3", "--vary-service", "1=1e308:-1e308"},
     ExitFailed,
     "Арифметическая ошибка при расчете СМО#1."},
    {"FixedReportUnwritable",
     {"--report", "no-such-folder/report.txt"},
     ExitFailed,
     "no-such-folder/report.txt"},
    {"VariedReportUnwritable",
     {"--steps", "2", "--vary-input-rate", "0.1:0.5", "--report", "no-such-folder/report.txt"},
     ExitFailed,
     "no-such-folder/report.txt"},
};

INSTANTIATE_TEST_SUITE_P(Arguments, CalculatorHostileTest, ::testing::ValuesIn(HostileArgCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Doubles of a file that are no numbers: an input rate shows as "NAN" in its field, which a run
// reads as no input rate; a service time ends the calculation at its QS.
TEST(CalculatorHostileFileTest, NotFiniteValuesOfAFileAreReportedAsImpossibleValues) {
    SaveNetwork("nan-rate.qnf", std::numeric_limits<double>::quiet_NaN());
    SaveNetwork("inf-time.qnf", 0.5, std::numeric_limits<double>::infinity());
    struct Case {
        const char* file;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {"nan-rate.qnf", ExitCompleted, "Не указана величина интенсивности входящего потока"},
        {"inf-time.qnf", ExitFailed, "Арифметическая ошибка при расчете СМО#1."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        for (const bool json : {false, true}) {
            std::vector<std::string> args = {c.file};
            if (json) args.push_back("--json");
            const Result result = Calc(args);
            EXPECT_EQ(result.code, c.code);
            EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        }
    }
}

TEST(CalculatorHostileFileTest, AFolderAsTheNetworkFileIsRefused) {
    std::filesystem::create_directory("folder.qnf");
    const Result result = Calc({"folder.qnf"});
    EXPECT_EQ(result.code, ExitFailed);
    EXPECT_NE(result.err.find("folder.qnf"), std::string::npos);
}

// A full disk: the report cannot be written whole, which the exit code and stderr say.
TEST(CalculatorHostileFileTest, FullDiskFailsTheReport) {
    SaveNetwork("net.qnf");
    for (const bool varied : {false, true}) {
        SCOPED_TRACE(varied);
        std::vector<std::string> args = {"net.qnf", "--report", "full.txt"};
        if (varied) args.insert(args.end(), {"--steps", "3", "--vary-input-rate", "0.1:0.5"});
        rlimit saved{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tiny = saved;
        tiny.rlim_cur = 1500;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
        const Result result = Calc(args);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
        EXPECT_EQ(result.code, ExitFailed);
        EXPECT_NE(result.err.find(std::strerror(EFBIG)), std::string::npos) << result.err;
    }
}

}  // namespace
}  // namespace qnetica
