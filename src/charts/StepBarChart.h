#pragma once

#include <QChartView>
#include <QColor>
#include <QList>
#include <QString>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QValueAxis;

namespace qnetica {

// A bar chart over the steps of a varied run: white, a bold black 15-pixel Arial title, one
// group of bars per step labelled with the step's number, every bar carrying a mark with its
// value. The bar sets of the series stand
// side by side in each group.
class StepBarChart : public QChartView {
    Q_OBJECT

  public:
    explicit StepBarChart(QWidget* parent = nullptr);

    QBarSet* AddBarSet(const QString& title, const QColor& colour);
    // Removes every bar and step label; the bar sets stay.
    void ClearBars();
    // Labels the groups "1".."count" and fits the value axis to all bars, hidden ones included,
    // so that hiding a set moves nothing else.
    void FinishFilling(int count);

    QBarSeries* Bars() const { return bars_; }
    QBarCategoryAxis* StepAxis() const { return stepAxis_; }
    QValueAxis* ValueAxis() const { return valueAxis_; }
    QStringList StepLabels() const;

  private:
    void FitValueAxis();

    QBarSeries* bars_ = nullptr;
    QBarCategoryAxis* stepAxis_ = nullptr;
    QValueAxis* valueAxis_ = nullptr;
};

}  // namespace qnetica
