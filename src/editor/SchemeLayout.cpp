#include "editor/SchemeLayout.h"

#include "model/NumberText.h"

namespace qnetica {

QPoint SchemeLayout::BoxCorner(int node) const {
    if (node == 0) return {model_.SourcePosX(), model_.SourcePosY()};
    const QsParams& qs = model_.Qs(node);
    return {qs.PosX, qs.PosY};
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
