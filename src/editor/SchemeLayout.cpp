#include "editor/SchemeLayout.h"

#include <algorithm>

#include "model/NumberText.h"

namespace qnetica {

namespace {

// A file may hold any position. Far beyond the surface every position draws the same (nothing,
// or a line leaving the surface), and the pixel arithmetic stays clear of integer overflow.
constexpr int PositionLimit = 1 << 20;

QPoint Bounded(int x, int y) {
    return {std::clamp(x, -PositionLimit, PositionLimit),
            std::clamp(y, -PositionLimit, PositionLimit)};
}

}  // namespace

QPoint SchemeLayout::BoxCorner(int node) const {
    if (node == 0) return Bounded(model_.SourcePosX(), model_.SourcePosY());
    const QsParams& qs = model_.Qs(node);
    return Bounded(qs.PosX, qs.PosY);
}

bool SchemeLayout::LinkExists(int from, int to) const {
    return ParseNumber(model_.Matrix().Cell(from, to)) != 0;
}

bool SchemeLayout::BoxHolds(int node, QPoint point) const {
    const QPoint corner = BoxCorner(node);
    return point.x() >= corner.x() && point.x() <= corner.x() + SymbolSize &&
           point.y() >= corner.y() && point.y() <= corner.y() + SymbolSize;
}

int SchemeLayout::FindNodeAt(QPoint point) const {
    int found = -1;
    for (int node = 1; node < NodeCount(); ++node)
        if (BoxHolds(node, point)) found = node;
    if (BoxHolds(0, point)) found = 0;
    return found;
}

}  // namespace qnetica
