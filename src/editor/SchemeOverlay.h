#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

namespace qnetica {

// What the scheme view paints over the surface and tells under the pointer, never part of the
// surface itself (nor of its saved pictures).
class SchemeOverlay {
  public:
    virtual ~SchemeOverlay() = default;
    // Paints what lies in the area (surface coordinates) over the surface's pixels.
    virtual void Paint(QPainter& painter, const QRect& area) = 0;
    // The tooltip for the point, empty for none.
    virtual QString ToolTip(QPoint point) const = 0;
};

}  // namespace qnetica
