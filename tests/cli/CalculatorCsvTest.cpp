#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CalculatorRun.h"

namespace qnetica {
namespace {

using nlohmann::json;
using test::Calc;

const std::string Models = QNETICA_MODELS_DIR;
const std::string Golden = QNETICA_SOURCE_DIR "/tests/cli/golden/";

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A CSV file read back as a spreadsheet reads it: quoted fields may hold the separator and
// doubled quotes; rows end with CR LF.
struct Csv {
    std::vector<std::string> Header;
    std::vector<std::vector<std::string>> Rows;

    const std::string& Cell(std::size_t row, const std::string& column) const {
        for (std::size_t c = 0; c < Header.size(); ++c)
            if (Header[c] == column) return Rows.at(row).at(c);
        throw std::out_of_range(std::string("no column ").append(column));
    }
};

Csv ParseCsv(const std::string& text, char separator) {
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    std::vector<std::vector<std::string>> lines(1);
    std::string field;
    bool quoted = false;
    for (std::size_t i = 3; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == separator) {
            lines.back().push_back(std::exchange(field, {}));
        } else if (c == '\r') {
            EXPECT_EQ(text.at(i + 1), '\n');
            lines.back().push_back(std::exchange(field, {}));
            lines.emplace_back();
            ++i;
        } else {
            field += c;
        }
    }
    EXPECT_TRUE(lines.back().empty() && field.empty());  // the last row ends with CR LF
    lines.pop_back();
    Csv csv;
    csv.Header = lines.front();
    csv.Rows.assign(lines.begin() + 1, lines.end());
    for (const auto& row : csv.Rows) EXPECT_EQ(row.size(), csv.Header.size());
    return csv;
}

// The number as a C-locale reader takes it, after the decimal mark is made a point again.
double Number(std::string text, char decimalMark) {
    if (decimalMark != '.') {
        EXPECT_EQ(text.find('.'), std::string::npos) << text;
    }
    for (char& c : text)
        if (c == decimalMark) c = '.';
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double value = 0;
    in >> value;
    EXPECT_TRUE(in.eof() && !in.fail()) << text;
    return value;
}

// The CSV of a 3-step run of the example network (steps 2 and 3 overloaded) holds every figure
// of the JSON document, exactly, in one row per step and QS.
void ExpectCsvEqualsJson(const Csv& csv, const json& document, char decimalMark) {
    const auto num = [&](std::size_t row, const char* column) {
        return Number(csv.Cell(row, column), decimalMark);
    };
    const std::map<std::string, std::string> kinds = {{"plain", "обычная"},
                                                      {"bounded", "с ограниченной очередью"},
                                                      {"priority", "с относительным приоритетом"}};
    const std::pair<const char*, const char*> stepFigures[] = {
        {"Среднее число заявок в очередях", "queued_total"},
        {"Среднее число заявок в сети", "in_network_total"},
        {"Среднее время ожидания в очередях", "network_wait_time"},
        {"Среднее время пребывания заявки в сети", "network_sojourn_time"}};
    const std::pair<const char*, const char*> qsFigures[] = {
        {"Время обслуживания", "service_time"},
        {"Коэфф. передачи", "transfer_coefficient"},
        {"Интенсивность входного потока", "arrival_rate"},
        {"Коэфф. загрузки", "load_factor"},
        {"Ср. число занятых каналов", "offered_load"},
        {"Вероятность простоя", "idle_probability"},
        {"Ср. число заявок в СМО", "in_system"},
        {"Ср. длина очереди", "queue_length"},
        {"Ср. время ожидания в очереди", "wait_time"},
        {"Ср. время пребывания в СМО", "sojourn_time"}};
    std::size_t row = 0;
    for (const json& step : document["steps"]) {
        for (const json& qs : step["qs"]) {
            SCOPED_TRACE(row);
            ASSERT_LT(row, csv.Rows.size());
            EXPECT_EQ(csv.Cell(row, "Шаг"), std::to_string(step["step"].get<int>()));
            EXPECT_EQ(num(row, "Интенсивность входящего потока"), step["input_rate"].get<double>());
            EXPECT_EQ(csv.Cell(row, "Сеть перегружена"),
                      step["overloaded"].get<bool>() ? "1" : "0");
            for (const auto& [column, key] : stepFigures)
                EXPECT_EQ(num(row, column), step["totals"][key].get<double>()) << column;
            EXPECT_EQ(csv.Cell(row, "Номер СМО"), std::to_string(qs["number"].get<int>()));
            EXPECT_EQ(csv.Cell(row, "Наименование СМО"), qs["name"].get<std::string>());
            EXPECT_EQ(csv.Cell(row, "Вид СМО"), kinds.at(qs["kind"]));
            EXPECT_EQ(csv.Cell(row, "Число каналов"), std::to_string(qs["channels"].get<int>()));
            EXPECT_EQ(csv.Cell(row, "СМО перегружена"), qs["overloaded"].get<bool>() ? "1" : "0");
            for (const auto& [column, key] : qsFigures)
                EXPECT_EQ(num(row, column), qs[key].get<double>()) << column;
            const bool bounded = qs["kind"] == "bounded";
            EXPECT_EQ(csv.Cell(row, "Число мест"),
                      bounded ? std::to_string(qs["places"].get<int>()) : "");
            if (bounded) {
                EXPECT_EQ(num(row, "Вероятность потери"), qs["loss_probability"].get<double>());
                EXPECT_EQ(num(row, "Обслуженный поток"), qs["served_rate"].get<double>());
            } else {
                EXPECT_EQ(csv.Cell(row, "Вероятность потери"), "");
            }
            ++row;
        }
    }
    EXPECT_EQ(row, csv.Rows.size());
    EXPECT_EQ(row, 9u);
}

// The numeric part of the locale for the length of a test.
class NumericLocale {
  public:
    explicit NumericLocale(const char* name)
        : old_(std::setlocale(LC_NUMERIC, nullptr)), ok_(std::setlocale(LC_NUMERIC, name)) {}
    ~NumericLocale() { std::setlocale(LC_NUMERIC, old_.c_str()); }
    bool Ok() const { return ok_; }

