#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "TwoQsNetwork.h"
#include "model/Cp1251.h"
#include "runs/OutputFile.h"
#include "runs/ResultTables.h"
#include "runs/VariationPlan.h"
#include "runs/VariedRunReport.h"

namespace qnetica {
namespace {

using test::Hyphens;
using test::Underscores;

const std::string QsHeader =
    "| Номер СМО  | Коэфф. передачи  | Интенсивность входного потока  | Коэфф. загрузки       | "
    "Ср. число занятых каналов  | Ср. число заявок в СМО  | Ср. длина очереди    | Ср. время "
    "ожидания в очереди  | Ср. время пребывания в СМО  |";
const std::string SourceHeader =
    "| Номер СМО          | Наименование СМО   | Время обслуживания | Число каналов      |";

const std::vector<std::string> Head = {
    "Результат расчета сети с варьируемыми параметрами:",
    "",
    Underscores(84),
    "| Параметр              | Начальное значение | Конечное значение  | Шаг            |",
    Hyphens(84),
    "| Инт. вх. потока       | 0.50000            | 1.00000            | 0.50000        | ",
    Hyphens(84),
    "Общее число шагов: 2",
    "",
};

const std::vector<std::string> Step1 = {
    ">>",
    "Расчет по варьируемым параметрам шаг 1 :",
    Underscores(230),
    "Исходные данные о системах сети:",
    Underscores(85),
    SourceHeader,
    Hyphens(85),
    "| 1                  | Вход               | 1.0000000000       | 2                  |",
    "| 2                  | Приоритет          | 1.0000000000       | 1                  |",
    Hyphens(85),
    "Характеристики отдельных СМО:",
    Underscores(230),
    QsHeader,
    Hyphens(230),
    "| 1          | 1.0000000000     | 0.5000000000                   | 0.2500000000          | "
    "0.5000000000               | 0.5333333333            | 0.0333333333         | 0.0666666667  "
    "                | 1.0666666667                |",
    "| 2          | 1.0000000000     | 0.5000000000                   | 0.5000000000          | "
    "0.5000000000               | 1.0000000000            | 0.5000000000         | 2.0000000000  "
    "                | 4.0000000000                |",
    "| Пр. кл.1   |                  | 0,25                           | 0,25                  | "
    "                           | 0,583333333333333       | 0,333333333333333    | "
    "1,33333333333333              | 2,33333333333333            |",
    "| Пр. кл.2   |                  | 0,25                           | 0,25                  | "
    "                           | 0,416666666666667       | 0,166666666666667    | "
    "0,666666666666667             | 1,66666666666667            |",
    Hyphens(230),
    "Характеристики сети в целом:",
    Underscores(67),
    "| Интенсивность входящего потока:            | 0.5000000000       |",
    "| Среднее число заявок в очередях:           | 0.5333333333       |",
    "| Среднее число заявок в сети:               | 1.5333333333       |",
    "| Среднее время ожидания в очередях:         | 2.0666666667       |",
    "| Среднее время пребывания заявки в сети:    | 5.0666666667       |",
    Hyphens(67),
};

// Only the input rate varies, so from step 2 on no source row is repeated; QS 2 is overloaded.
const std::vector<std::string> Step2 = {
    ">>",
    "Расчет по варьируемым параметрам шаг 2 :",
    Underscores(230),
    "Исходные данные о системах сети:",
    Underscores(85),
    SourceHeader,
    Hyphens(85),
    Hyphens(85),
    "Характеристики отдельных СМО:",
    Underscores(230),
    QsHeader,
    Hyphens(230),
    "| 1          | 1.0000000000     | 1.0000000000                   | 0.5000000000          | "
    "1.0000000000               | 1.3333333333            | 0.3333333333         | 0.3333333333  "
    "                | 1.3333333333                |",
    "| 2          |                  | 1.0000000000                   | 1.0000000000          | "
    "                           |                         |                      |               "
    "                |                             |",
    Hyphens(230),
    "Характеристики сети в целом:",
    Underscores(67),
    "| Сеть перегружена, инт. вх. потока:         | 1.0000000000       |",
    "| Среднее число заявок в очередях:           | 0.8333333333       |",
    "| Среднее число заявок в сети:               | 2.3333333333       |",
    "| Среднее время ожидания в очередях:         | 2.3333333333       |",
    "| Среднее время пребывания заявки в сети:    | 5.3333333333       |",
    Hyphens(67),
};

void ExpectLines(const ReportLines& actual, const std::vector<std::string>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_EQ(actual[i], expected[i]) << i;
}

// A varied run of the two-QS network that varies the input rate from 0.5 to 1 in two steps.
class VariedRunReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        network.model.SetInputRate(0.5);
        plan.LoadPlanDefaults(network.model);
        plan.InputRateTo = 1;
        plan.VaryInputRate = true;
        ASSERT_FALSE(plan.PreparePlanSteps(network.model, true).has_value());
        std::remove(ClassResultsFileName);
    }

    // What the run driver does after the engine's step: tables, then the step's section.
    FileResult WriteStep(ReportLines& out, char separator = ',') {
        tables.WriteHeaderRows(QsHeaderVariant::VariedRun);
        tables.FillResultTables(network.model, network.context, network.totals);
        return WriteStepSection(out, plan, network.model, tables, network.context, separator);
    }

    test::TwoQsNetwork network;
    VariationPlan plan;
    ResultTables tables;
};

TEST_F(VariedRunReportTest, HeadListsTheVariedInputRate) {
    ReportLines lines;
    WriteReportHead(lines, plan, network.model);
    ExpectLines(lines, Head);
}

