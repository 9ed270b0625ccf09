#include "editor/MovingNodeRedraw.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "editor/SchemeDrawing.h"
#include "editor/SchemeLayout.h"
#include "editor/SchemePartNumbers.h"
#include "editor/ThinLineRaster.h"

namespace qnetica {
namespace {

using SchemePartNumbers::AsPixel;
using SchemePartNumbers::PartMask;

// How far a part may reach beyond its geometry. A thin line stays within a pixel of its
// straight line. Across the line the red mark reaches some 4 pixels: half its width of 3 along
// the slant, its square end, the rounding of its far end and of the pixels (3 is too little).
// The loop and the symbol's circle stay inside their boxes, and a label ("S150") may run past the
// symbol's right edge in a wide font.
constexpr int LineReach = 2;
constexpr int MarkReach = 5;
constexpr double MarkStart = 0.75;
constexpr int LoopReach = 22;
constexpr int LoopSpan = 40;
const QMargins SymbolReach(2, 2, 30, 12);
constexpr int FixedShift = 16;

QImage NumberedImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(AsPixel(SchemePartNumbers::NoPart));
    return image;
}

}  // namespace

MovingNodeRedraw::MovingNodeRedraw(const NetworkModel& model, QImage& surface, int node)
    : model_(model),
      surface_(surface),
      node_(node),
      below_(NumberedImage(surface.size())),
      layer_(NumberedImage(surface.size())),
      pixelsPerLine_(static_cast<int>(surface.bytesPerLine() / sizeof(QRgb))),
      seen_(static_cast<std::size_t>(pixelsPerLine_) * surface.height(), 0) {
    const SchemeLayout layout(model_);
    for (int from = 0; from < layout.NodeCount(); ++from)
        for (int to = 0; to < layout.NodeCount(); ++to)
            if ((from == node || to == node) && layout.LinkExists(from, to))
                links_.emplace_back(from, to);
    {
        ThinLineRaster raster(below_);
        QPainter painter(&below_);
        SchemeDrawing(painter, model_, &raster, SchemeInk::PartNumbers).DrawSchemeWithout(node_);
    }
    PaintParts();
    FindCovered();
}

QRect MovingNodeRedraw::Update() {
    QRgb* layer = Pixels(layer_);
    for (int offset : covered_) {
        layer[offset] = AsPixel(SchemePartNumbers::NoPart);
        seen_[offset] = 0;
    }
    const std::vector<int> before = std::move(covered_);
    const QRect beforeArea = coveredArea_;
    PaintParts();
    FindCovered();
    Recolour(before);
    Recolour(covered_);
    return beforeArea | coveredArea_;
}

void MovingNodeRedraw::PaintParts() {
    ThinLineRaster raster(layer_);
    QPainter painter(&layer_);
    SchemeDrawing drawing(painter, model_, &raster, SchemeInk::PartNumbers);
    for (const auto& [from, to] : links_) drawing.DrawLinkArrow(from, to);
    drawing.DrawNodeSymbol(node_);
}

// Looks for the layer's numbered pixels only where the node's parts can reach.
void MovingNodeRedraw::FindCovered() {
    covered_.clear();
    coveredArea_ = {};
    const SchemeLayout layout(model_);
    for (const auto& [from, to] : links_) {
        if (from == to) {
            const QPoint corner = layout.BoxCorner(from);
            ScanArea({corner.x() - LoopReach, corner.y() - LoopReach, LoopSpan, LoopSpan});
        } else {
            // The thin line from centre to centre, and the red mark on its last quarter.
            const QPointF source = layout.Centre(from), target = layout.Centre(to);
            ScanBand(source, target, LineReach);
            ScanBand(source + MarkStart * (target - source), target, MarkReach);
        }
    }
    const QPoint corner = layout.BoxCorner(node_);
    ScanArea(QRect(corner, QSize(SchemeLayout::SymbolSize, SchemeLayout::SymbolSize))
                 .marginsAdded(SymbolReach));
}

