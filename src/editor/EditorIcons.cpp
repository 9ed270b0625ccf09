#include "editor/EditorIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <iterator>

namespace qnetica::EditorIcons {
namespace {

constexpr int Side = 24;

template <typename Draw>
QIcon Drawn(Draw draw) {
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

void Symbol(QPainter& painter, QPointF centre, double radius) {
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, radius, radius);
}

void Arrow(QPainter& painter, QPointF from, QPointF to) {
    painter.setPen(QPen(Qt::black, 1.2));
    painter.drawLine(from, to);
    painter.setPen(QPen(Qt::red, 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(to, from + (to - from) * 0.6);
}

void Cross(QPainter& painter, QPointF centre, double half) {
    painter.setPen(QPen(Qt::red, 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
    painter.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
}

void Bars(QPainter& painter, std::initializer_list<std::pair<double, QColor>> bars) {
    double x = 3;
    painter.setPen(QPen(Qt::black, 1));
    for (const auto& [height, colour] : bars) {
        painter.setBrush(colour);
        painter.drawRect(QRectF(x, Side - 3 - height, 4, height));
        x += 5;
    }
    painter.drawLine(QPointF(2, Side - 3), QPointF(Side - 2, Side - 3));
}

}  // namespace

QIcon AddQs() {
    return Drawn([](QPainter& p) {
        Symbol(p, {10, 12}, 8);
        p.setPen(QPen(Qt::red, 2.5));
        p.drawLine(QPointF(19, 15), QPointF(19, 23));
        p.drawLine(QPointF(15, 19), QPointF(23, 19));
    });
}

QIcon MoveQs() {
    return Drawn([](QPainter& p) {
        p.setPen(QPen(Qt::gray, 1.5, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8, 8), 6, 6);
        p.setPen(QPen(Qt::red, 1.5));
        p.drawLine(QPointF(10, 10), QPointF(15, 15));
        Symbol(p, {16, 16}, 6.5);
    });
}

QIcon Link() {
    return Drawn([](QPainter& p) {
        Arrow(p, {6, 18}, {18, 6});
        Symbol(p, {6, 18}, 4.5);
        Symbol(p, {18, 6}, 4.5);
    });
}

QIcon Unlink() {
    return Drawn([](QPainter& p) {
        Arrow(p, {6, 18}, {18, 6});
        Symbol(p, {6, 18}, 4.5);
        Symbol(p, {18, 6}, 4.5);
        Cross(p, {12, 12}, 4);
    });
}

QIcon DeleteQs() {
    return Drawn([](QPainter& p) {
        Symbol(p, {10, 12}, 8);
        Cross(p, {18, 18}, 4);
    });
}

QIcon SaveImage() {
    return Drawn([](QPainter& p) {
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 4.5, 19, 15));
        Arrow(p, {7, 15}, {16, 9});
        Symbol(p, {7, 15}, 3);
        Symbol(p, {16, 9}, 3);
    });
}

QIcon MatrixEditor() {
    return Drawn([](QPainter& p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 3.5, 19, 17));
        p.fillRect(QRectF(3, 4, 18.5, 4), QColor(200, 200, 200));
        for (double x : {8.5, 14.5}) p.drawLine(QPointF(x, 3.5), QPointF(x, 20.5));
        for (double y : {8.5, 14.5}) p.drawLine(QPointF(2.5, y), QPointF(21.5, y));
    });
}

QIcon GenerateModel() {
    return Drawn([](QPainter& p) {
        const QPointF nodes[] = {{5, 12}, {13, 5}, {13, 19}, {20, 12}};
        p.setPen(QPen(Qt::black, 1));
        for (const QPointF& a : nodes)
            for (const QPointF& b : nodes) p.drawLine(a, b);
        for (const QPointF& node : nodes) Symbol(p, node, 3.2);
    });
}

QIcon NetworkChart() {
    return Drawn([](QPainter& p) {
        Bars(p, {{8, Qt::red}, {13, Qt::blue}, {17, Qt::green}, {11, Qt::yellow}});
    });
}

QIcon QsChart() {
    return Drawn([](QPainter& p) {
        Bars(p, {{6, Qt::blue}, {10, Qt::blue}, {14, Qt::blue}});
        Symbol(p, {18.5, 7}, 4.5);
    });
}

QCursor ToolCursor(const QIcon& tool) {
    constexpr int CursorSide = 32;
    constexpr int BadgeSide = 18;
    QPixmap pixmap(CursorSide, CursorSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // The usual slanted pointer, its tip at the hot spot.
    const QPointF pointer[] = {{0.5, 0.5},  {0.5, 15.5}, {4.5, 11.5}, {7.5, 17.5},
                               {9.5, 16.5}, {6.5, 10.5}, {11.5, 10.5}};
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::black);
    painter.drawPolygon(pointer, static_cast<int>(std::size(pointer)));
    painter.drawPixmap(CursorSide - BadgeSide, CursorSide - BadgeSide,
                       tool.pixmap(BadgeSide, BadgeSide));
    painter.end();
    return QCursor(pixmap, 0, 0);
}

}  // namespace qnetica::EditorIcons
