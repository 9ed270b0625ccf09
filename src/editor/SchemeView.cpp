#include "editor/SchemeView.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace qnetica {

SchemeView::SchemeView(const QImage& image, QWidget* parent) : QWidget(parent), image_(image) {
    setFixedSize(image_.size());
    setMouseTracking(true);  // a moved symbol follows the pointer without a pressed button
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SchemeView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

void SchemeView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) clickPressed_ = true;
}

void SchemeView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !clickPressed_) return;
    clickPressed_ = false;
    if (rect().contains(event->position().toPoint())) emit Clicked(event->position().toPoint());
}

void SchemeView::mouseMoveEvent(QMouseEvent* event) {
    emit PointerMoved(event->position().toPoint());
}

void SchemeView::mouseDoubleClickEvent(QMouseEvent* event) {
    clickPressed_ = false;
    if (event->button() == Qt::LeftButton) emit DoubleClicked(event->position().toPoint());
}

}  // namespace qnetica
