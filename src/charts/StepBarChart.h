#pragma once

#include <QChartView>
#include <QColor>
#include <QList>
#include <QString>
#include <vector>

class QAreaSeries;
class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QValueAxis;

namespace qnetica {

enum class ChartStyle { Bars, Lines };

// A chart over the steps of a varied run: white, a bold black 15-pixel Arial title, one category
// per step. Each characteristic is a set of bars standing side by side in each step's group, or
// a line over the steps. It stays readable from 2 to 100 steps: the step labels are thinned to
// every k-th where they would touch, value marks stand over the bars or points only while no two
// of them overlap (otherwise each value shows as a tooltip under the pointer), and steps in which
// a QS was overloaded are hatched from top to bottom, explained in the legend.
class StepBarChart : public QChartView {
    Q_OBJECT

  public:
    static const QString OverloadTitle;  // the legend's explanation of the hatched steps

    explicit StepBarChart(QWidget* parent = nullptr);

    // A characteristic: its bars in colour, its line in lineColour (colour when invalid).
    QBarSet* AddBarSet(const QString& title, const QColor& colour, const QColor& lineColour = {});
    // Removes every value and step label; the sets stay.
    void ClearBars();
    // Labels the groups "1".."count", titled "Шаг", none overloaded.
    void FinishFilling(int count);
    // After the sets got their values: one label per step, the axis title, the overloaded steps
    // (from 1). The value axis fits all values, hidden sets included, so that hiding a set
    // moves nothing else.
    void FinishFilling(const QStringList& labels, const QString& stepTitle,
                       const QList<int>& overloadedSteps);

    void SetValueTitle(const QString& title);
    void SetStyle(ChartStyle style);
    ChartStyle Style() const { return style_; }
    // A hidden set keeps its place and values but is not drawn, has no marks and no legend entry.
    void SetSetShown(int index, bool shown);
    bool SetShown(int index) const { return sets_[index].Shown; }
    // The legend lists the sets (true) or only the overload explanation.
    void SetSetsInLegend(bool listed);

    QBarSeries* Bars() const { return bars_; }
    QLineSeries* Line(int index) const { return sets_[index].Line; }
    QAreaSeries* OverloadBand() const { return band_; }
    QBarCategoryAxis* StepAxis() const { return stepAxis_; }
    QValueAxis* ValueAxis() const { return valueAxis_; }
    QStringList StepLabels() const { return labels_; }
    QList<int> OverloadedSteps() const { return overloaded_; }

    // The texts over the chart as they are now: the step labels shown, the value marks shown.
    QList<QGraphicsSimpleTextItem*> ShownStepLabels() const;
    QList<QGraphicsSimpleTextItem*> ShownMarks() const;
    bool MarksShown() const { return marksShown_; }
    // What the pointer over set index's bar or point of step (from 1) shows: the step's label,
    // the value and, for an overloaded step, the overload.
    QString ToolTipText(int index, int step) const;
    // The tooltip for a point of the chart (its coordinates): over a shown bar's column (the
    // step's column for bars too thin to aim at, with every shown value), or near a shown line's
    // point; empty elsewhere.
    QString ToolTipAt(QPointF point) const;
    // Places the labels and marks for the plot area as it is; the chart does so itself whenever
    // the plot area or the values change.
    void LayoutTexts();

  protected:
    bool viewportEvent(QEvent* event) override;

  private:
    struct Set {
        QBarSet* Bars = nullptr;
        QLineSeries* Line = nullptr;
        QColor Colour;
        bool Shown = true;
    };

    QString StepToolTip(int step, const std::vector<int>& sets) const;
    void FitValueAxis();
    void FillLines();
    void FillBand();
    void ShowStyle();
    void ShowLegend();
    void LayoutStepLabels();
    void LayoutMarks();
    QPointF MarkAnchor(int set, int step) const;
    QRectF BarBox(int set, int step) const;
    bool PlaceMarks(bool upright);
    void ClearTexts(QList<QGraphicsSimpleTextItem*>& items);
    QGraphicsSimpleTextItem* NewText(const QString& text, const QFont& font);

    QBarSeries* bars_ = nullptr;
    QAreaSeries* band_ = nullptr;
    QBarCategoryAxis* stepAxis_ = nullptr;
    QValueAxis* valueAxis_ = nullptr;
    std::vector<Set> sets_;
    QStringList labels_;
    QString stepTitle_;
    QList<int> overloaded_;
    ChartStyle style_ = ChartStyle::Bars;
    bool setsInLegend_ = true;
    bool marksShown_ = false;
    QList<QGraphicsSimpleTextItem*> labelItems_;
    QList<QGraphicsSimpleTextItem*> markItems_;  // [set * steps + step - 1]
};

}  // namespace qnetica
