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

bool AllInside(const QList<QRectF>& boxes, const QRectF& area) {
    return std::all_of(boxes.begin(), boxes.end(),
                       [&area](const QRectF& box) { return area.contains(box); });
}

}  // namespace qnetica
