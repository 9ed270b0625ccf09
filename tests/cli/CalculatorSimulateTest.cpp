#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Calculator.h"
#include "cli/CalculatorProcess.h"
#include "cli/CalculatorRun.h"
#include "model/NetworkFile.h"

namespace qnetica {
namespace {

using nlohmann::json;
using test::Calc;

const std::string ThreeKinds = std::string(QNETICA_MODELS_DIR) + "/three-kinds.qnf";
const std::string SingleQs = std::string(QNETICA_MODELS_DIR) + "/single-qs.qnf";

// S0 -> QS 1 -> QS 2 -> S0 at input rate 2: QS 1 is bounded with one place (service time 1), so
// it serves a / (1 + a) = 2/3 of its arrivals. QS 2 (service time 0.8) is overloaded by the
// flows without losses (load 1.6) and stable by those after them (load 0.8 * 2/3).
void SaveLossyPair(const std::string& path, const char* rowOfQs1 = "1") {
    NetworkModel model;
    model.AddNode();
    model.AddNode();
    model.SetInputRate(2);
    model.SetInputRateText("2");
    model.Qs(1).ServiceTime = 1;
    model.Qs(1).BoundedQueue = true;
    model.Qs(1).QueuePlaces = 1;
    model.Qs(2).ServiceTime = 0.8;
    model.Matrix().SetCell(0, 1, "1");
    model.Matrix().SetCell(1, 2, rowOfQs1);
    model.Matrix().SetCell(2, 0, "1");
    ASSERT_TRUE(SaveNetworkFile(model, path).Ok);
}

json Parse(const test::CalculatorResult& result) {
    EXPECT_EQ(result.code, ExitCompleted) << result.err;
    return json::parse(result.out);
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    std::string problem;
};

void PrintTo(const UsageCase& c, std::ostream* out) {
    *out << c.name;
}

class CalculatorSimulateUsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CalculatorSimulateUsageTest, IsOneLineAndAPointerToTheHelp) {
    std::vector<std::string> args = {SingleQs};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const test::CalculatorResult result = Calc(args);
    EXPECT_EQ(result.code, ExitUsage);
    EXPECT_EQ(result.err, "qnetica-calc: " + GetParam().problem + "\nTry 'qnetica-calc --help'.\n");
    EXPECT_EQ(result.out, "");
}

const std::string NotPrecision = "is not a relative precision from 0 to 1";
const std::string NotSeed = "is not a whole number from 0 to 18446744073709551615";
const std::string NotEvents = "is not a number of events from 1 to 9223372036854775807";

const UsageCase UsageCases[] = {
    {"PrecisionWithoutSimulate", {"--precision", "0.1"}, "--precision needs --simulate"},
    {"ThreadsWithoutSimulate", {"--threads", "1"}, "--threads needs --simulate"},
    {"VariedRun",
     {"--simulate", "--vary-input-rate", "0.1:0.2"},
     "--simulate checks a fixed run: it cannot be combined with --vary-input-rate, "
     "--vary-service, --vary-channels or --vary-places"},
    {"PrecisionPercent", {"--simulate", "--precision", "1%"}, "--precision: '1%' " + NotPrecision},
    {"PrecisionAboveOne",
     {"--simulate", "--precision", "1.5"},
     "--precision: '1.5' " + NotPrecision},
    {"PrecisionNegative",
     {"--simulate", "--precision=-0.1"},
     "--precision: '-0.1' " + NotPrecision},
    {"PrecisionBlank",
     {"--simulate", "--precision", " 0.1"},
     "--precision: ' 0.1' " + NotPrecision},
    {"SeedNegative", {"--simulate", "--seed=-1"}, "--seed: '-1' " + NotSeed},
    {"SeedSigned", {"--simulate", "--seed", "+1"}, "--seed: '+1' " + NotSeed},
    {"SeedBeyond64Bits",
     {"--simulate", "--seed", "18446744073709551616"},
     "--seed: '18446744073709551616' " + NotSeed},
    {"EventsZero", {"--simulate", "--max-events", "0"}, "--max-events: '0' " + NotEvents},
    {"EventsExponent", {"--simulate", "--max-events", "1e6"}, "--max-events: '1e6' " + NotEvents},
    {"EventsBeyond",
     {"--simulate", "--max-events", "9223372036854775808"},
     "--max-events: '9223372036854775808' " + NotEvents},
    {"SecondsZero",
     {"--simulate", "--max-seconds", "0"},
     "--max-seconds: '0' is not a number of seconds above 0"},
    {"SecondsInfinite",
     {"--simulate", "--max-seconds", "inf"},
     "--max-seconds: 'inf' is not a number of seconds above 0"},
    {"ThreadsTooMany",
     {"--simulate", "--threads", "1025"},
     "--threads: '1025' is not a number of threads from 0 to 1024"},
    {"SeedTwice",
     {"--simulate", "--seed", "1", "--seed", "2"},
     "--seed: At Most 1 required but received 2"},
};

INSTANTIATE_TEST_SUITE_P(Options, CalculatorSimulateUsageTest, ::testing::ValuesIn(UsageCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The largest values, "," before decimals, and a budget that ends the run early: accepted, and
// the run reports what it was given and that it stopped at the budget.
TEST(CalculatorSimulateTest, TakesTheExtremesOfItsOptions) {
    const test::CalculatorResult result = Calc(
        {SingleQs, "--simulate", "--json", "--precision", "0,5", "--seed", "18446744073709551615",
         "--max-events", "20000", "--max-seconds", "0,5e3", "--threads", "1024"});
    const json simulation = Parse(result).at("simulation");
    EXPECT_EQ(simulation.at("seed").get<std::uint64_t>(), 18446744073709551615u);
    EXPECT_EQ(simulation.at("precision"), 0.5);
    EXPECT_LE(simulation.at("events").get<std::int64_t>(), 20000);
    EXPECT_EQ(simulation.at("end"), "events");
    EXPECT_EQ(result.err.rfind("qnetica-calc: simulation: Stopped at the event budget", 0), 0u)
        << result.err;
}

void ExpectEstimate(const json& estimate, const std::string& where) {
    SCOPED_TRACE(where);
    ASSERT_TRUE(estimate.is_object());
    EXPECT_EQ(estimate.size(), 3u);
    EXPECT_TRUE(estimate.at("mean").is_number_float());
    EXPECT_TRUE(estimate.at("half_width").is_number_float() || estimate.at("half_width").is_null());
    EXPECT_TRUE(estimate.at("samples").is_number_integer());
    EXPECT_GT(estimate.at("samples").get<std::int64_t>(), 0);
}

const char* const QsFigures[] = {"arrival_rate", "load_factor", "queue_length",
                                 "in_system",    "wait_time",   "sojourn_time"};

// How far the analysis is from a simulated figure, in half-widths.
double HalfWidthsOff(double analytic, const json& estimate) {
    return std::fabs(analytic - estimate.at("mean").get<double>()) /
           estimate.at("half_width").get<double>();
}

// The document of the example network with its keys and types; where the analysis with the
// flows after losses is exact (QS 1 and 3 and the totals: only the loss of the bounded QS 2,
// whose arrivals are not quite Poisson, is an approximation, some 0.1 % of the figures here),
// its values lie in the simulated intervals. The figures of one run err together (a queue that
// ran long makes every time of its QS long), so a few may miss their 95 % intervals at once;
// none may miss twice its half-width, a 3.9-sigma miss (over 40 seeds the largest was 1.6).
TEST(CalculatorSimulateTest, JsonOfTheExampleHoldsEveryFigureWithItsInterval) {
    const json doc = Parse(
        Calc({ThreeKinds, "--simulate", "--json", "--precision", "0.02", "--account-losses"}));
    const json& simulation = doc.at("simulation");
    EXPECT_TRUE(simulation.at("seed").is_number_unsigned());
    EXPECT_TRUE(simulation.at("events").is_number_integer());
    EXPECT_TRUE(simulation.at("seconds").is_number_float());
    EXPECT_TRUE(simulation.at("threads").is_number_integer());
    EXPECT_EQ(simulation.at("end"), "precision");
    const json& simulated = simulation.at("qs");
    const json& analysed = doc.at("steps").at(0).at("qs");
    ASSERT_EQ(simulated.size(), 3u);
    std::vector<double> off;
    for (int q = 0; q < 3; ++q) {
        const json& qs = simulated.at(q);
        const json& analysis = analysed.at(q);
        EXPECT_EQ(qs.at("number"), q + 1);
        for (const char* figure : QsFigures)
            ExpectEstimate(qs.at(figure), std::to_string(q + 1) + " " + figure);
        EXPECT_EQ(qs.contains("loss_probability"), q == 1);
        EXPECT_EQ(qs.contains("classes"), q == 2);
        if (q == 1) {
            ExpectEstimate(qs.at("loss_probability"), "loss");
            continue;
        }
        const double busy =
            analysis.at("in_system").get<double>() - analysis.at("queue_length").get<double>();
        off.push_back(
            HalfWidthsOff(busy / analysis.at("channels").get<double>(), qs.at("load_factor")));
        for (const char* figure :
             {"arrival_rate", "queue_length", "in_system", "wait_time", "sojourn_time"})
            off.push_back(HalfWidthsOff(analysis.at(figure), qs.at(figure)));
    }
    const json& classes = simulated.at(2).at("classes");
    ASSERT_EQ(classes.size(), 2u);
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(classes.at(c).at("class"), c + 1);
        ExpectEstimate(classes.at(c).at("wait_time"), "class");
        off.push_back(HalfWidthsOff(analysed.at(2).at("classes").at(c).at("wait_time"),
                                    classes.at(c).at("wait_time")));
    }
    const json& totals = doc.at("steps").at(0).at("totals");
    for (const char* figure : {"in_network_total", "network_sojourn_time"}) {
        ExpectEstimate(simulation.at("totals").at(figure), figure);
        off.push_back(HalfWidthsOff(totals.at(figure), simulation.at("totals").at(figure)));
    }
    ASSERT_EQ(off.size(), 16u);
    for (std::size_t i = 0; i < off.size(); ++i) EXPECT_LE(off[i], 2.0) << "figure " << i;
}

// Every value of `with` that differs from `without`, by its path; the two documents must have
// the same keys and types everywhere.
void CollectChanges(const json& without, const json& with, const std::string& path,
                    std::vector<std::string>& changed) {
    ASSERT_EQ(without.type(), with.type()) << path;
    if (without.is_object()) {
        ASSERT_EQ(without.size(), with.size()) << path;
        for (const auto& [key, value] : without.items())
            CollectChanges(value, with.at(key), path + "/" + key, changed);
    } else if (without.is_array()) {
        ASSERT_EQ(without.size(), with.size()) << path;
        for (std::size_t i = 0; i < without.size(); ++i)
            CollectChanges(without[i], with[i], path + "/" + std::to_string(i), changed);
    } else if (without != with) {
        changed.push_back(path.substr(path.rfind('/') + 1));
    }
}

// The losses change the figures that follow from the flows, and nothing else: not the layout
// of the document, the parameters, the messages or the report's form; where nothing is lost
// (no bounded QS) not a byte. The flows obey their equations: QS 1 gets the input plus a tenth
// of what QS 2 passes on, all of it without the option and only the served part with it.
TEST(CalculatorSimulateTest, AccountLossesChangesOnlyTheFiguresOfTheFlows) {
    const test::CalculatorResult single = Calc({SingleQs, "--json"});
    EXPECT_EQ(Calc({SingleQs, "--json", "--account-losses"}).out, single.out);

    const json without = Parse(Calc({ThreeKinds, "--json"}));
    const json with = Parse(Calc({ThreeKinds, "--json", "--account-losses"}));
    std::vector<std::string> changed;
    CollectChanges(without, with, "", changed);
    const std::vector<std::string> figures = {
        "arrival_rate", "offered_load",     "load_factor",       "idle_probability",
        "queue_length", "in_system",        "wait_time",         "sojourn_time",
        "load",         "loss_probability", "served_rate",       "transfer_coefficient",
        "queued_total", "in_network_total", "network_wait_time", "network_sojourn_time"};
    EXPECT_GE(changed.size(), 20u);
    for (const std::string& key : changed)
        EXPECT_NE(std::find(figures.begin(), figures.end(), key), figures.end()) << key;
    for (const json* doc : {&without, &with}) {
        const json& qs = doc->at("steps").at(0).at("qs");
        const double served = qs.at(1).at("served_rate");
        EXPECT_DOUBLE_EQ(served, qs.at(1).at("arrival_rate").get<double>() *
                                     (1 - qs.at(1).at("loss_probability").get<double>()));
        const double passedOn = doc == &with ? served : qs.at(1).at("arrival_rate").get<double>();
        EXPECT_DOUBLE_EQ(qs.at(0).at("arrival_rate"), 0.8 + 0.1 * passedOn);
        EXPECT_FALSE(qs.at(0).contains("loss_probability") || qs.at(2).contains("served_rate"));
    }

    const std::string plainReport = Calc({ThreeKinds}).out;
    const std::string lossReport = Calc({ThreeKinds, "--account-losses"}).out;
    const auto form = [](std::string text) {
        for (char& c : text)
            if (c >= '0' && c <= '9') c = '0';
        return text;
    };
    EXPECT_NE(lossReport, plainReport);
    EXPECT_EQ(form(lossReport), form(plainReport));
}

// A QS overloaded by the flows without losses and kept stable by the losses upstream: the
// simulation names it on stderr and in the document and then runs; its simulated flow is the
// one after losses, 2/3, which only the option's analysis gives (without it the analysis
// calls the QS overloaded). A network the simulation refuses ends the run with its message.
TEST(CalculatorSimulateTest, WarnsOfAnOverloadThatLossesMayPreventAndRefusesWhatItCannotRun) {
    SaveLossyPair("pair.qnf");
    const std::string warning =
        "Коэффициент загрузки в СМО#2 без учета потерь не меньше 1 (равен 1.6000000000): "
        "очередь может расти без предела.";
    for (const bool losses : {false, true}) {
        SCOPED_TRACE(losses);
        std::vector<std::string> args = {"pair.qnf", "--simulate", "--json", "--precision", "0.05"};
        if (losses) args.push_back("--account-losses");
        const test::CalculatorResult result = Calc(args);
        const json doc = Parse(result);
        EXPECT_NE(result.err.find(warning + "\n"), std::string::npos) << result.err;
        EXPECT_EQ(doc.at("simulation").at("warnings"), json::array({warning}));
        const json& qs2 = doc.at("steps").at(0).at("qs").at(1);
        EXPECT_EQ(qs2.at("overloaded"), !losses);
        const json& flow = doc.at("simulation").at("qs").at(1).at("arrival_rate");
        EXPECT_LE(HalfWidthsOff(2.0 / 3, flow), 2.0);
        if (losses) {
            EXPECT_DOUBLE_EQ(qs2.at("arrival_rate"), 2.0 / 3);
        }
    }

    SaveLossyPair("half-row.qnf", "0.5");
    const test::CalculatorResult refused = Calc({"half-row.qnf", "--simulate"});
    EXPECT_EQ(refused.code, ExitFailed);
    EXPECT_EQ(refused.out, "");
    const std::string message =
        "Имитация невозможна: сумма 1-ой строки не равна 1 (равна 0.5000000000).\n";
    ASSERT_GE(refused.err.size(), message.size());
    EXPECT_EQ(refused.err.substr(refused.err.size() - message.size()), message);
}

// The table follows the report, which stays as it is; per row the mark says whether the
// analytic value lies outside the printed interval and the difference is simulation minus
// analysis.
TEST(CalculatorSimulateTest, TableFollowsTheUnchangedReportAndMarksWhatLiesOutside) {
    const std::string report = Calc({ThreeKinds}).out;
    const test::CalculatorResult result = Calc({ThreeKinds, "--simulate", "--precision", "0.05"});
    ASSERT_EQ(result.code, ExitCompleted) << result.err;
    ASSERT_EQ(result.out.substr(0, report.size()), report);
    std::istringstream table(result.out.substr(report.size()));
    int rows = 0, marks = 0;
    for (std::string line; std::getline(table, line);) {
        std::istringstream words(line);
        std::vector<std::string> word{std::istream_iterator<std::string>(words), {}};
        const auto pm = std::find(word.begin(), word.end(), "±");
        if (pm == word.end() || pm - word.begin() < 4 || word.at(0) == "QS") continue;
        ++rows;
        const double analytic = std::stod(pm[-2]), mean = std::stod(pm[-1]);
        const double halfWidth = std::stod(pm[1]), difference = std::stod(pm[2]);
        const bool marked = pm + 3 != word.end() && pm[3] == "*";
        marks += marked ? 1 : 0;
        // The printed figures have 7 digits, the half-width 3: a tie is not judged.
        if (std::fabs(std::fabs(mean - analytic) - halfWidth) > 1e-3 * halfWidth) {
            EXPECT_EQ(marked, std::fabs(mean - analytic) > halfWidth) << line;
        }
        EXPECT_NEAR(difference, mean - analytic, 2e-3 * std::fabs(difference) + 1e-6) << line;
    }
    EXPECT_EQ(rows, 23);  // 6 figures per QS, the loss of QS 2, 2 classes of QS 3, 2 totals
    EXPECT_EQ(result.out.find("* the analytic value lies outside") != std::string::npos, marks > 0);
}

// On a terminal the progress is one line rewritten in place and cleared at the end; when
// stderr is a file, as for this started process, nothing is shown.
TEST(CalculatorSimulateTest, ShowsProgressOnlyOnATerminal) {
    std::ostringstream out, err;
    ASSERT_EQ(RunCalculator({SingleQs, "--simulate", "--precision", "0.05"}, out, err, true),
              ExitCompleted);
    const std::string shown = err.str();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown.front(), '\r');
    EXPECT_EQ(shown.back(), '\r');
    std::size_t longest = 0, lines = 0;
    for (std::size_t start = 1; start < shown.size(); start = shown.find('\r', start) + 1) {
        const std::string part = shown.substr(start, shown.find('\r', start) - start);
        if (part.find_first_not_of(' ') == std::string::npos) {
            EXPECT_GE(part.size(), longest) << "the clearing covers the longest line";
            continue;
        }
        ++lines;
        longest = std::max(longest, part.find_last_not_of(' ') + 1);
        EXPECT_EQ(part.rfind("qnetica-calc: simulating: ", 0), 0u) << part;
        EXPECT_NE(part.find(" events, "), std::string::npos) << part;
        EXPECT_NE(part.find("widest half-width "), std::string::npos) << part;
    }
    EXPECT_GE(lines, 1u);

    test::CalculatorProcess process;
    process.Args = {SingleQs, "--simulate", "--precision", "0.05"};
    process.Stdout = "out.txt";
    process.Stderr = "err.txt";
    ASSERT_EQ(test::RunToEnd(process), 0) << test::FileText("err.txt");
    EXPECT_EQ(test::FileText("err.txt"), "");
    EXPECT_NE(test::FileText("out.txt").find("Simulation check (seed 1,"), std::string::npos);
}

}  // namespace
}  // namespace qnetica
