#include <gtest/gtest.h>

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCheckBox>
#include <QCoreApplication>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QPushButton>
#include <QValueAxis>
#include <algorithm>

#include "ChartTestSupport.h"
#include "charts/NetworkChartDialog.h"
#include "charts/StepBarChart.h"
#include "support/ScriptedDialogs.h"

namespace qnetica {
namespace {

using Totals = std::array<double, MaxStepCount>;

struct SeriesExpectation {
    QString Title;
    QColor Colour;
    const Totals StepTotals::*Values;
};

const std::vector<SeriesExpectation>& Expected() {
    static const std::vector<SeriesExpectation> expected = {
        {"Среднее число заявок, ожидающих обслуживания", QColor(255, 0, 0),
         &StepTotals::QueuedTotal},
        {"Среднее число заявок, пребывающих в сети", QColor(0, 128, 0),
         &StepTotals::InNetworkTotal},
        {"Среднее время ожидания заявки в сети", QColor(255, 255, 0), &StepTotals::NetworkWaitTime},
        {"Среднее время пребывания заявок в сети", QColor(0, 0, 255),
         &StepTotals::NetworkSojournTime},
    };
    return expected;
}

std::vector<double> Values(const QBarSet* set) {
    std::vector<double> values;
    for (int i = 0; i < set->count(); ++i) values.push_back(set->at(i));
    return values;
}

std::vector<double> Entries(const StepTotals& totals, const Totals StepTotals::*array, int count) {
    return {(totals.*array).begin(), (totals.*array).begin() + count};
}

struct NetworkChart {
    ScriptedDialogs dialogs;
    ImageSaveDialog saveDialog{dialogs};
    NetworkChartDialog form{ChartDialogs{dialogs, saveDialog}};
};

TEST(NetworkChartTest, FourStepRunGivesFourGroupsOfRedGreenYellowBlueBars) {
    test::VariedRunOfFiveQs run;
    run.Run(4);
    NetworkChart chart;
    chart.form.FillNetworkChart(run.totals, 4);

    // The steps are the input rates 2 to 3 that the run varied.
    EXPECT_EQ(chart.form.Chart()->StepLabels(), QStringList({"2.0", "2.3", "2.7", "3.0"}));
    const QList<QBarSet*> sets = chart.form.Chart()->Bars()->barSets();
    ASSERT_EQ(sets.size(), 4);
    for (int k = 1; k <= 4; ++k) {
        const SeriesExpectation& expected = Expected()[k - 1];
        SCOPED_TRACE(k);
        EXPECT_EQ(sets[k - 1], chart.form.Series(k));
        EXPECT_EQ(sets[k - 1]->label(), expected.Title);
        EXPECT_EQ(sets[k - 1]->color(), expected.Colour);
        EXPECT_EQ(Values(sets[k - 1]), Entries(run.totals, expected.Values, 4));
        EXPECT_EQ(chart.form.SeriesBox(k)->text(), expected.Title);
        EXPECT_TRUE(chart.form.SeriesBox(k)->isChecked());
        const QCheckBox* box = chart.form.SeriesBox(k);
        EXPECT_EQ(box->palette().color(box->backgroundRole()), expected.Colour);
    }
    // Step 1 at input rate 2: the queues of five M/M/1 with loads 0.2, 0.5, 0.4, 0.6, 0.3.
    EXPECT_NEAR(sets[0]->at(0), 0.05 + 0.5 + 0.16 / 0.6 + 0.9 + 0.09 / 0.7, 1e-12);
    EXPECT_GT(sets[0]->at(3), sets[0]->at(0));  // fuller at rate 3
    // The marks show the values, the legend stands above the plot.
    chart.form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(chart.form.Chart()->ShownMarks().size(), 16);
    const QChart* plot = chart.form.Chart()->chart();
    EXPECT_EQ(plot->title(), "Характеристики сети");
    EXPECT_EQ(plot->legend()->alignment(), Qt::AlignTop);
    EXPECT_TRUE(plot->legend()->isVisible());
}

bool RowMajor(QPoint a, QPoint b) {
    return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x());
}

// The plot's pixels of one colour, in row-major order.
std::vector<QPoint> PixelsOf(const QImage& image, const QColor& colour, const QRect& area) {
    std::vector<QPoint> pixels;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour) pixels.emplace_back(x, y);
    return pixels;
}