TEST_F(VariedRunReportTest, WholeReportFileIsWindows1251WithCrLf) {
    OutputFile file;
    ASSERT_TRUE(file.Create(plan.ReportFileName).Ok);
    ReportLines head;
    WriteReportHead(head, plan, network.model);
    ASSERT_TRUE(file.Append(EncodeReport(head)).Ok);
    for (int step = 1; step <= 2; ++step) {
        if (step == 1) {
            test::WriteClassFile(ClassResultsFileName, {test::TwoQsNetwork::Step1ClassRecord()});
            network.LoadStep1();
        } else {
            network.LoadStep2();  // no class record in this step; the old file must not be read
        }
        ReportLines section;
        ASSERT_TRUE(WriteStep(section).Ok);
        ASSERT_TRUE(file.Append(EncodeReport(section)).Ok);
    }
    ASSERT_TRUE(file.Close().Ok);

    std::vector<std::string> expected = Head;
    expected.insert(expected.end(), Step1.begin(), Step1.end());
    expected.insert(expected.end(), Step2.begin(), Step2.end());
    EXPECT_EQ(test::ReadBytes("report.txt"), test::ReportBytes(expected));
    for (std::size_t i = Head.size() + 11; i <= Head.size() + 18; ++i)
        EXPECT_EQ(Utf8Length(expected[i]), 230u) << i;
}

// QS 1 and QS 3 have relative priority; QS 1 is overloaded, so the step's only record is QS 3's.
TEST_F(VariedRunReportTest, OverloadedPriorityQsGetsNoClassLinesAndTheNextGetsItsOwn) {
    network.LoadStep1();
    test::AddQs(network.model, 1);
    QsParams& first = network.model.Qs(1);
    first.RelativePriority = true;
    first.PriorityClasses = 2;
    network.context.QsOverloaded[1] = true;
    QsParams& third = network.model.Qs(3);
    third = network.model.Qs(2);
    third.PriorityClasses = 1;
    network.model.Qs(2).RelativePriority = false;

    ClassResults record;
    record.ClassArrivalRate[0] = 0.125;
    record.ClassLoad[0] = 0.375;
    record.ClassInSystem[0] = 1.5;
    record.ClassQueueLength[0] = 2.5;
    record.ClassWaitTime[0] = 3.5;
    record.ClassSojournTime[0] = 4.5;
    test::WriteClassFile(ClassResultsFileName, {record});

    ReportLines lines;
    ASSERT_TRUE(WriteStep(lines).Ok);
    ASSERT_EQ(lines.size(), Step1.size() + 2 - 1);  // QS 3 in both tables, one class line less
    EXPECT_EQ(lines[15].substr(0, 3), "| 1");
    EXPECT_EQ(lines[16].substr(0, 3), "| 2");
    EXPECT_EQ(lines[17].substr(0, 3), "| 3");
    EXPECT_EQ(lines[18],
              "| Пр. кл.1   |                  | 0,125                          | 0,375         "
              "        |                            | 1,5                     | 2,5            "
              "      | 3,5                           | 4,5                         |");
    EXPECT_EQ(lines[19], Hyphens(230));
}

// A QS with both flags is computed as a bounded queue and leaves no class record.
TEST_F(VariedRunReportTest, BoundedQueueTakesPrecedenceOverPriority) {
    network.LoadStep1();
    network.model.Qs(2).BoundedQueue = true;
    network.context.ClassFileStarted = false;
    ReportLines lines;
    ASSERT_TRUE(WriteStep(lines).Ok);
    EXPECT_EQ(lines.size(), Step1.size() - 2);
}

TEST_F(VariedRunReportTest, MissingOrShortClassFileFailsAndAppendsNothing) {
    network.LoadStep1();
    ReportLines lines = {"before"};
    auto missing = WriteStep(lines);
    EXPECT_FALSE(missing.Ok);
    EXPECT_EQ(missing.Message, "Не удалось открыть файл \"swap.tmp\": No such file or directory");

    test::WriteClassFile(ClassResultsFileName, {});
    auto empty = WriteStep(lines);
    EXPECT_FALSE(empty.Ok);
    EXPECT_EQ(empty.Message, "Не удалось прочитать файл \"swap.tmp\": неожиданный конец файла");
    EXPECT_EQ(lines, ReportLines{"before"});
}

// "Время обслуж. в СМО" with a two-digit number fills its column; a longer label is not cut
// and loses the blank before the bar.
TEST(ReportHeadTest, ParameterRowsOfEveryKindInQsOrder) {
    NetworkModel model;
    test::AddQs(model, 100);
    VariationPlan plan;
    plan.LoadPlanDefaults(model);
    plan.StepCount = 3;
    for (int k : {10, 100}) {
        plan.Qs(k).ServiceFrom = 0.1;
        plan.Qs(k).ServiceTo = 0.2;
    }
    plan.Qs(100).ChannelsTo = 5;
    plan.Qs(100).PlacesFrom = 3;
    plan.Qs(100).PlacesTo = 2;
    plan.VaryServiceTime = plan.VaryChannels = plan.VaryPlaces = true;
    plan.InputRateTo = 4;  // an increment, but the input rate is not varied
    ASSERT_FALSE(plan.PreparePlanSteps(model, true).has_value());

    ReportLines lines;
    WriteReportHead(lines, plan, model);
    const std::vector<std::string> rows(lines.begin() + 5, lines.end() - 3);
    const std::vector<std::string> expected = {
        "| Время обслуж. в СМО10 | 0.10000            | 0.20000            | 0.05000        | ",
        "| Время обслуж. в СМО100| 0.10000            | 0.20000            | 0.05000        | ",
        "| Число каналов в СМО100| 1                  | 5                  | 2.00000        | ",
        "| Число мест в СМО100   | 3                  | 2                  | -0.50000       | ",
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(lines[lines.size() - 2], "Общее число шагов: 3");
}

}  // namespace
}  // namespace qnetica
