#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/Calculator.h"
#include "cli/CalculatorRun.h"
#include "model/NetworkFile.h"

namespace qnetica {
namespace {

using test::Calc;

// S0 -> QS 1 -> QS 2 -> S0, input rate 0.5.
void SaveTwoQs(const std::string& path) {
    NetworkModel model;
    model.AddNode();
    model.AddNode();
    model.SetInputRate(0.5);
    model.Qs(1).ServiceTime = 0.5;
    model.Qs(2).ServiceTime = 0.25;
    model.Matrix().SetCell(0, 1, "1");
    model.Matrix().SetCell(1, 2, "1");
    model.Matrix().SetCell(2, 0, "1");
    ASSERT_TRUE(SaveNetworkFile(model, path).Ok);
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    std::string problem;  // the first line of stderr after "qnetica-calc: "
};

void PrintTo(const UsageCase& c, std::ostream* out) {
    *out << c.name;
}

class CalculatorUsageTest : public ::testing::TestWithParam<UsageCase> {};

// A usage error is one line saying what is wrong and one saying where help is; nothing is
// printed on stdout or calculated, and the exit status is 2.
TEST_P(CalculatorUsageTest, IsOneLineAndAPointerToTheHelp) {
    SaveTwoQs("two.qnf");
    const UsageCase& c = GetParam();
    const test::CalculatorResult result = Calc(c.args);
    EXPECT_EQ(result.code, ExitUsage);
    EXPECT_EQ(result.err, "qnetica-calc: " + c.problem + "\nTry 'qnetica-calc --help'.\n");
    EXPECT_EQ(result.out, "");
}

const UsageCase UsageCases[] = {
    {"NoFile", {}, "FILE is required"},
    {"UnknownOption", {"two.qnf", "--bogus"}, "The following argument was not expected: --bogus"},
    {"EmptyRange",
     {"two.qnf", "--vary-service", "1=:"},
     "--vary-service: '1=:' is not two numbers K=FROM:TO"},
    {"NoFrom",
     {"two.qnf", "--vary-input-rate", ":1"},
     "--vary-input-rate: ':1' is not two numbers FROM:TO"},
    {"NoTo",
     {"two.qnf", "--vary-input-rate", "0.5:"},
     "--vary-input-rate: '0.5:' is not two numbers FROM:TO"},
    {"BlankFrom",
     {"two.qnf", "--vary-input-rate", " :1"},
     "--vary-input-rate: ' :1' is not two numbers FROM:TO"},
    {"TwoSeparators",
     {"two.qnf", "--vary-input-rate", "0,5.1:1"},
     "--vary-input-rate: '0,5.1:1' is not two numbers FROM:TO"},
    {"NoColon",
     {"two.qnf", "--vary-input-rate", "0.5"},
     "--vary-input-rate: '0.5' is not of the form FROM:TO"},
    {"NoQs",
     {"two.qnf", "--vary-places", "=1:2"},
     "--vary-places: '=1:2' is not of the form K=FROM:TO (K: the number of a QS)"},
    {"WholeNumbersWithComma",
     {"two.qnf", "--vary-channels", "1=1,5:2"},
     "--vary-channels: '1=1,5:2' is not two whole numbers K=FROM:TO"},
    {"QsZero",
     {"two.qnf", "--vary-service", "0=1:2"},
     "--vary-service: the network has no QS 0 (K is 1 to 2)"},
    {"QsBeyond",
     {"two.qnf", "--vary-channels", "3=1:2"},
     "--vary-channels: the network has no QS 3 (K is 1 to 2)"},
    {"StepsAlone",
     {"two.qnf", "--steps", "5"},
     "--steps needs something to vary: add --vary-input-rate, --vary-service, --vary-channels "
     "or --vary-places"},
    {"StepsOne",
     {"two.qnf", "--steps", "1", "--vary-input-rate", "1:2"},
     "--steps: '1' is not a number of steps from 2 to 100"},
    {"StepsEmpty",
     {"two.qnf", "--steps", "", "--vary-input-rate", "1:2"},
     "--steps: '' is not a number of steps from 2 to 100"},
    {"ReportEmpty", {"two.qnf", "--report", ""}, "--report: the file name is empty"},
};

INSTANTIATE_TEST_SUITE_P(Options, CalculatorUsageTest, ::testing::ValuesIn(UsageCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CalculatorHelpTest, HelpAndVersionGoToStdoutWithStatusZero) {
    const test::CalculatorResult version = Calc({"--version"});
    EXPECT_EQ(version.code, ExitCompleted);
    const std::string prefix = "qnetica-calc ";
    ASSERT_GT(version.out.size(), prefix.size() + 1);
    EXPECT_EQ(version.out.substr(0, prefix.size()), prefix);
    const std::string number =
        version.out.substr(prefix.size(), version.out.size() - prefix.size() - 1);
    EXPECT_EQ(number.find_first_not_of("0123456789."), std::string::npos) << version.out;
    EXPECT_EQ(version.out.back(), '\n');
    for (const char* flag : {"--help", "-h"}) {
        const test::CalculatorResult help = Calc({flag, "--bogus"});
        EXPECT_EQ(help.code, ExitCompleted);
        EXPECT_EQ(help.err, "");
        EXPECT_EQ(help.out.rfind("Usage: qnetica-calc FILE", 0), 0u);
        for (const char* part :
             {"--vary-input-rate FROM:TO", "--vary-service K=FROM:TO", "--steps N", "(default: 2)",
              "Exit status:", "Files:", "Examples:", "qnetica-calc three-kinds.qnf --json"})
            EXPECT_NE(help.out.find(part), std::string::npos) << part;
    }
}

// "," and "." both come before decimals: the same range gives the same run, never 0 for "0,5".
TEST(CalculatorRangeTest, CommaAndPointGiveTheSameRun) {
    SaveTwoQs("two.qnf");
    const std::vector<std::string> base = {"two.qnf", "--steps", "3", "--json"};
    auto run = [&base](const std::vector<std::string>& ranges) {
        std::vector<std::string> args = base;
        args.insert(args.end(), ranges.begin(), ranges.end());
        const test::CalculatorResult result = Calc(args);
        EXPECT_EQ(result.code, ExitCompleted) << result.err;
        return result.out;
    };
    const std::string pointed =
        run({"--vary-input-rate", "0.5:1.5", "--vary-service", "2=0.1:0.3"});
    EXPECT_NE(pointed.find("\"input_rate\": 1.5,"), std::string::npos);
    EXPECT_EQ(run({"--vary-input-rate", "0,5:1,5", "--vary-service", "2=0,1:0,3"}), pointed);
    EXPECT_EQ(run({"--vary-input-rate", "0,5:1.5", "--vary-service", "2=.1:0,3"}), pointed);
}

}  // namespace
}  // namespace qnetica
