#include "charts/StepBarChart.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsSimpleTextItem>
#include <QHelpEvent>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "charts/ChartTextFit.h"
#include "widgets/DecimalSeparator.h"

namespace qnetica {
namespace {

constexpr double BarWidth = 0.7;      // of a step's group, leaving a gap between groups
constexpr int MarkPrecision = 4;      // significant digits of a mark
constexpr int ToolTipPrecision = 10;  // significant digits under the pointer
constexpr double MarkHeadroom = 1.2;  // room above the highest value for its mark
constexpr double LabelGap = 8;        // pixels between two step labels at least
constexpr double LabelTop = 6;        // pixels from the plot's bottom edge to the labels
constexpr double MarkGap = 2;         // pixels between a bar's top and its mark
constexpr double MarkSpacing = 4;     // pixels between two marks at least, so numbers stay apart
constexpr qreal TextLayer = 20;       // over the series, the grid and the axes
constexpr int LineWidth = 2;
constexpr double ThinnestBar = 4;  // pixels: a bar the pointer can be aimed at
const QColor MarkColour(Qt::black);
const QColor OverloadColour(139, 0, 0);

// Sizes in pixels, so that the vector picture sets its texts as the screen does.
QFont ChartFont(int pixelSize, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont LabelFont() {
    return ChartFont(12);
}

QFont MarkFont() {
    return ChartFont(11);
}

}  // namespace

const QString StepBarChart::OverloadTitle = QStringLiteral("перегрузка: значения не установились");

StepBarChart::StepBarChart(QWidget* parent) : QChartView(parent) {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);  // a saved image shows the final bars
    chart->setBackgroundBrush(Qt::white);
    chart->setTitleFont(ChartFont(15, true));
    chart->setTitleBrush(Qt::black);
    chart->setBackgroundRoundness(0);
    chart->setPlotAreaBackgroundVisible(false);
    chart->setLocalizeNumbers(true);  // the value axis with the user's decimal separator
    chart->legend()->setFont(LabelFont());
    chart->legend()->setShowToolTips(true);  // the whole name of a series cut short to fit

    // First, so that bars and lines are drawn over the hatching.
    band_ = new QAreaSeries(new QLineSeries, new QLineSeries);
    band_->setName(OverloadTitle);
    band_->setBrush(QBrush(OverloadColour, Qt::BDiagPattern));
    band_->setPen(QPen(OverloadColour, 1));
    chart->addSeries(band_);

    bars_ = new QBarSeries;
    bars_->setBarWidth(BarWidth);
    bars_->setLabelsVisible(false);  // the chart places its own marks
    chart->addSeries(bars_);

    stepAxis_ = new QBarCategoryAxis;
    valueAxis_ = new QValueAxis;
    valueAxis_->setLabelFormat(QStringLiteral("%.4g"));
    // The axis keeps the room of its labels, but the chart draws them itself, thinned.
    stepAxis_->setLabelsFont(LabelFont());
    stepAxis_->setLabelsBrush(QBrush(Qt::transparent));
    valueAxis_->setLabelsFont(LabelFont());
    for (QAbstractAxis* axis :
         {static_cast<QAbstractAxis*>(stepAxis_), static_cast<QAbstractAxis*>(valueAxis_)}) {
        axis->setTitleFont(ChartFont(12, true));
        axis->setTitleBrush(Qt::black);
    }
    chart->addAxis(stepAxis_, Qt::AlignBottom);
    chart->addAxis(valueAxis_, Qt::AlignLeft);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(band_), static_cast<QAbstractSeries*>(bars_)}) {
        series->attachAxis(stepAxis_);
        series->attachAxis(valueAxis_);
    }

    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setBackgroundBrush(Qt::white);
    connect(chart, &QChart::plotAreaChanged, this, [this] { LayoutTexts(); });
    FinishFilling(0);
}

QBarSet* StepBarChart::AddBarSet(const QString& title, const QColor& colour,
                                 const QColor& lineColour) {
    Set set;
    set.Colour = colour;
    set.Bars = new QBarSet(title);
    set.Bars->setColor(colour);
    set.Bars->setPen(Qt::NoPen);  // an outline would spill onto the neighbours of thin bars
    set.Bars->setLabelColor(MarkColour);
    bars_->append(set.Bars);
    set.Line = new QLineSeries;
    set.Line->setName(title);
    set.Line->setPen(QPen(lineColour.isValid() ? lineColour : colour, LineWidth));
    set.Line->setPointsVisible(true);
    chart()->addSeries(set.Line);
    set.Line->attachAxis(stepAxis_);
    set.Line->attachAxis(valueAxis_);
    sets_.push_back(set);
    ShowStyle();
    ShowLegend();
    return set.Bars;
}

