#include "charts/NetworkChartDialog.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLegend>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "charts/ChartStyleChoice.h"
#include "charts/ChartWindowSize.h"
#include "charts/SaveChartImage.h"
#include "charts/StepBarChart.h"

namespace qnetica {
namespace {

struct SeriesLook {
    const char* Title;
    QColor Colour;
    QColor BoxText;  // readable on the colour
    const std::array<double, MaxStepCount> StepTotals::*Values;
    QColor LineColour;  // a line of the bars' yellow would vanish on white
};

const std::array<SeriesLook, NetworkChartDialog::SeriesCount>& Looks() {
    static const std::array<SeriesLook, NetworkChartDialog::SeriesCount> looks = {{
        {"Среднее число заявок, ожидающих обслуживания", QColor(255, 0, 0), Qt::white,
         &StepTotals::QueuedTotal, QColor(255, 0, 0)},
        {"Среднее число заявок, пребывающих в сети", QColor(0, 128, 0), Qt::white,
         &StepTotals::InNetworkTotal, QColor(0, 128, 0)},
        {"Среднее время ожидания заявки в сети", QColor(255, 255, 0), Qt::black,
         &StepTotals::NetworkWaitTime, QColor(218, 165, 32)},
        {"Среднее время пребывания заявок в сети", QColor(0, 0, 255), Qt::white,
         &StepTotals::NetworkSojournTime, QColor(0, 0, 255)},
    }};
    return looks;
}

}  // namespace

NetworkChartDialog::NetworkChartDialog(const ChartDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Диаграмма"));
    CreateChart();
    CreateOptions();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart_, 1);
    layout->addWidget(options_);
    MakeResizable(*this, QSize(1200, 720));
}

void NetworkChartDialog::CreateChart() {
    chart_ = new StepBarChart(this);
    QChart* chart = chart_->chart();
    chart->setTitle(QStringLiteral("Характеристики сети"));
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setVisible(true);
    // Counts and times share the axis.
    chart_->SetValueTitle(QStringLiteral("Число заявок; время"));
    for (int k = 1; k <= SeriesCount; ++k) {
        const SeriesLook& look = Looks()[k - 1];
        series_[k - 1] =
            chart_->AddBarSet(QString::fromUtf8(look.Title), look.Colour, look.LineColour);
    }
}

void NetworkChartDialog::CreateOptions() {
    options_ = new QGroupBox(QStringLiteral("Параметры диаграммы"), this);
    auto* grid = new QGridLayout(options_);
    for (int k = 1; k <= SeriesCount; ++k) {
        const SeriesLook& look = Looks()[k - 1];
        auto* box = new QCheckBox(QString::fromUtf8(look.Title), options_);
        box->setChecked(true);
        box->setBackgroundRole(QPalette::Window);
        box->setAutoFillBackground(true);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Window, look.Colour);
        palette.setColor(QPalette::WindowText, look.BoxText);
        box->setPalette(palette);
        connect(box, &QCheckBox::toggled, this, [this, k](bool on) { SetSeriesShown(k, on); });
        seriesBoxes_[k - 1] = box;
        grid->addWidget(box, (k - 1) % 2, (k - 1) / 2);
    }
    styleChoice_ = new ChartStyleChoice(*chart_, options_);
    cancelButton_ = new QPushButton(QStringLiteral("<< Отменить"), options_);
    saveButton_ = new QPushButton(QStringLiteral("Сохранить"), options_);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(saveButton_, &QPushButton::clicked, this, [this] { SaveChartImage(); });
    grid->setColumnStretch(2, 1);
    grid->addWidget(styleChoice_, 0, 3, 2, 1);
    grid->addWidget(cancelButton_, 0, 4);
    grid->addWidget(saveButton_, 1, 4);
}

// The overload flags go with the totals: a step beyond the last run shows both of the run that
// reached it.
void NetworkChartDialog::FillNetworkChart(const StepTotals& totals, int stepCount) {
    chart_->ClearBars();
    const int steps = std::clamp(stepCount, 0, MaxStepCount);
    QList<int> overloaded;
    for (int k = 1; k <= steps; ++k) {
        for (int s = 0; s < SeriesCount; ++s)
            series_[s]->append((totals.*Looks()[s].Values)[k - 1]);
        if (totals.Overloaded[k - 1]) overloaded.append(k);
    }
    chart_->FinishFilling(AxisLabels(totals.Axis, steps),
                          QString::fromStdString(totals.Axis.Title(steps)), overloaded);
}

bool NetworkChartDialog::SaveChartImage() {
    return qnetica::SaveChartImage(*chart_, dialogs_);
}

void NetworkChartDialog::SetSeriesShown(int k, bool shown) {
    shown_[k - 1] = shown;
    if (seriesBoxes_[k - 1]->isChecked() != shown) seriesBoxes_[k - 1]->setChecked(shown);
    ShowSeriesColours(k);
}

// A bar set cannot leave its series without moving the others aside, so a hidden one keeps
// its place and values and is only not drawn: no fill, no outline, no marks and no legend entry.
void NetworkChartDialog::ShowSeriesColours(int k) {
    chart_->SetSetShown(k - 1, shown_[k - 1]);
}

}  // namespace qnetica
