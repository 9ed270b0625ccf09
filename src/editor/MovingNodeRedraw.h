#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <utility>
#include <vector>

#include "model/NetworkModel.h"

namespace qnetica {

// Keeps the surface as a full drawing would leave it while one node moves, repainting only the
// pixels that the node's links and symbol cover before and after each step: with 150 QS a node
// has some 150 links across the whole surface, and a full redraw at every pointer motion lags.
// The parts of the other nodes are drawn once, numbered (SchemePartNumbers), when the move
// starts; the node's own parts are drawn numbered into a layer of their own at every step. A
// full drawing leaves on a pixel the colour of the part painted there last, which is the larger
// of the two numbers. The links, the node count and the other positions must stay meanwhile.
class MovingNodeRedraw {
  public:
    MovingNodeRedraw(const NetworkModel& model, QImage& surface, int node);

    int Node() const { return node_; }
    // After the node's position changed in the model: repaints, and returns the area changed.
    QRect Update();

  private:
    void PaintParts();
    void FindCovered();
    void ScanArea(QRect area);
    void ScanBand(QPointF from, QPointF to, int reach);
    void Recolour(const std::vector<int>& pixels);
    QRgb* Pixels(QImage& image) const { return reinterpret_cast<QRgb*>(image.bits()); }

    const NetworkModel& model_;
    QImage& surface_;
    int node_;
    std::vector<std::pair<int, int>> links_;  // the node's links in the order they are drawn
    QImage below_;                            // the other nodes' parts, numbered
    QImage layer_;                            // the node's parts where they are now, numbered
    int pixelsPerLine_;
    std::vector<unsigned char> seen_;  // marks the pixels in covered_
    std::vector<int> covered_;         // the layer's numbered pixels, as offsets
    QRect coveredArea_;
};

}  // namespace qnetica