void MovingNodeRedraw::ScanArea(QRect area) {
    area &= layer_.rect();
    if (area.isEmpty()) return;
    const QRgb* layer = Pixels(layer_);
    bool found = false;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const int offset = y * pixelsPerLine_ + x;
            if ((layer[offset] & PartMask) == 0 || seen_[offset]) continue;
            seen_[offset] = 1;
            covered_.push_back(offset);
            found = true;
        }
    if (found) coveredArea_ |= area;
}

// The pixels within a few of the straight line between two points, stepping along its longer
// axis; beyond the ends the band goes on at the end's height.
void MovingNodeRedraw::ScanBand(QPointF from, QPointF to, int reach) {
    const bool steep = std::abs(to.y() - from.y()) > std::abs(to.x() - from.x());
    double major1 = steep ? from.y() : from.x(), minor1 = steep ? from.x() : from.y();
    double major2 = steep ? to.y() : to.x(), minor2 = steep ? to.x() : to.y();
    if (major1 > major2) {
        std::swap(major1, major2);
        std::swap(minor1, minor2);
    }
    const int majorSize = steep ? layer_.height() : layer_.width();
    const int minorSize = steep ? layer_.width() : layer_.height();
    const int first = static_cast<int>(std::max(std::floor(major1) - reach, 0.0));
    const int last = static_cast<int>(std::min(std::ceil(major2) + reach, majorSize - 1.0));
    if (first > last) return;
    // The minor coordinate in fixed point, moving by the slope inside the segment.
    const double unit = 1 << FixedShift;
    const double slope = major2 > major1 ? (minor2 - minor1) / (major2 - major1) : 0;
    const auto fixed = [&](double major) {
        const double along = std::clamp(major, major1, major2);
        return static_cast<std::int64_t>((minor1 + slope * (along - major1)) * unit + unit / 2);
    };
    const std::int64_t step = static_cast<std::int64_t>(slope * unit);
    const QRgb* layer = Pixels(layer_);
    const std::size_t before = covered_.size();
    int lowest = minorSize, highest = -1;
    std::int64_t minorFixed = fixed(first);
    for (int major = first; major <= last; ++major) {
        const bool stepping = major - 1 > major1 && major <= major2;
        minorFixed = stepping ? minorFixed + step : fixed(major);
        const std::int64_t centre = minorFixed >> FixedShift;
        const int low = static_cast<int>(std::max<std::int64_t>(centre - reach, 0));
        const int high = static_cast<int>(std::min<std::int64_t>(centre + reach, minorSize - 1));
        for (int minor = low; minor <= high; ++minor) {
            const int offset =
                steep ? major * pixelsPerLine_ + minor : minor * pixelsPerLine_ + major;
            if ((layer[offset] & PartMask) == 0 || seen_[offset]) continue;
            seen_[offset] = 1;
            covered_.push_back(offset);
            lowest = std::min(lowest, minor);
            highest = std::max(highest, minor);
        }
    }
    if (covered_.size() == before) return;
    // The band's extent along its axis is that of the first and last pixel found.
    const int firstOffset = covered_[before], lastOffset = covered_.back();
    const int majorLow = steep ? firstOffset / pixelsPerLine_ : firstOffset % pixelsPerLine_;
    const int majorHigh = steep ? lastOffset / pixelsPerLine_ : lastOffset % pixelsPerLine_;
    coveredArea_ |= steep ? QRect(QPoint(lowest, majorLow), QPoint(highest, majorHigh))
                          : QRect(QPoint(majorLow, lowest), QPoint(majorHigh, highest));
}

void MovingNodeRedraw::Recolour(const std::vector<int>& pixels) {
    const QRgb* below = Pixels(below_);
    const QRgb* layer = Pixels(layer_);
    QRgb* surface = Pixels(surface_);
    for (int offset : pixels)
        surface[offset] = SchemePartNumbers::ColourOf(
            std::max(below[offset] & PartMask, layer[offset] & PartMask));
}

}  // namespace qnetica
