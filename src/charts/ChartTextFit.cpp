#include "charts/ChartTextFit.h"

#include <algorithm>
#include <cmath>

namespace qnetica {

int LabelStride(double spacing, double widest, double gap) {
    if (spacing <= 0) return 1;
    const double needed = std::ceil((widest + gap) / spacing);
    return std::max(1, static_cast<int>(std::min(needed, 1e6)));
}

// Sorted by their left edges, a box can only overlap those that start before its right edge.
bool NoneOverlap(QList<QRectF> boxes) {
    std::sort(boxes.begin(), boxes.end(),
              [](const QRectF& a, const QRectF& b) { return a.left() < b.left(); });
    for (qsizetype i = 0; i < boxes.size(); ++i)
        for (qsizetype j = i + 1; j < boxes.size() && boxes[j].left() < boxes[i].right(); ++j)
            if (boxes[i].intersects(boxes[j])) return false;
    return true;
}

// A few hundred marks and bars at most: each mark against the obstacles sorted by their left
// edges, up to the first that starts beyond it.
bool NoneCoversOthers(const QList<QRectF>& boxes, QList<QRectF> obstacles) {
    QList<qsizetype> order(obstacles.size());
    for (qsizetype i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&obstacles](qsizetype a, qsizetype b) {
        return obstacles[a].left() < obstacles[b].left();
    });
    for (qsizetype b = 0; b < boxes.size(); ++b) {
        for (qsizetype o : order) {
            if (obstacles[o].left() >= boxes[b].right()) break;
            if (o != b && boxes[b].intersects(obstacles[o])) return false;
        }
    }
    return true;
}

bool AllInside(const QList<QRectF>& boxes, const QRectF& area) {
    return std::all_of(boxes.begin(), boxes.end(),
                       [&area](const QRectF& box) { return area.contains(box); });
}

}  // namespace qnetica