  private:
    std::string old_;
    bool ok_;
};

struct CsvCase {
    const char* Locale;
    char Separator;
    char DecimalMark;
};

class CalculatorCsvTest : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CalculatorCsvTest, FileOfAThreeStepRunHoldsTheFiguresOfTheJson) {
    const CsvCase& c = GetParam();
    NumericLocale locale(c.Locale);
    if (!locale.Ok()) GTEST_SKIP() << c.Locale << " is not installed";
    const auto run = Calc({Models + "/three-kinds.qnf", "--vary-input-rate", "0.5:3", "--steps",
                           "3", "--json", "--csv", "run.csv"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Csv csv = ParseCsv(ReadAll("run.csv"), c.Separator);
    ExpectCsvEqualsJson(csv, json::parse(run.out), c.DecimalMark);
}

INSTANTIATE_TEST_SUITE_P(Locales, CalculatorCsvTest,
                         ::testing::Values(CsvCase{"C", ',', '.'},
                                           CsvCase{"ru_RU.UTF-8", ';', ','}),
                         [](const auto& info) {
                             return info.param.Separator == ',' ? "Point" : "Comma";
                         });

// The step knows whether and which QS failed the overload test: a plain or priority QS whose
// offered load per channel is 1 or more (a bounded QS loses requests instead).
TEST(CalculatorOverloadTest, EveryStepNamesItsOverloadedQs) {
    const auto run =
        Calc({Models + "/three-kinds.qnf", "--vary-input-rate", "0.5:3", "--steps", "3", "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const json document = json::parse(run.out);
    std::vector<std::vector<int>> named;
    for (const json& step : document["steps"]) {
        std::vector<int> overloaded;
        for (const json& qs : step["qs"])
            if (qs["kind"] != "bounded" &&
                qs["offered_load"].get<double>() / qs["channels"].get<int>() >= 1.0)
                overloaded.push_back(qs["number"]);
        EXPECT_EQ(step["overloaded_qs"].get<std::vector<int>>(), overloaded);
        EXPECT_EQ(step["overloaded"].get<bool>(), !overloaded.empty());
        named.push_back(overloaded);
    }
    EXPECT_EQ(named, (std::vector<std::vector<int>>{{}, {3}, {1, 3}}));
}

// The reports of an overloaded run, byte for byte as they were before the results gained
// their marks of overload: a fixed run at input rate 1.75 and the varied run above.
TEST(CalculatorOverloadTest, ReportsKeepTheirBytes) {
    std::string network = ReadAll(Models + "/three-kinds.json");
    const std::string rate = "\"input_rate\": 0.8";
    ASSERT_NE(network.find(rate), std::string::npos);
    network.replace(network.find(rate), rate.size(), "\"input_rate\": 1.75");
    std::ofstream("overloaded.json", std::ios::binary) << network;
    ASSERT_EQ(Calc({"overloaded.json", "--report", "fixed.txt", "--csv", "fixed.csv"}).code, 0);
    EXPECT_EQ(ReadAll("fixed.txt"), ReadAll(Golden + "three-kinds-fixed-overloaded.txt"));
    ASSERT_EQ(Calc({Models + "/three-kinds.qnf", "--vary-input-rate", "0.5:3", "--steps", "3",
                    "--report", "varied.txt", "--csv", "varied.csv"})
                  .code,
              0);
    EXPECT_EQ(ReadAll("varied.txt"), ReadAll(Golden + "three-kinds-varied-overloaded.txt"));
}

TEST(CalculatorCsvOptionTest, EmptyOrWorkingFileNamesAreRefused) {
    const auto empty = Calc({Models + "/three-kinds.qnf", "--csv", ""});
    EXPECT_EQ(empty.code, 2);
    EXPECT_NE(empty.err.find("--csv: the file name is empty"), std::string::npos);
    const auto unwritable = Calc({Models + "/three-kinds.qnf", "--csv", "no-such-folder/a.csv"});
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_NE(unwritable.err.find("no-such-folder/a.csv"), std::string::npos) << unwritable.err;
}

}  // namespace
}  // namespace qnetica