void StepBarChart::ClearBars() {
    for (const Set& set : sets_) set.Bars->remove(0, set.Bars->count());
    FinishFilling(0);
}

void StepBarChart::FinishFilling(int count) {
    QStringList labels;
    for (int k = 1; k <= count; ++k) labels << QString::number(k);
    FinishFilling(labels, QStringLiteral("Шаг"), {});
}

void StepBarChart::FinishFilling(const QStringList& labels, const QString& stepTitle,
                                 const QList<int>& overloadedSteps) {
    labels_ = labels;
    stepTitle_ = stepTitle;
    overloaded_.clear();
    for (int step : overloadedSteps)
        if (step >= 1 && step <= labels.size()) overloaded_.append(step);
    // Categories must differ, while labels may repeat (channels 1, 2, 2, 3): the axis holds the
    // step numbers, and the chart draws the labels.
    QStringList categories;
    for (int k = 1; k <= labels.size(); ++k) categories << QString::number(k);
    stepAxis_->clear();
    stepAxis_->append(categories);
    stepAxis_->setTitleText(stepTitle);
    FillLines();
    FitValueAxis();
    FillBand();
    ShowStyle();
    ShowLegend();
    LayoutTexts();
}

void StepBarChart::SetValueTitle(const QString& title) {
    valueAxis_->setTitleText(title);
}

void StepBarChart::SetStyle(ChartStyle style) {
    style_ = style;
    ShowStyle();
    ShowLegend();
    LayoutTexts();
}

void StepBarChart::SetSetShown(int index, bool shown) {
    Set& set = sets_[index];
    set.Shown = shown;
    set.Bars->setBrush(shown ? QBrush(set.Colour) : QBrush(Qt::NoBrush));
    set.Bars->setLabelColor(shown ? MarkColour : QColor(Qt::transparent));
    ShowStyle();
    ShowLegend();
    LayoutTexts();
}

void StepBarChart::SetSetsInLegend(bool listed) {
    setsInLegend_ = listed;
    ShowLegend();
}

void StepBarChart::FillLines() {
    for (const Set& set : sets_) {
        QList<QPointF> points;
        for (int i = 0; i < set.Bars->count(); ++i) points.append(QPointF(i, set.Bars->at(i)));
        set.Line->replace(points);
    }
}

void StepBarChart::FitValueAxis() {
    double low = 0;
    double high = 0;
    for (const Set& set : sets_) {
        for (int i = 0; i < set.Bars->count(); ++i) {
            low = std::min(low, set.Bars->at(i));
            high = std::max(high, set.Bars->at(i));
        }
    }
    if (low == 0 && high == 0) {
        valueAxis_->setRange(0, 1);  // an empty or all-zero chart still has a scale
        return;
    }
    valueAxis_->setRange(low * MarkHeadroom, high * MarkHeadroom);
    valueAxis_->applyNiceNumbers();
}

// Each overloaded step is hatched over its whole category, from the axis's bottom to its top.
void StepBarChart::FillBand() {
    QList<QPointF> upper;
    QList<QPointF> lower;
    const double low = valueAxis_->min();
    const double high = valueAxis_->max();
    for (int step : overloaded_) {
        const double left = step - 1.5;
        const double right = step - 0.5;
        upper << QPointF(left, low) << QPointF(left, high) << QPointF(right, high)
              << QPointF(right, low);
    }
    if (!upper.isEmpty())
        lower << QPointF(upper.front().x(), low) << QPointF(upper.back().x(), low);
    band_->upperSeries()->replace(upper);
    band_->lowerSeries()->replace(lower);
    band_->setVisible(!overloaded_.isEmpty());
}

void StepBarChart::ShowStyle() {
    bars_->setVisible(style_ == ChartStyle::Bars);
    for (const Set& set : sets_) set.Line->setVisible(style_ == ChartStyle::Lines && set.Shown);
}

void StepBarChart::ShowLegend() {
    QLegend* legend = chart()->legend();
    const auto barMarkers = legend->markers(bars_);
    for (std::size_t s = 0; s < sets_.size(); ++s) {
        const bool listed = setsInLegend_ && sets_[s].Shown;
        if (static_cast<qsizetype>(s) < barMarkers.size())
            barMarkers[s]->setVisible(listed && style_ == ChartStyle::Bars);
        for (QLegendMarker* marker : legend->markers(sets_[s].Line))
            marker->setVisible(listed && style_ == ChartStyle::Lines);
    }
    for (QLegendMarker* marker : legend->markers(band_)) marker->setVisible(!overloaded_.isEmpty());
    if (!setsInLegend_) legend->setVisible(!overloaded_.isEmpty());
}

