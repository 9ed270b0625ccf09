#include "charts/StepBarChart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFont>
#include <QLegend>
#include <QValueAxis>
#include <algorithm>

namespace qnetica {
namespace {

constexpr double BarWidth = 0.7;      // of a step's group, leaving a gap between groups
constexpr int MarkPrecision = 4;      // significant digits of a bar's mark
constexpr double MarkHeadroom = 1.2;  // room above the highest bar for its upright mark
const QColor MarkColour(Qt::black);

// Sizes in pixels, so that the vector picture sets its texts as the screen does.
QFont ChartFont(int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace

StepBarChart::StepBarChart(QWidget* parent) : QChartView(parent) {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);  // a saved image shows the final bars
    chart->setBackgroundBrush(Qt::white);
    QFont titleFont = ChartFont(15);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setTitleBrush(Qt::black);
    chart->setBackgroundRoundness(0);
    chart->setPlotAreaBackgroundVisible(false);

    bars_ = new QBarSeries;
    bars_->setBarWidth(BarWidth);
    bars_->setLabelsVisible(true);
    bars_->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    bars_->setLabelsFormat(QStringLiteral("@value"));
    bars_->setLabelsPrecision(MarkPrecision);
    // Upright marks stay clear of the neighbouring bars even when the groups are narrow.
    bars_->setLabelsAngle(-90);
    chart->addSeries(bars_);

    stepAxis_ = new QBarCategoryAxis;
    valueAxis_ = new QValueAxis;
    valueAxis_->setLabelFormat(QStringLiteral("%.4g"));
    stepAxis_->setLabelsFont(ChartFont(12));
    valueAxis_->setLabelsFont(ChartFont(12));
    chart->legend()->setFont(ChartFont(12));
    chart->addAxis(stepAxis_, Qt::AlignBottom);
    chart->addAxis(valueAxis_, Qt::AlignLeft);
    bars_->attachAxis(stepAxis_);
    bars_->attachAxis(valueAxis_);

    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setBackgroundBrush(Qt::white);
    FitValueAxis();
}

QBarSet* StepBarChart::AddBarSet(const QString& title, const QColor& colour) {
    auto* set = new QBarSet(title);
    set->setColor(colour);
    set->setBorderColor(colour);
    set->setLabelColor(MarkColour);
    set->setLabelFont(ChartFont(11));
    bars_->append(set);
    return set;
}

void StepBarChart::ClearBars() {
    for (QBarSet* set : bars_->barSets()) set->remove(0, set->count());
    stepAxis_->clear();
    FitValueAxis();
}

void StepBarChart::FinishFilling(int count) {
    QStringList labels;
    for (int k = 1; k <= count; ++k) labels << QString::number(k);
    stepAxis_->clear();
    stepAxis_->append(labels);
    FitValueAxis();
}

QStringList StepBarChart::StepLabels() const {
    return stepAxis_->categories();
}

void StepBarChart::FitValueAxis() {
    double low = 0;
    double high = 0;
    for (const QBarSet* set : bars_->barSets()) {
        for (int i = 0; i < set->count(); ++i) {
            low = std::min(low, set->at(i));
            high = std::max(high, set->at(i));
        }
    }
    if (low == 0 && high == 0) {
        valueAxis_->setRange(0, 1);  // an empty or all-zero chart still has a scale
        return;
    }
    valueAxis_->setRange(low * MarkHeadroom, high * MarkHeadroom);
    valueAxis_->applyNiceNumbers();
}

}  // namespace qnetica
