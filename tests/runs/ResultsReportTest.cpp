#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TwoQsNetwork.h"
#include "model/Cp1251.h"
#include "runs/ResultTables.h"
#include "runs/ResultsReport.h"

namespace qnetica {
namespace {

using test::Hyphens;
using test::Underscores;

class ResultsReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        network.LoadStep1();
        tables.WriteHeaderRows(QsHeaderVariant::ResultsWindow);
        tables.FillResultTables(network.model, network.context, network.totals);
    }

    test::TwoQsNetwork network;
    ResultTables tables;
};

const std::vector<std::string> TwoQsReport = {
    "Исходные данные о системах сети:",
    Underscores(85),
    "| Номер СМО          | Наименование СМО   | Время обслуживания | Число каналов      |",
    Hyphens(85),
    "| 1                  | Вход               | 1.0000000000       | 2                  |",
    "| 2                  | Приоритет          | 1.0000000000       | 1                  |",
    Hyphens(85),
    "Характеристики отдельных СМО:",
    Underscores(223),
    "| Номер СМО  | Коэфф. передачи  | Интенсивность входного потока  | Коэфф. загрузки  | Ср. "
    "число занятых каналов  | Ср. число заявок в СМО  | Ср. длина очереди  | Ср. время ожидания в "
    "очереди  | Ср. время пребывания в СМО  |",
    Hyphens(223),
    "| 1          | 1.0000000000     | 0.5000000000                   | 0.2500000000     | "
    "0.5000000000               | 0.5333333333            | 0.0333333333       | 0.0666666667    "
    "              | 1.0666666667                |",
    "| 2          | 1.0000000000     | 0.5000000000                   | 0.5000000000     | "
    "0.5000000000               | 1.0000000000            | 0.5000000000       | 2.0000000000    "
    "              | 4.0000000000                |",
    Hyphens(223),
    "Характеристики сети в целом:",
    Underscores(67),
    "| Интенсивность входящего потока:            | 0.5000000000       |",
    Hyphens(67),
    "| Среднее число заявок в очередях:           | 0.5333333333       |",
    Hyphens(67),
    "| Среднее число заявок в сети:               | 1.5333333333       |",
    Hyphens(67),
    "| Среднее время ожидания в очередях:         | 2.0666666667       |",
    Hyphens(67),
    "| Среднее время пребывания заявки в сети:    | 5.0666666667       |",
    Hyphens(67),
};

TEST_F(ResultsReportTest, TwoQsGiveTwentySixLines) {
    const ReportLines lines = BuildResultsReport(tables, network.model.NodeCount());
    ASSERT_EQ(lines.size(), 26u);
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], TwoQsReport[i]) << i;
    for (int i : {8, 9, 10, 11, 12, 13}) EXPECT_EQ(Utf8Length(lines[i]), 223u) << i;
}

TEST_F(ResultsReportTest, FileIsWindows1251WithCrLfAfterEveryLine) {
    const std::string fileName = "results-report.txt";
    ASSERT_TRUE(WriteResultsReport(fileName, tables, network.model.NodeCount()).Ok);
    const std::string bytes = test::ReadBytes(fileName);
    EXPECT_EQ(bytes, test::ReportBytes(TwoQsReport));
    // "Исх" in Windows-1251, and the file ends right after the last line's CR LF.
    EXPECT_EQ(bytes.substr(0, 3), "\xC8\xF1\xF5");
    EXPECT_EQ(bytes.substr(bytes.size() - 3), "-\r\n");

    // Saving again overwrites with the same content.
    ASSERT_TRUE(WriteResultsReport(fileName, tables, network.model.NodeCount()).Ok);
    EXPECT_EQ(test::ReadBytes(fileName), bytes);
}

TEST_F(ResultsReportTest, RowsBeyondTheNetworkAreNotWritten) {
    tables.SourceTable[3][0] = std::string(1, '3');
    const ReportLines lines = BuildResultsReport(tables, network.model.NodeCount());
    EXPECT_EQ(lines.size(), 26u);
    EXPECT_EQ(BuildResultsReport(tables, 1).size(), 20u);  // no QS: no hyphen rule before row 1
}

TEST_F(ResultsReportTest, FileThatCannotBeCreatedIsNamedWithTheSystemReason) {
    const auto result = WriteResultsReport("no-such-folder/report.txt", tables, 3);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message,
              "Не удалось создать файл \"no-such-folder/report.txt\": No such file or directory");
}

}  // namespace
}  // namespace qnetica
