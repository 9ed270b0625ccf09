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

class ChartStyleChoice;
class StepBarChart;

// The network chart "Диаграмма": the four network totals of every step of the last varied run
// as groups of four bars or as four lines, over the values of the one varied parameter (else
// the step numbers), the steps with an overloaded QS hatched; each characteristic hidden and
// shown by its own check box, and the chart savable as an image at the size shown.
class NetworkChartDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int SeriesCount = 4;

    NetworkChartDialog(const ChartDialogs& dialogs, QWidget* parent = nullptr);

    // Replaces all bars by steps 1..stepCount of the totals (at most the 100 they hold); hidden
    // series stay hidden.
    void FillNetworkChart(const StepTotals& totals, int stepCount);
    // "Сохранить": false when nothing was written.
    bool SaveChartImage();

    // Series k = 1..4 and the check box that shows it.
    void SetSeriesShown(int k, bool shown);
    bool SeriesShown(int k) const { return shown_[k - 1]; }

    StepBarChart* Chart() const { return chart_; }
    QBarSet* Series(int k) const { return series_[k - 1]; }
    QCheckBox* SeriesBox(int k) const { return seriesBoxes_[k - 1]; }
    QGroupBox* OptionsGroup() const { return options_; }
    ChartStyleChoice* StyleChoice() const { return styleChoice_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    QPushButton* SaveButton() const { return saveButton_; }

  private:
    void CreateChart();
    void CreateOptions();
    void ShowSeriesColours(int k);

    ChartDialogs dialogs_;
    StepBarChart* chart_ = nullptr;
    std::array<QBarSet*, SeriesCount> series_{};
    std::array<QCheckBox*, SeriesCount> seriesBoxes_{};
    std::array<bool, SeriesCount> shown_{true, true, true, true};
    QGroupBox* options_ = nullptr;
    ChartStyleChoice* styleChoice_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
};

}  // namespace qnetica
