#pragma once

#include <QWidget>

class QRadioButton;

namespace qnetica {

class StepBarChart;

// "Столбцы" or "Линии": how a chart window draws its characteristics over the steps. Bars at
// first, as the charts have always been drawn; the choice stays for the window's life.
class ChartStyleChoice : public QWidget {
    Q_OBJECT

  public:
    ChartStyleChoice(StepBarChart& chart, QWidget* parent = nullptr);

    QRadioButton* BarsButton() const { return bars_; }
    QRadioButton* LinesButton() const { return lines_; }

  private:
    QRadioButton* bars_ = nullptr;
    QRadioButton* lines_ = nullptr;
};

}  // namespace qnetica
