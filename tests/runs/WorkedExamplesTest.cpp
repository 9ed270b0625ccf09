// The worked examples of the help's theory page, computed by the program: every number the page
// marks with data-check="FILE:QS:FIGURE" (QS "net" for the network's totals) must be what the
// run gives, to the digits the page prints (and at least to four decimals).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "support/ExampleRun.h"

namespace qnetica {
namespace {

struct PageNumber {
    std::string File;
    std::string Qs;
    std::string Figure;
    std::string Text;  // as printed, with a decimal comma
};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every data-check="a:b:c" attribute with the text of its element up to the next tag.
std::vector<PageNumber> MarkedNumbers(const std::string& html) {
    const std::string marker = "data-check=\"";
    std::vector<PageNumber> numbers;
    for (auto at = html.find(marker); at != std::string::npos; at = html.find(marker, at + 1)) {
        const auto keyStart = at + marker.size();
        const std::string key = html.substr(keyStart, html.find('"', keyStart) - keyStart);
        const auto textStart = html.find('>', keyStart) + 1;
        const std::string text = html.substr(textStart, html.find('<', textStart) - textStart);
        const auto first = key.find(':');
        const auto second = key.find(':', first + 1);
        numbers.push_back({key.substr(0, first), key.substr(first + 1, second - first - 1),
                           key.substr(second + 1), text});
    }
    return numbers;
}

double PrintedValue(std::string text) {
    for (char& c : text)
        if (c == ',') c = '.';
    std::size_t used = 0;
    const double value = std::stod(text, &used);
    EXPECT_EQ(used, text.size()) << "not a number: " << text;
    return value;
}

// Half a unit of the last printed digit; a number printed with fewer than four decimals claims
// four (the page writes 0,5 for 0.5000).
double Tolerance(const std::string& text) {
    const auto comma = text.find(',');
    const int decimals = comma == std::string::npos ? 0 : static_cast<int>(text.size() - comma - 1);
    return 0.5 * std::pow(10.0, -std::max(decimals, 4)) + 1e-12;
}

double QsFigure(const QsResults& r, const std::string& figure) {
    const std::map<std::string, double> figures = {{"arrival_rate", r.ArrivalRate},
                                                   {"transfer_coefficient", r.TransferCoefficient},
                                                   {"offered_load", r.OfferedLoad},
                                                   {"load_factor", r.LoadFactor},
                                                   {"idle_probability", r.IdleProbability},
                                                   {"queue_length", r.QueueLength},
                                                   {"in_system", r.InSystem},
                                                   {"wait_time", r.WaitTime},
                                                   {"sojourn_time", r.SojournTime}};
    const auto found = figures.find(figure);
    EXPECT_NE(found, figures.end()) << "no figure " << figure;
    return found == figures.end() ? NAN : found->second;
}

double NetworkFigure(const NetworkTotals& t, const std::string& figure) {
    const std::map<std::string, double> figures = {{"queued_total", t.QueuedTotal},
                                                   {"in_network_total", t.InNetworkTotal},
                                                   {"network_wait_time", t.NetworkWaitTime},
                                                   {"network_sojourn_time", t.NetworkSojournTime}};
    const auto found = figures.find(figure);
    EXPECT_NE(found, figures.end()) << "no figure " << figure;
    return found == figures.end() ? NAN : found->second;
}

TEST(WorkedExamplesTest, TheProgramGivesEveryNumberOfTheTheoryPage) {
    const auto numbers = MarkedNumbers(ReadText(test::SourceFolder("help/theory.htm")));
    std::map<std::string, std::unique_ptr<test::FixedRun>> runs;
    std::set<std::string> checkedQs;
    for (const PageNumber& number : numbers) {
        SCOPED_TRACE(number.File + ":" + number.Qs + ":" + number.Figure + " = " + number.Text);
        auto& run = runs[number.File];
        if (!run)
            run = std::make_unique<test::FixedRun>(
                test::SourceFolder("models/" + number.File + ".qnf"));
        ASSERT_EQ(run->End, RunEnd::Completed);
        ASSERT_EQ(run->Messages, std::vector<std::string>{});
        const double program =
            number.Qs == "net"
                ? NetworkFigure(run->Engine.Totals(), number.Figure)
                : QsFigure(run->Model.Qs(std::stoi(number.Qs)).Results, number.Figure);
        EXPECT_NEAR(program, PrintedValue(number.Text), Tolerance(number.Text));
        checkedQs.insert(number.File + ":" + number.Qs);
    }
    // Both examples, every QS and the totals of each: the page cannot lose its marks unseen.
    EXPECT_EQ(checkedQs, (std::set<std::string>{"rework:1", "rework:2", "rework:net", "clinic:1",
                                                "clinic:2", "clinic:3", "clinic:4", "clinic:net"}));
    EXPECT_GE(numbers.size(), 60u);
}

}  // namespace
}  // namespace qnetica
