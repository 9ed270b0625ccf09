#pragma once

#include <QDialog>

#include "charts/ChartDialogs.h"

class QBarSet;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QShowEvent;

namespace qnetica {

class StepBarChart;
class WorkFolder;

// The per-QS chart "Диаграмма по характеристикам отдельных СМО": one characteristic of one QS
// over the steps of the last varied run, read back from "qnrep.tmp" in the runs' work folder,
// savable as an image.
class TForm10 : public QDialog {
    Q_OBJECT

  public:
    static constexpr int CharacteristicCount = 8;
    static constexpr int QsListSize = 150;

    TForm10(const ChartDialogs& dialogs, QWidget* parent = nullptr);

    // At every opening: the QS list is filled afresh with "1".."150" and "1" is selected.
    void FormShow();
    // "Построить": the chosen characteristic of the chosen QS at every step recorded in
    // "qnrep.tmp"; a file without steps gives an error box and an empty chart.
    void BuildQsChart();
    // Where the runs keep "qnrep.tmp"; without one it is read from the current folder.
    void SetWorkFolder(const WorkFolder* folder) { workFolder_ = folder; }
    // "Сохранить": false when nothing was written.
    bool SaveChartImage();

    // The item texts of the characteristics list, by index.
    static QString CharacteristicText(int index);

    StepBarChart* Chart1() const { return chart_; }
    QBarSet* Series1() const { return series1_; }
    QComboBox* ComboBox1() const { return comboBox1_; }
    QComboBox* ComboBox2() const { return comboBox2_; }
    QGroupBox* OptionsGroup() const { return options_; }
    QPushButton* Button1() const { return button1_; }
    QPushButton* BitBtn1() const { return bitBtn1_; }
    QPushButton* BitBtn2() const { return bitBtn2_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void CreateChart();
    void CreateOptions();

    ChartDialogs dialogs_;
    const WorkFolder* workFolder_ = nullptr;
    StepBarChart* chart_ = nullptr;
    QBarSet* series1_ = nullptr;
    QGroupBox* options_ = nullptr;
    QLabel* label1_ = nullptr;
    QComboBox* comboBox1_ = nullptr;
    QLabel* label2_ = nullptr;
    QComboBox* comboBox2_ = nullptr;
    QPushButton* button1_ = nullptr;
    QPushButton* bitBtn2_ = nullptr;
    QPushButton* bitBtn1_ = nullptr;
};

}  // namespace qnetica
