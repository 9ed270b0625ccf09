#pragma once

#include <QDialog>
#include <array>

#include "charts/ChartDialogs.h"
#include "runs/StepTotals.h"

class QBarSet;
class QCheckBox;
class QGroupBox;
class QPushButton;

namespace qnetica {

class StepBarChart;

// The network chart "Диаграмма": the four network totals of every step of the last varied run
// as groups of four bars, each characteristic hidden and shown by its own check box, and the
// chart savable as an image.
class TForm9 : public QDialog {
    Q_OBJECT

  public:
    static constexpr int SeriesCount = 4;

    TForm9(const ChartDialogs& dialogs, QWidget* parent = nullptr);

    // Replaces all bars by steps 1..stepCount of the totals (at most the 100 they hold); hidden
    // series stay hidden.
    void FillNetworkChart(const StepTotals& totals, int stepCount);
    // "Сохранить": false when nothing was written.
    bool SaveChartImage();

    // Series k = 1..4 and the check box that shows it.
    void SetSeriesShown(int k, bool shown);
    bool SeriesShown(int k) const { return shown_[k - 1]; }

    StepBarChart* Chart1() const { return chart_; }
    QBarSet* Series(int k) const { return series_[k - 1]; }
    QCheckBox* CheckBox(int k) const { return checkBoxes_[k - 1]; }
    QGroupBox* OptionsGroup() const { return options_; }
    QPushButton* Button1() const { return button1_; }
    QPushButton* BitBtn1() const { return bitBtn1_; }

  private:
    void CreateChart();
    void CreateOptions();
    void ShowSeriesColours(int k);

    ChartDialogs dialogs_;
    StepBarChart* chart_ = nullptr;
    std::array<QBarSet*, SeriesCount> series_{};
    std::array<QCheckBox*, SeriesCount> checkBoxes_{};
    std::array<bool, SeriesCount> shown_{true, true, true, true};
    QGroupBox* options_ = nullptr;
    QPushButton* button1_ = nullptr;
    QPushButton* bitBtn1_ = nullptr;
};

}  // namespace qnetica
