#pragma once

#include <QDialog>

#include "charts/ChartDialogs.h"
#include "runs/StepTotals.h"

class QBarSet;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QShowEvent;

namespace qnetica {

class ChartStyleChoice;
class StepBarChart;
class WorkFolder;

// The per-QS chart "Диаграмма по характеристикам отдельных СМО": one characteristic of one QS
// over the steps of the last varied run, read back from "qnrep.tmp" in the runs' work folder,
// as bars or a line over the varied parameter's values (else the step numbers), the steps in
// which that QS was overloaded hatched; savable as an image at the size shown.
class QsChartDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int CharacteristicCount = 8;
    static constexpr int QsListSize = 150;

    QsChartDialog(const ChartDialogs& dialogs, QWidget* parent = nullptr);

    // At every opening: the QS list is filled afresh with "1".."150" and "1" is selected.
    void ResetQsList();
    // "Построить": the chosen characteristic of the chosen QS at every step recorded in
    // "qnrep.tmp"; a file without steps gives an error box and an empty chart.
    void BuildQsChart();
    // Where the runs keep "qnrep.tmp"; without one it is read from the current folder.
    void SetWorkFolder(const WorkFolder* folder) { workFolder_ = folder; }
    // The totals of the runs that write those records: the varied parameter and the overloads.
    // Without them the steps are numbered and none is marked.
    void SetStepTotals(const StepTotals* totals) { totals_ = totals; }
    // "Сохранить": false when nothing was written.
    bool SaveChartImage();

    // The item texts of the characteristics list, by index.
    static QString CharacteristicText(int index);

    StepBarChart* Chart() const { return chart_; }
    QBarSet* ValueBars() const { return valueBars_; }
    QComboBox* CharacteristicList() const { return characteristicList_; }
    QComboBox* QsList() const { return qsList_; }
    QGroupBox* OptionsGroup() const { return options_; }
    ChartStyleChoice* StyleChoice() const { return styleChoice_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    QPushButton* BuildButton() const { return buildButton_; }
    QPushButton* SaveButton() const { return saveButton_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void CreateChart();
    void CreateOptions();
    void ShowSteps(int count, int q);

    ChartDialogs dialogs_;
    const WorkFolder* workFolder_ = nullptr;
    const StepTotals* totals_ = nullptr;
    StepBarChart* chart_ = nullptr;
    QBarSet* valueBars_ = nullptr;
    QGroupBox* options_ = nullptr;
    QLabel* characteristicLabel_ = nullptr;
    QComboBox* characteristicList_ = nullptr;
    QLabel* qsLabel_ = nullptr;
    QComboBox* qsList_ = nullptr;
    ChartStyleChoice* styleChoice_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* buildButton_ = nullptr;
};

}  // namespace qnetica