QString StepBarChart::ToolTipText(int index, int step) const {
    return StepToolTip(step, {index});
}

// The step, then each set's value (with its title when it has one), then the overload.
QString StepBarChart::StepToolTip(int step, const std::vector<int>& sets) const {
    if (step < 1 || step > labels_.size()) return {};
    QStringList lines;
    lines << stepTitle_ + QStringLiteral(": ") + labels_[step - 1];
    for (int s : sets) {
        if (s < 0 || s >= static_cast<int>(sets_.size()) || step > sets_[s].Bars->count())
            return {};
        const QString title = sets_[s].Bars->label();
        const QString value = ShownGeneral(sets_[s].Bars->at(step - 1), ToolTipPrecision);
        lines << (title.isEmpty() ? value : title + QStringLiteral(": ") + value);
    }
    if (overloaded_.contains(step)) lines << OverloadTitle;
    return lines.join(QLatin1Char('\n'));
}

// Found from the chart's own geometry rather than from the series' hover signals, which the
// hatching of overloaded steps would take.
QString StepBarChart::ToolTipAt(QPointF point) const {
    const QRectF plot = chart()->plotArea();
    const qsizetype count = labels_.size();
    if (count == 0 || sets_.empty() || !plot.contains(point)) return {};
    const double position = (point.x() - plot.left()) / plot.width() * count;
    const int step = std::clamp(static_cast<int>(position), 0, static_cast<int>(count) - 1);
    if (style_ == ChartStyle::Bars) {
        const double bar = BarWidth / static_cast<double>(sets_.size());
        // Bars too thin to aim at: the step's column tells all its values.
        if (bar * plot.width() / count < ThinnestBar) {
            std::vector<int> shown;
            for (std::size_t s = 0; s < sets_.size(); ++s)
                if (sets_[s].Shown) shown.push_back(static_cast<int>(s));
            return shown.empty() ? QString() : StepToolTip(step + 1, shown);
        }
        const double inGroup = position - step - (0.5 - BarWidth / 2);
        const int s = static_cast<int>(std::floor(inGroup / bar));
        if (inGroup < 0 || s >= static_cast<int>(sets_.size()) || !sets_[s].Shown) return {};
        return ToolTipText(s, step + 1);
    }
    constexpr double Reach = 12;  // pixels from a line's point
    int nearest = -1;
    double distance = Reach;
    for (std::size_t s = 0; s < sets_.size(); ++s) {
        if (!sets_[s].Shown || step >= sets_[s].Bars->count()) continue;
        const QPointF at = MarkAnchor(static_cast<int>(s), step);
        const double apart = std::hypot(at.x() - point.x(), at.y() - point.y());
        if (apart <= distance) {
            distance = apart;
            nearest = static_cast<int>(s);
        }
    }
    return nearest < 0 ? QString() : ToolTipText(nearest, step + 1);
}

// The platform's tooltip event: shown where the pointer rests, as any widget's tooltip.
bool StepBarChart::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QChartView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = ToolTipAt(chart()->mapFromScene(mapToScene(help->pos())));
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, viewport());
    }
    return true;
}

QList<QGraphicsSimpleTextItem*> StepBarChart::ShownStepLabels() const {
    return labelItems_;
}

QList<QGraphicsSimpleTextItem*> StepBarChart::ShownMarks() const {
    QList<QGraphicsSimpleTextItem*> shown;
    for (QGraphicsSimpleTextItem* item : markItems_)
        if (item->isVisible()) shown.append(item);
    return shown;
}

QGraphicsSimpleTextItem* StepBarChart::NewText(const QString& text, const QFont& font) {
    auto* item = new QGraphicsSimpleTextItem(text, chart());
    item->setFont(font);
    item->setBrush(MarkColour);
    item->setZValue(TextLayer);
    return item;
}

void StepBarChart::ClearTexts(QList<QGraphicsSimpleTextItem*>& items) {
    qDeleteAll(items);
    items.clear();
}

void StepBarChart::LayoutTexts() {
    LayoutStepLabels();
    LayoutMarks();
}