TEST(NetworkChartTest, UntickingYellowHidesOnlyItAndTickingBringsTheSameValuesBack) {
    test::VariedRunOfFiveQs run;
    run.Run(4);
    NetworkChart chart;
    chart.form.resize(1000, 680);
    chart.form.show();
    chart.form.FillNetworkChart(run.totals, 4);
    const QRect plotArea = chart.form.Chart()->chart()->plotArea().toAlignedRect();
    const QImage before = chart.form.Chart()->grab().toImage();
    const double axisTop = chart.form.Chart()->ValueAxis()->max();

    chart.form.SeriesBox(3)->click();
    EXPECT_FALSE(chart.form.SeriesShown(3));
    const QImage hidden = chart.form.Chart()->grab().toImage();
    const auto markers = chart.form.Chart()->chart()->legend()->markers(chart.form.Chart()->Bars());
    ASSERT_EQ(markers.size(), 4);
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(k);
        const SeriesExpectation& expected = Expected()[k - 1];
        EXPECT_EQ(Values(chart.form.Series(k)), Entries(run.totals, expected.Values, 4));
        EXPECT_EQ(markers[k - 1]->isVisible(), k != 3);
        if (k == 3) {
            EXPECT_TRUE(PixelsOf(hidden, expected.Colour, plotArea).empty());
            EXPECT_FALSE(PixelsOf(before, expected.Colour, plotArea).empty());
        } else {
            // The other bars stay where they were, pixel for pixel (the yellow marks that
            // overlapped them are gone, so they may show more of themselves).
            const std::vector<QPoint> after = PixelsOf(hidden, expected.Colour, plotArea);
            for (const QPoint& pixel : PixelsOf(before, expected.Colour, plotArea))
                ASSERT_TRUE(std::binary_search(after.begin(), after.end(), pixel, RowMajor))
                    << pixel.x() << "," << pixel.y();
        }
    }
    EXPECT_EQ(chart.form.Chart()->StepLabels(), QStringList({"2.0", "2.3", "2.7", "3.0"}));
    EXPECT_EQ(chart.form.Chart()->ValueAxis()->max(), axisTop);

    chart.form.SeriesBox(3)->click();
    EXPECT_TRUE(chart.form.SeriesShown(3));
    EXPECT_EQ(chart.form.Series(3)->color(), QColor(255, 255, 0));
    EXPECT_EQ(chart.form.Series(3)->brush().style(), Qt::SolidPattern);
    EXPECT_EQ(Values(chart.form.Series(3)), Entries(run.totals, &StepTotals::NetworkWaitTime, 4));
    EXPECT_EQ(chart.form.Chart()->grab().toImage(), before);
}

TEST(NetworkChartTest, HiddenSeriesStaysHiddenWhenTheChartIsFilledAgain) {
    StepTotals totals;
    totals.NetworkSojournTime = {1, 2, 3};
    NetworkChart chart;
    chart.form.SeriesBox(4)->setChecked(false);
    chart.form.FillNetworkChart(totals, 3);
    chart.form.FillNetworkChart(totals, 3);
    EXPECT_FALSE(chart.form.SeriesBox(4)->isChecked());
    EXPECT_EQ(chart.form.Series(4)->brush().style(), Qt::NoBrush);
    EXPECT_EQ(chart.form.Series(4)->pen().style(), Qt::NoPen);
    EXPECT_EQ(chart.form.Series(4)->labelColor().alpha(), 0);
    EXPECT_EQ(Values(chart.form.Series(4)), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(chart.form.Series(1)->color(), QColor(255, 0, 0));
}

TEST(NetworkChartTest, MoreStepsThanTheLastRunShowWhatTheTotalsStillHold) {
    test::VariedRunOfFiveQs run;
    // An earlier run of six steps left its steps 5 and 6 behind.
    for (int k = 5; k <= 6; ++k) run.totals.Store(k, {10.0 * k, 20.0 * k, 30.0 * k, 40.0 * k});
    run.Run(4);
    NetworkChart chart;
    chart.form.FillNetworkChart(run.totals, 7);
    EXPECT_EQ(chart.form.Chart()->StepLabels(), QStringList({"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(Values(chart.form.Series(1)).back(), 0);  // step 7 was never written
    const double earlier[4][2] = {{50, 60}, {100, 120}, {150, 180}, {200, 240}};
    for (int k = 1; k <= 4; ++k) {
        const std::vector<double> values = Values(chart.form.Series(k));
        ASSERT_EQ(values.size(), 7u);
        EXPECT_EQ(values[4], earlier[k - 1][0]) << k;
        EXPECT_EQ(values[5], earlier[k - 1][1]) << k;
        EXPECT_EQ(std::vector<double>(values.begin(), values.begin() + 4),
                  Entries(run.totals, Expected()[k - 1].Values, 4))
            << k;
    }
}

class NetworkChartStepCountTest : public ::testing::TestWithParam<std::pair<int, int>> {};

// The totals have room for 100 steps; what lies outside shows nothing.
TEST_P(NetworkChartStepCountTest, ShowsTheStepsTheTotalsHaveRoomFor) {
    const auto [stepCount, groups] = GetParam();
    StepTotals totals;
    totals.QueuedTotal.fill(1.5);
    NetworkChart chart;
    chart.form.FillNetworkChart(totals, 3);  // earlier bars go in any case
    chart.form.FillNetworkChart(totals, stepCount);
    EXPECT_EQ(chart.form.Chart()->StepLabels().size(), groups);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(chart.form.Series(k)->count(), groups) << k;
    if (groups > 0) {
        EXPECT_EQ(chart.form.Chart()->StepLabels().back(), QString::number(groups));
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, NetworkChartStepCountTest,
                         ::testing::Values(std::pair{0, 0}, std::pair{-2, 0}, std::pair{1, 1},
                                           std::pair{100, 100}, std::pair{101, 100}));

TEST(NetworkChartTest, CancelClosesTheWindow) {
    NetworkChart chart;
    chart.form.show();
    EXPECT_EQ(chart.form.CancelButton()->text(), "<< Отменить");
    EXPECT_EQ(chart.form.SaveButton()->text(), "Сохранить");
    chart.form.CancelButton()->click();
    EXPECT_FALSE(chart.form.isVisible());
}

}  // namespace
}  // namespace qnetica
