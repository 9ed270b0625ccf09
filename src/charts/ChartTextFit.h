#pragma once

#include <QList>
#include <QRectF>

namespace qnetica {

// The geometry that keeps a chart's texts apart: how many category labels to skip, and whether
// a set of boxes is free of overlaps.

// Every stride-th label is shown, so that labels of the widest width, centred spacing apart,
// keep at least gap between them. Always at least 1.
int LabelStride(double spacing, double widest, double gap);

// No two boxes share an interior point (touching edges do not count).
bool NoneOverlap(QList<QRectF> boxes);

// No box overlaps any obstacle but the one of its own index (a mark and the bar it stands on).
bool NoneCoversOthers(const QList<QRectF>& boxes, QList<QRectF> obstacles);

// Every box lies inside the area.
bool AllInside(const QList<QRectF>& boxes, const QRectF& area);

}  // namespace qnetica
