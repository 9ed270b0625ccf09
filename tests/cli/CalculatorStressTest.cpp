#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Calculator.h"
#include "model/Cp1251.h"
#include "model/NetworkFile.h"
#include "model/NumberText.h"

namespace qnetica {
namespace {

using nlohmann::json;

constexpr int QsCount = 150;
constexpr int StepCount = 100;

// 150 QS of all three kinds in ten parallel lines: S0 feeds QS 1..10, QS k passes on to k + 10,
// keeps some requests (a loop) and lets the rest leave. QS k is plain, bounded or
// relative-priority by k mod 3, with one to four channels and one to five classes.
void BuildLargestNetwork(NetworkModel& model) {
    for (int k = 1; k <= QsCount; ++k) model.AddNode();
    model.SetInputRate(1);
    for (int k = 1; k <= 10; ++k) model.Matrix().SetCell(0, k, "0.1");
    for (int k = 1; k <= QsCount; ++k) {
        QsParams& qs = model.Qs(k);
        qs.Name = "СМО " + std::to_string(k);
        qs.ServiceTime = 2;
        qs.Channels = 1 + k % 4;
        if (k % 3 == 1) {
            qs.BoundedQueue = true;
            qs.QueuePlaces = qs.Channels + 3;
        } else if (k % 3 == 2) {
            qs.RelativePriority = true;
            qs.PriorityClasses = 1 + k % 5;
            for (int j = 1; j <= qs.PriorityClasses; ++j)
                qs.ClassShare(j) = 1.0 / qs.PriorityClasses;
        }
        auto& matrix = model.Matrix();
        matrix.SetCell(k, k, "0.1");
        if (k + 10 <= QsCount) {
            matrix.SetCell(k, k + 10, "0.7");
            matrix.SetCell(k, 0, "0.2");
        } else {
            matrix.SetCell(k, 0, "0.9");
        }
    }
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The report split at its step marks: [0] is the head, [s] the section of step s.
std::vector<std::string> Sections(const std::string& report) {
    std::vector<std::string> sections;
    std::size_t start = 0;
    for (std::size_t at = report.find("\r\n>>\r\n"); at != std::string::npos;
         at = report.find("\r\n>>\r\n", at + 1)) {
        sections.push_back(report.substr(start, at + 2 - start));
        start = at + 2;
    }
    sections.push_back(report.substr(start));
    return sections;
}

bool Holds(const std::string& bytes, const std::string& utf8) {
    return bytes.find(Utf8ToCp1251(utf8)) != std::string::npos;
}

// The largest network over the longest run, every kind of QS and every kind of value varied:
// the run completes, the report has every section whole, and each section's numbers are the
// step's numbers of the JSON output.
TEST(CalculatorStressTest, LargestNetworkOverTheLongestRunWithEveryKindVaried) {
    NetworkModel model;
    BuildLargestNetwork(model);
    ASSERT_TRUE(SaveNetworkFile(model, "largest.qnf").Ok);

    std::ostringstream out, err;
    const int code = RunCalculator({"largest.qnf",       "--json",
                                    "--report",          "stress-report.txt",
                                    "--steps",           std::to_string(StepCount),
                                    "--vary-input-rate", "0.5:3",
                                    "--vary-service",    "3=1:30",
                                    "--vary-service",    "150=0.5:3",
                                    "--vary-channels",   "2=1:5",
                                    "--vary-channels",   "149=4:1",
                                    "--vary-places",     "4=5:50",
                                    "--vary-places",     "148=100:3"},
                                   out, err);
    ASSERT_EQ(code, ExitCompleted) << err.str();
    const json results = json::parse(out.str());
    ASSERT_EQ(results["steps"].size(), static_cast<std::size_t>(StepCount));
    EXPECT_EQ(results["input_rate"].get<double>(), 1.0);  // given back after the run
    EXPECT_EQ(results["steps"][0]["input_rate"].get<double>(), 0.5);
    EXPECT_NEAR(results["steps"][StepCount - 1]["input_rate"].get<double>(), 3.0, 1e-12);
    EXPECT_FALSE(std::filesystem::exists("qnrep.tmp"));

    const std::string report = ReadAll("stress-report.txt");
    ASSERT_GE(report.size(), 2u);
    EXPECT_EQ(report.substr(report.size() - 69), std::string(67, '-') + "\r\n");
    const std::vector<std::string> sections = Sections(report);
    ASSERT_EQ(sections.size(), static_cast<std::size_t>(StepCount + 1));
    EXPECT_TRUE(Holds(sections[0], "Общее число шагов: 100\r\n"));
    EXPECT_TRUE(Holds(sections[0], "| Число мест в СМО148"));

    bool someStepOverloaded = false;
    for (int s = 1; s <= StepCount; ++s) {
        SCOPED_TRACE(s);
        const std::string& section = sections[s];
        const json& step = results["steps"][s - 1];
        ASSERT_EQ(step["qs"].size(), static_cast<std::size_t>(QsCount));
        EXPECT_TRUE(
            Holds(section, "Расчет по варьируемым параметрам шаг " + std::to_string(s) + " :\r\n"));
        EXPECT_TRUE(Holds(section, "| 150        |"));  // the last row of the QS table
        const bool overloaded = step["overloaded"].get<bool>();
        someStepOverloaded = someStepOverloaded || overloaded;
        EXPECT_EQ(Holds(section, "| Сеть перегружена, инт. вх. потока:"), overloaded);
        EXPECT_TRUE(Holds(section, "| " + FormatFixed(step["input_rate"].get<double>())));
        for (const char* total :
             {"queued_total", "in_network_total", "network_wait_time", "network_sojourn_time"})
            EXPECT_TRUE(Holds(section, "| " + FormatFixed(step["totals"][total].get<double>())))
                << total;
        std::size_t classes = 0;
        for (const json& qs : step["qs"]) classes += qs["classes"].size();
        std::size_t classLines = 0;
        for (std::size_t at = section.find(Utf8ToCp1251("| Пр. кл.")); at != std::string::npos;
             at = section.find(Utf8ToCp1251("| Пр. кл."), at + 1))
            ++classLines;
        EXPECT_EQ(classLines, classes);
        EXPECT_GT(classes, 0u);
    }
    EXPECT_TRUE(someStepOverloaded);  // QS 3 at its longest service times
    EXPECT_FALSE(results["steps"][0]["overloaded"].get<bool>());
}

}  // namespace
}  // namespace qnetica