// Category k takes the k-th of equal parts of the plot's width.
void StepBarChart::LayoutStepLabels() {
    ClearTexts(labelItems_);
    const QRectF plot = chart()->plotArea();
    const qsizetype count = labels_.size();
    if (count == 0 || plot.width() <= 0) return;
    const QFontMetricsF metrics(LabelFont());
    double widest = 0;
    for (const QString& label : labels_)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    const double spacing = plot.width() / count;
    const int stride = LabelStride(spacing, widest, LabelGap);
    for (qsizetype i = 0; i < count; i += stride) {
        QGraphicsSimpleTextItem* item = NewText(labels_[i], LabelFont());
        const double centre = plot.left() + (i + 0.5) * spacing;
        item->setPos(centre - item->boundingRect().width() / 2, plot.bottom() + LabelTop);
        labelItems_.append(item);
    }
}

// Where set s's mark of step (from 0) stands on: the middle of its bar's top, or its point.
QPointF StepBarChart::MarkAnchor(int s, int step) const {
    const QRectF plot = chart()->plotArea();
    const double spacing = plot.width() / std::max<qsizetype>(labels_.size(), 1);
    double offset = 0.5;
    if (style_ == ChartStyle::Bars) {
        const double bar = BarWidth / static_cast<double>(sets_.size());
        offset = 0.5 - BarWidth / 2 + (s + 0.5) * bar;
    }
    const double range = valueAxis_->max() - valueAxis_->min();
    const double share = range > 0 ? (sets_[s].Bars->at(step) - valueAxis_->min()) / range : 0;
    return {plot.left() + (step + offset) * spacing, plot.bottom() - share * plot.height()};
}

// The bar of set s at step (from 0), from the value axis's zero (or its bottom) to its value.
QRectF StepBarChart::BarBox(int s, int step) const {
    const QRectF plot = chart()->plotArea();
    const double spacing = plot.width() / std::max<qsizetype>(labels_.size(), 1);
    const double width = BarWidth / static_cast<double>(sets_.size()) * spacing;
    const QPointF top = MarkAnchor(s, step);
    const double range = valueAxis_->max() - valueAxis_->min();
    const double zero = range > 0 ? std::clamp(-valueAxis_->min() / range, 0.0, 1.0) : 0;
    const double base = plot.bottom() - zero * plot.height();
    return QRectF(QPointF(top.x() - width / 2, std::min(top.y(), base)),
                  QPointF(top.x() + width / 2, std::max(top.y(), base)));
}

// The marks of every set, hidden ones included, so that hiding a set moves no other mark.
// A mark keeps clear of the other marks and of every bar but its own: a taller neighbour would
// cover it, and two numbers side by side read as one.
bool StepBarChart::PlaceMarks(bool upright) {
    ClearTexts(markItems_);
    QList<QRectF> boxes;
    QList<QRectF> spaced;
    QList<QRectF> bars;
    for (std::size_t s = 0; s < sets_.size(); ++s) {
        for (int i = 0; i < sets_[s].Bars->count() && i < labels_.size(); ++i) {
            const double value = sets_[s].Bars->at(i);
            QGraphicsSimpleTextItem* item = NewText(ShownGeneral(value, MarkPrecision), MarkFont());
            const QRectF text = item->boundingRect();
            const QPointF anchor = MarkAnchor(static_cast<int>(s), i);
            if (upright) {
                item->setRotation(-90);  // reads upwards; its box turns about its origin
                item->setPos(anchor.x() - text.height() / 2, anchor.y() - MarkGap);
            } else {
                item->setPos(anchor.x() - text.width() / 2, anchor.y() - MarkGap - text.height());
            }
            const QRectF box = item->mapRectToParent(text);
            boxes.append(box);
            const double half = MarkSpacing / 2;
            spaced.append(box.adjusted(-half, -half, half, half));
            if (style_ == ChartStyle::Bars) bars.append(BarBox(static_cast<int>(s), i));
            markItems_.append(item);
        }
    }
    return NoneOverlap(spaced) && NoneCoversOthers(boxes, bars) &&
           AllInside(boxes, chart()->plotArea());
}

// Level marks where they fit, else upright ones, else none (the tooltips remain).
void StepBarChart::LayoutMarks() {
    marksShown_ = chart()->plotArea().width() > 0 && (PlaceMarks(false) || PlaceMarks(true));
    if (!marksShown_) {
        ClearTexts(markItems_);
        return;
    }
    const int steps = static_cast<int>(markItems_.size() / std::max<std::size_t>(sets_.size(), 1));
    for (qsizetype m = 0; m < markItems_.size(); ++m)
        markItems_[m]->setVisible(sets_[m / std::max(steps, 1)].Shown);
}

}  // namespace qnetica
