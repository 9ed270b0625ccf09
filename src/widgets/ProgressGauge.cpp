#include "widgets/ProgressGauge.h"

#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace qnetica {
namespace {

const QColor BarColour(128, 0, 0);  // maroon

}  // namespace

ProgressGauge::ProgressGauge(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ProgressGauge::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    value_ = std::clamp(value_, minimum_, maximum_);
    repaint();
}

void ProgressGauge::SetProgress(int value) {
    value_ = std::clamp(value, minimum_, maximum_);
    repaint();  // at once: during a calculation no event is processed that would paint later
}

int ProgressGauge::PercentDone() const {
    if (maximum_ == minimum_) return 0;
    return static_cast<int>(100LL * (value_ - minimum_) / (maximum_ - minimum_));
}

void ProgressGauge::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect area = rect();
    const int barWidth =
        static_cast<int>(static_cast<long long>(area.width()) * PercentDone() / 100);
    const QRect bar(area.left(), area.top(), barWidth, area.height());
    const QString text = QString::number(PercentDone()) + "%";

    painter.fillRect(area, QToolTip::palette().color(QPalette::ToolTipBase));
    painter.setPen(QToolTip::palette().color(QPalette::ToolTipText));
    painter.drawText(area, Qt::AlignCenter, text);
    // Over the bar the same text in white, so that it stays readable where the bar covers it.
    painter.fillRect(bar, BarColour);
    painter.setClipRect(bar);
    painter.setPen(Qt::white);
    painter.drawText(area, Qt::AlignCenter, text);
}

}  // namespace qnetica
