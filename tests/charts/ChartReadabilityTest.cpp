#include <gtest/gtest.h>

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QValueAxis>
#include <QtEndian>
#include <functional>
#include <memory>

#include "ChartTestSupport.h"
#include "charts/ChartStyleChoice.h"
#include "charts/NetworkChartDialog.h"
#include "charts/QsChartDialog.h"
#include "charts/StepBarChart.h"
#include "support/ScriptedDialogs.h"

namespace qnetica {
namespace {

enum class Window { Network, Qs };

// One of the chart windows after a varied run of the five-QS chain, shown at a size.
struct ChartWindow {
    ScriptedDialogs dialogs;
    ImageSaveDialog saveDialog{dialogs};
    std::unique_ptr<QDialog> window;
    StepBarChart* chart = nullptr;
    QPushButton* save = nullptr;
    ChartStyleChoice* style = nullptr;

    ChartWindow(Window kind, test::VariedRunOfFiveQs& run, int steps, int qs = 4) {
        const ChartDialogs both{dialogs, saveDialog};
        if (kind == Window::Network) {
            auto form = std::make_unique<NetworkChartDialog>(both);
            form->FillNetworkChart(run.totals, steps);
            chart = form->Chart();
            save = form->SaveButton();
            style = form->StyleChoice();
            window = std::move(form);
        } else {
            auto form = std::make_unique<QsChartDialog>(both);
            form->SetWorkFolder(&run.work);
            form->SetStepTotals(&run.totals);
            form->QsList()->setCurrentIndex(qs - 1);
            form->CharacteristicList()->setCurrentIndex(2);  // the load factor
            form->BuildQsChart();
            chart = form->Chart();
            save = form->SaveButton();
            style = form->StyleChoice();
            window = std::move(form);
        }
    }
    // As the user sizes it: a window takes back its last size whenever it is shown.
    void ShowAt(QSize size) {
        window->show();
        window->resize(size);
        QCoreApplication::processEvents();
    }
};

QRectF Box(const QGraphicsItem* item) {
    return item->sceneBoundingRect();
}

// Two boxes overlap when they share an interior point.
bool Overlap(const QRectF& a, const QRectF& b) {
    return a.left() < b.right() && b.left() < a.right() && a.top() < b.bottom() &&
           b.top() < a.bottom();
}

// The bars where Qt Charts draws them: category i spans i - 0.5 to i + 0.5, and the series'
// sets share its bar width side by side.
QList<QRectF> BarBoxes(const StepBarChart& view) {
    QChart* chart = view.chart();
    QList<QRectF> boxes;
    for (QAbstractSeries* any : chart->series()) {
        auto* series = qobject_cast<QBarSeries*>(any);
        if (series == nullptr || !series->isVisible()) continue;
        const QList<QBarSet*> sets = series->barSets();
        const double width = series->barWidth() / sets.size();
        for (qsizetype s = 0; s < sets.size(); ++s) {
            for (int i = 0; i < sets[s]->count(); ++i) {
                const double left = i - series->barWidth() / 2 + s * width;
                const QPointF top = chart->mapToPosition({left, sets[s]->at(i)}, series);
                const QPointF base = chart->mapToPosition({left + width, 0}, series);
                boxes.append(chart->mapRectToScene(QRectF(top, base).normalized()));
            }
        }
    }
    return boxes;
}

// Every pair among the step labels and value marks shown, compared directly; and no mark on a
// bar, where a taller neighbour would hide it.
void ExpectNoTextsOverlap(const StepBarChart& chart) {
    QList<QGraphicsSimpleTextItem*> texts = chart.ShownStepLabels();
    texts += chart.ShownMarks();
    for (qsizetype i = 0; i < texts.size(); ++i)
        for (qsizetype j = i + 1; j < texts.size(); ++j)
            ASSERT_FALSE(Overlap(Box(texts[i]), Box(texts[j])))
                << texts[i]->text().toStdString() << " / " << texts[j]->text().toStdString();
    const QList<QRectF> bars = BarBoxes(chart);
    for (const QGraphicsSimpleTextItem* mark : chart.ShownMarks())
        for (const QRectF& bar : bars)
            ASSERT_FALSE(Overlap(Box(mark), bar)) << mark->text().toStdString();
}

// The width and height that a picture file's header gives: BMP and PNG by their byte offsets,
// SVG by its root element's attributes.
QSize HeaderSize(const QByteArray& bytes, const QString& suffix) {
    if (suffix == "bmp")
        return {qFromLittleEndian<qint32>(bytes.constData() + 18),
                std::abs(qFromLittleEndian<qint32>(bytes.constData() + 22))};
    if (suffix == "png")
        return {qFromBigEndian<qint32>(bytes.constData() + 16),
                qFromBigEndian<qint32>(bytes.constData() + 20)};
    const QString svg = QString::fromUtf8(bytes);
    const auto attribute = [&svg](const QString& name) {
        const qsizetype root = svg.indexOf(QStringLiteral("<svg"));
        const qsizetype start = svg.indexOf(name + QStringLiteral("=\""), root) + name.size() + 2;
        return svg.mid(start, svg.indexOf(QLatin1Char('"'), start) - start).toInt();
    };
    return {attribute(QStringLiteral(" width")), attribute(QStringLiteral(" height"))};
}

struct ReadabilityCase {
    Window Kind;
    ChartStyle Style;
    int Steps;
};

class ChartReadabilityTest : public ::testing::TestWithParam<ReadabilityCase> {};

TEST_P(ChartReadabilityTest, TextsNeverOverlapAndExportsHaveTheChartsSize) {
    const ReadabilityCase& c = GetParam();
    test::VariedRunOfFiveQs run;
    run.Run(c.Steps);
    ChartWindow shown(c.Kind, run, c.Steps);
    (c.Style == ChartStyle::Lines ? shown.style->LinesButton() : shown.style->BarsButton())
        ->click();
    ASSERT_EQ(shown.chart->Style(), c.Style);
    for (QSize size : {QSize(1000, 640), QSize(640, 420)}) {
        SCOPED_TRACE(size.width());
        shown.ShowAt(size);
        ExpectNoTextsOverlap(*shown.chart);
        // The chart follows the window.
        EXPECT_GT(shown.chart->width(), size.width() * 0.9);
        const QList<QGraphicsSimpleTextItem*> labels = shown.chart->ShownStepLabels();
        ASSERT_GE(labels.size(), 2);
        // The input rates of the steps, 2 to 3, the first step always labelled.
        EXPECT_EQ(labels.front()->text(), shown.chart->StepLabels().front());
        EXPECT_EQ(shown.chart->StepLabels().front().toDouble(), 2.0);
        EXPECT_EQ(shown.chart->StepLabels().back().toDouble(), 3.0);
        const int sets = c.Kind == Window::Network ? 4 : 1;
        // Lines of close values write no marks even at two steps.
        if (c.Steps == 2 && c.Style == ChartStyle::Bars) {
            EXPECT_EQ(shown.chart->ShownMarks().size(), 2 * sets);
        }
        if (c.Steps == 100) {
            // Too many to write: the value is under the pointer instead.
            EXPECT_TRUE(shown.chart->ShownMarks().isEmpty());
            // The pointer in the middle of the last of the plot's hundred columns is over the
            // last step: its input rate and every value of the step.
            if (c.Style == ChartStyle::Bars) {
                const QRectF plot = shown.chart->chart()->plotArea();
                const QString tip = shown.chart->ToolTipAt(
                    QPointF(plot.right() - plot.width() / 200, plot.bottom() - 2));
                EXPECT_TRUE(tip.contains("Интенсивность входящего потока: 3.000"))
                    << tip.toStdString();
                EXPECT_EQ(tip.count('\n'), c.Kind == Window::Network ? 4 : 1);
            }
        }
    }
    const struct {
        int Type;
        const char* Name;
    } files[] = {{1, "chart.bmp"}, {3, "chart.png"}, {2, "chart.svg"}};
    for (const auto& file : files) {
        shown.dialogs.QueueFile(file.Name, file.Type);
        shown.save->click();
        QFile written(file.Name);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << file.Name;
        EXPECT_EQ(HeaderSize(written.readAll(), QString(file.Name).section('.', -1)),
                  shown.chart->size())
            << file.Name;
    }
}

std::string CaseName(const ::testing::TestParamInfo<ReadabilityCase>& info) {
    return std::string(info.param.Kind == Window::Network ? "Network" : "Qs") +
           (info.param.Style == ChartStyle::Bars ? "Bars" : "Lines") +
           std::to_string(info.param.Steps);
}

INSTANTIATE_TEST_SUITE_P(Steps, ChartReadabilityTest,
                         ::testing::Values(ReadabilityCase{Window::Network, ChartStyle::Bars, 2},
                                           ReadabilityCase{Window::Network, ChartStyle::Bars, 6},
                                           ReadabilityCase{Window::Network, ChartStyle::Bars, 20},
                                           ReadabilityCase{Window::Network, ChartStyle::Bars, 50},
                                           ReadabilityCase{Window::Network, ChartStyle::Bars, 100},
                                           ReadabilityCase{Window::Network, ChartStyle::Lines, 2},
                                           ReadabilityCase{Window::Network, ChartStyle::Lines, 100},
                                           ReadabilityCase{Window::Qs, ChartStyle::Bars, 2},
                                           ReadabilityCase{Window::Qs, ChartStyle::Bars, 20},
                                           ReadabilityCase{Window::Qs, ChartStyle::Bars, 50},
                                           ReadabilityCase{Window::Qs, ChartStyle::Bars, 100},
                                           ReadabilityCase{Window::Qs, ChartStyle::Lines, 20}),
                         CaseName);

TEST(ChartWindowTest, OpensAtTheSizeItWasClosedWith) {
    test::VariedRunOfFiveQs run;
    run.Run(3);
    ChartWindow shown(Window::Network, run, 3);
    shown.ShowAt({960, 560});
    shown.window->hide();
    shown.window->adjustSize();  // as a caller that centres it does
    shown.window->show();
    EXPECT_EQ(shown.window->size(), QSize(960, 560));
}

// A mark stands over its own bar: right under its middle the picture has the bar's colour.
TEST(ChartMarksTest, EachMarkStandsOverItsBar) {
    test::VariedRunOfFiveQs run;
    run.Run(2);
    ChartWindow shown(Window::Network, run, 2);
    shown.ShowAt({1000, 640});
    const QImage picture = shown.chart->grab().toImage();
    const QList<QGraphicsSimpleTextItem*> marks = shown.chart->ShownMarks();
    ASSERT_EQ(marks.size(), 8);
    const QColor colours[] = {QColor(255, 0, 0), QColor(0, 128, 0), QColor(255, 255, 0),
                              QColor(0, 0, 255)};
    for (int s = 0; s < 4; ++s) {
        for (int step = 0; step < 2; ++step) {
            const QGraphicsSimpleTextItem* mark = marks[s * 2 + step];
            const QPointF below =
                shown.chart->mapFromScene(QPointF(Box(mark).center().x(), Box(mark).bottom() + 6));
            EXPECT_EQ(picture.pixelColor(below.toPoint()), colours[s]) << s << " " << step;
            const double value = shown.chart->Bars()->barSets()[s]->at(step);
            EXPECT_EQ(mark->text(), QString::number(value, 'g', 4));
        }
    }
}

struct AxisCase {
    const char* Name;
    std::function<void(NetworkModel&, VariationPlan&)> Vary;
    int Steps;
    QStringList Labels;
    QString Title;
};

class ChartAxisTest : public ::testing::TestWithParam<AxisCase> {};

// Both windows label the steps by the one varied parameter's values, with the fewest decimals
// that tell them apart, and name it; with two varied, by step numbers.
TEST_P(ChartAxisTest, StepsAreLabelledByTheVariedValue) {
    const AxisCase& c = GetParam();
    test::VariedRunOfFiveQs run;
    run.RunVarying(c.Steps, [&](VariationPlan& plan) { c.Vary(run.model, plan); });
    for (Window kind : {Window::Network, Window::Qs}) {
        ChartWindow shown(kind, run, c.Steps, 1);
        EXPECT_EQ(shown.chart->StepLabels(), c.Labels);
        EXPECT_EQ(shown.chart->StepAxis()->titleText(), c.Title);
        EXPECT_FALSE(shown.chart->ValueAxis()->titleText().isEmpty());
    }
}

void Bounded(NetworkModel& model, int k) {
    model.Qs(k).BoundedQueue = true;
    model.Qs(k).QueuePlaces = 2;
}

INSTANTIATE_TEST_SUITE_P(Parameters, ChartAxisTest,
                         ::testing::Values(AxisCase{"InputRate",
                                                    [](NetworkModel&, VariationPlan& p) {
                                                        p.VaryInputRate = true;
                                                        p.InputRateFrom = 0.3;
                                                        p.InputRateTo = 3.0;
                                                    },
                                                    10,
                                                    {"0.3", "0.6", "0.9", "1.2", "1.5", "1.8",
                                                     "2.1", "2.4", "2.7", "3.0"},
                                                    "Интенсивность входящего потока"},
                                           AxisCase{"ServiceTime",
                                                    [](NetworkModel&, VariationPlan& p) {
                                                        p.VaryServiceTime = true;
                                                        p.Qs(3).ServiceFrom = 0.1;
                                                        p.Qs(3).ServiceTo = 0.25;
                                                    },
                                                    4,
                                                    {"0.10", "0.15", "0.20", "0.25"},
                                                    "Время обслуживания в СМО 3"},
                                           AxisCase{"Channels",
                                                    [](NetworkModel&, VariationPlan& p) {
                                                        p.VaryChannels = true;
                                                        p.Qs(2).ChannelsFrom = 1;
                                                        p.Qs(2).ChannelsTo = 3;
                                                    },
                                                    5,
                                                    {"1", "2", "2", "3",
                                                     "3"},  // 1, 1.5, 2, 2.5, 3 rounded half up
                                                    "Число каналов в СМО 2"},
                                           AxisCase{"Places",
                                                    [](NetworkModel& model, VariationPlan& p) {
                                                        Bounded(model, 5);
                                                        p.VaryPlaces = true;
                                                        p.Qs(5).PlacesFrom = 2;
                                                        p.Qs(5).PlacesTo = 10;
                                                    },
                                                    5,
                                                    {"2", "4", "6", "8", "10"},
                                                    "Число мест в СМО 5"},
                                           AxisCase{"TwoParameters",
                                                    [](NetworkModel&, VariationPlan& p) {
                                                        p.VaryInputRate = p.VaryServiceTime = true;
                                                        p.InputRateFrom = 1;
                                                        p.InputRateTo = 2;
                                                        p.Qs(1).ServiceFrom = 0.1;
                                                        p.Qs(1).ServiceTo = 0.2;
                                                    },
                                                    4,
                                                    {"1", "2", "3", "4"},
                                                    "Шаг"}),
                         [](const auto& info) { return std::string(info.param.Name); });

// Input rates 2, 2.5, 3, 3.5, 4: QS 4 (service 0.3) is overloaded from 3.5 on, QS 2 (0.25) at 4.
TEST(ChartOverloadTest, StepsWithAnOverloadedQsAreHatchedAndExplained) {
    test::VariedRunOfFiveQs run;
    run.Run(5, 2, 4);
    ChartWindow network(Window::Network, run, 5);
    network.ShowAt({1000, 640});
    EXPECT_EQ(network.chart->OverloadedSteps(), QList<int>({4, 5}));
    const QAreaSeries* band = network.chart->OverloadBand();
    EXPECT_EQ(band->name(), "перегрузка: значения не установились");
    const auto markers = network.chart->chart()->legend()->markers(const_cast<QAreaSeries*>(band));
    ASSERT_EQ(markers.size(), 1);
    EXPECT_TRUE(markers[0]->isVisible());
    EXPECT_TRUE(network.chart->ToolTipText(1, 4).contains("перегрузка"));
    EXPECT_FALSE(network.chart->ToolTipText(1, 3).contains("перегрузка"));

    // In the picture, the hatching fills the overloaded steps' columns above their bars only.
    const QImage picture = network.chart->grab().toImage();
    const QRectF plot = network.chart->chart()->plotArea();
    const auto hatchedIn = [&](int step) {
        const double left = plot.left() + (step - 1) * plot.width() / 5;
        int count = 0;
        for (int y = static_cast<int>(plot.top()) + 2; y < plot.top() + plot.height() / 8; ++y)
            for (int x = static_cast<int>(left) + 2; x < left + plot.width() / 5 - 2; ++x)
                count += picture.pixelColor(x, y) == QColor(139, 0, 0);
        return count;
    };
    for (int step = 1; step <= 5; ++step) EXPECT_EQ(hatchedIn(step) > 0, step >= 4) << step;

    const std::pair<int, QList<int>> perQs[] = {{4, {4, 5}}, {2, {5}}, {1, {}}};
    for (const auto& [qs, steps] : perQs) {
        ChartWindow single(Window::Qs, run, 5, qs);
        EXPECT_EQ(single.chart->OverloadedSteps(), steps) << qs;
        EXPECT_EQ(single.chart->chart()->legend()->isVisible(), !steps.isEmpty()) << qs;
    }
}

}  // namespace
}  // namespace qnetica
