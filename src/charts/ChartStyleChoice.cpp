#include "charts/ChartStyleChoice.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "charts/StepBarChart.h"

namespace qnetica {

ChartStyleChoice::ChartStyleChoice(StepBarChart& chart, QWidget* parent) : QWidget(parent) {
    bars_ = new QRadioButton(QStringLiteral("Столбцы"), this);
    lines_ = new QRadioButton(QStringLiteral("Линии"), this);
    bars_->setChecked(chart.Style() == ChartStyle::Bars);
    lines_->setChecked(chart.Style() == ChartStyle::Lines);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bars_);
    layout->addWidget(lines_);
    connect(lines_, &QRadioButton::toggled, this,
            [&chart](bool lines) { chart.SetStyle(lines ? ChartStyle::Lines : ChartStyle::Bars); });
}

}  // namespace qnetica
