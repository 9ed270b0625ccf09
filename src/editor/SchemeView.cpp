#include "editor/SchemeView.h"

#include <QHelpEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "editor/SchemeOverlay.h"

namespace qnetica {
namespace {

constexpr int RingWidth = 2;
constexpr int RingGap = 3;  // between the symbol's circle and the ring around it

}  // namespace

// A colour the scheme never uses, so that the marks stand out from black, white and red.
const QColor SchemeView::MarkColour(0, 120, 215);

SchemeView::SchemeView(const QImage& image, QWidget* parent) : QWidget(parent), image_(image) {
    setFixedSize(image_.size());
    setMouseTracking(true);  // a moved symbol follows the pointer without a pressed button
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect SchemeView::MarkArea(const std::optional<PickMark>& mark) {
    if (!mark) return {};
    const int reach = RingGap + RingWidth + 1;
    const QRect line = QRect(mark->Line.p1(), mark->Line.p2()).normalized().adjusted(-2, -2, 2, 2);
    return mark->Symbol.adjusted(-reach, -reach, reach, reach) | line;
}

void SchemeView::ShowPickMark(const std::optional<PickMark>& mark) {
    if (mark == mark_) return;
    update(MarkArea(mark_) | MarkArea(mark));
    mark_ = mark;
}

void SchemeView::SetOverlay(SchemeOverlay* overlay) {
    overlay_ = overlay;
    update();
}

bool SchemeView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = overlay_ ? overlay_->ToolTip(help->pos()) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
}

void SchemeView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
    if (overlay_) {
        painter.save();
        overlay_->Paint(painter, event->rect());
        painter.restore();
    }
    if (!mark_) return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(MarkColour, 1, mark_->Dashed ? Qt::DashLine : Qt::SolidLine));
    painter.drawLine(mark_->Line);
    painter.setPen(QPen(MarkColour, RingWidth));
    painter.setBrush(Qt::NoBrush);
    const QRectF symbol(mark_->Symbol);
    painter.drawEllipse(symbol.adjusted(-RingGap, -RingGap, RingGap - 1, RingGap - 1));
}

void SchemeView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    leftPressed_ = true;
    emit Pressed(event->position().toPoint());
}

void SchemeView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !leftPressed_) return;
    leftPressed_ = false;
    const QPoint point = event->position().toPoint();
    emit Released(point, rect().contains(point));
}

void SchemeView::mouseMoveEvent(QMouseEvent* event) {
    emit PointerMoved(event->position().toPoint(),
                      leftPressed_ && (event->buttons() & Qt::LeftButton));
}

// Qt gives the second press of a double click as a press and then as a double click; the
// release that follows still ends a click.
void SchemeView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (!leftPressed_) {
        leftPressed_ = true;  // a platform that sends the double click in place of the press
        emit Pressed(event->position().toPoint());
    }
    emit DoubleClicked(event->position().toPoint());
}

}  // namespace qnetica
