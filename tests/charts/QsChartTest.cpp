#include <gtest/gtest.h>

#include <QBarSet>
#include <QChart>
#include <QComboBox>
#include <QLegend>
#include <QPushButton>
#include <cstring>
#include <fstream>

#include "ChartTestSupport.h"
#include "charts/QsChartDialog.h"
#include "charts/StepBarChart.h"
#include "support/ScriptedDialogs.h"

namespace qnetica {
namespace {

std::vector<double> Values(const QBarSet* set) {
    std::vector<double> values;
    for (int i = 0; i < set->count(); ++i) values.push_back(set->at(i));
    return values;
}

struct QsChart {
    ScriptedDialogs dialogs;
    ImageSaveDialog saveDialog{dialogs};
    QsChartDialog form{ChartDialogs{dialogs, saveDialog}};

    void Build(int characteristic, int qs) {
        form.CharacteristicList()->setCurrentIndex(characteristic);
        form.QsList()->setCurrentIndex(qs - 1);
        form.BuildButton()->click();
    }
    QString Title() const { return form.Chart()->chart()->title(); }
};

TEST(QsChartTest, LoadFactorOfQsTwoOverAThreeStepRun) {
    test::VariedRunOfFiveQs run;
    run.Run(3);
    QsChart chart;
    chart.form.SetWorkFolder(&run.work);
    EXPECT_EQ(chart.Title(), "TChart");
    chart.Build(2, 2);
    EXPECT_EQ(chart.Title(), "Диаграмма построенная по значениям коэффициента загрузки в СМО № 2");
    EXPECT_EQ(chart.form.Chart()->StepLabels(), QStringList({"1", "2", "3"}));
    // Input rates 2, 2.5 and 3 into one channel with service time 0.25.
    EXPECT_EQ(Values(chart.form.ValueBars()), (std::vector<double>{0.5, 0.625, 0.75}));
    EXPECT_EQ(chart.form.ValueBars()->color(), QColor(166, 202, 240));
    EXPECT_FALSE(chart.form.Chart()->chart()->legend()->isVisible());
    EXPECT_TRUE(chart.dialogs.Messages().empty());
}

TEST(QsChartTest, QsBeyondTheNetworkGivesZeroBars) {
    test::VariedRunOfFiveQs run;
    run.Run(3);
    QsChart chart;
    chart.form.SetWorkFolder(&run.work);
    chart.Build(1, 150);
    EXPECT_EQ(chart.Title(),
              "Диаграмма построенная по значениям интенсивности входящего потока в СМО № 150");
    EXPECT_EQ(Values(chart.form.ValueBars()), (std::vector<double>{0, 0, 0}));
}

TEST(QsChartTest, BuildingTwiceShowsTheBarsOnce) {
    test::VariedRunOfFiveQs run;
    run.Run(3);
    QsChart chart;
    chart.form.SetWorkFolder(&run.work);
    chart.Build(1, 1);
    chart.Build(1, 1);
    EXPECT_EQ(Values(chart.form.ValueBars()), (std::vector<double>{2, 2.5, 3}));
    EXPECT_EQ(chart.form.Chart()->StepLabels(), QStringList({"1", "2", "3"}));
}

// In record n (from 1) the double at byte offset o of the record holds n * 100000 + o, so the
// value shown tells exactly which record and which bytes it came from.
void WriteHandMadeFile(int records) {
    std::string bytes;
    for (int n = 1; n <= records; ++n) {
        for (std::size_t offset = 0; offset < StepSnapshotSize; offset += 8) {
            const double value = n * 100000.0 + static_cast<double>(offset);
            char raw[8];
            std::memcpy(raw, &value, sizeof raw);  // x86: little-endian
            bytes.append(raw, sizeof raw);
        }
    }
    std::ofstream(StepResultsFileName, std::ios::binary) << bytes;
}

struct CharacteristicCase {
    int Index;
    const char* Text;
    int Offset;  // within the QS's 72-byte block
};

class QsChartCharacteristicTest : public ::testing::TestWithParam<CharacteristicCase> {};

TEST_P(QsChartCharacteristicTest, ShowsItsDoubleOfTheQsBlockOfEveryRecord) {
    const CharacteristicCase& c = GetParam();
    WriteHandMadeFile(2);
    QsChart chart;
    EXPECT_EQ(chart.form.CharacteristicList()->itemText(c.Index), QString::fromUtf8(c.Text));
    chart.Build(c.Index, 37);
    EXPECT_EQ(chart.Title(), QStringLiteral("Диаграмма построенная по значениям ") +
                                 QString::fromUtf8(c.Text) + QStringLiteral(" в СМО № 37"));
    const double block = 72.0 * 36 + c.Offset;
    EXPECT_EQ(Values(chart.form.ValueBars()),
              (std::vector<double>{100000 + block, 200000 + block}));
}

INSTANTIATE_TEST_SUITE_P(
    Items, QsChartCharacteristicTest,
    ::testing::Values(CharacteristicCase{0, "коэффициента передачи", 64},
                      CharacteristicCase{1, "интенсивности входящего потока", 0},
                      CharacteristicCase{2, "коэффициента загрузки", 56},
                      CharacteristicCase{3, "ср. числа занятых каналов", 16},
                      CharacteristicCase{4, "ср. числа заявок ", 32},
                      CharacteristicCase{5, "ср. длины очереди", 24},
                      CharacteristicCase{6, "ср. времени ожидания заявки в очереди", 40},
                      CharacteristicCase{7, "ср. времени пребывания заявки ", 48}));

class QsChartMissingFileTest : public ::testing::TestWithParam<bool> {};

// The file goes away (or is emptied) after a good build: error box, and no bars left over.
TEST_P(QsChartMissingFileTest, GivesAnErrorNamingTheFileAndAnEmptySeries) {
    const bool fileExists = GetParam();
    WriteHandMadeFile(2);
    QsChart chart;
    chart.Build(0, 1);
    ASSERT_EQ(chart.form.ValueBars()->count(), 2);
    std::remove(StepResultsFileName);
    if (fileExists) std::ofstream(StepResultsFileName, std::ios::binary).flush();
    chart.Build(5, 3);
    const auto messages = chart.dialogs.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].BoxKind, MessageBoxKind::Error);
    EXPECT_TRUE(messages[0].Text.contains("\"qnrep.tmp\"")) << messages[0].Text.toStdString();
    EXPECT_EQ(chart.form.ValueBars()->count(), 0);
    EXPECT_TRUE(chart.form.Chart()->StepLabels().isEmpty());
    EXPECT_EQ(chart.Title(), "Диаграмма построенная по значениям ср. длины очереди в СМО № 3");
}

INSTANTIATE_TEST_SUITE_P(Files, QsChartMissingFileTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Empty" : "Missing"; });

TEST(QsChartTest, EveryOpeningRefillsTheQsListAndSelectsOne) {
    QsChart chart;
    EXPECT_EQ(chart.form.CharacteristicList()->count(), 8);
    EXPECT_EQ(chart.form.CharacteristicList()->currentIndex(), 0);
    for (int opening = 0; opening < 2; ++opening) {
        chart.form.CharacteristicList()->setCurrentIndex(3);
        chart.form.QsList()->setCurrentIndex(41);
        chart.form.QsList()->removeItem(0);  // whatever the list became since
        chart.form.show();
        QComboBox* list = chart.form.QsList();
        ASSERT_EQ(list->count(), 150);
        for (int q = 1; q <= 150; ++q) ASSERT_EQ(list->itemText(q - 1), QString::number(q));
        EXPECT_EQ(list->currentText(), "1");
        EXPECT_EQ(chart.form.CharacteristicList()->currentIndex(), 3);  // the characteristic stays
        chart.form.CancelButton()->click();
        EXPECT_FALSE(chart.form.isVisible());
    }
}

}  // namespace
}  // namespace qnetica
