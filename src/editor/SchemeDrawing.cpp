#include "editor/SchemeDrawing.h"

#include <QPainter>

#include "editor/SchemePartNumbers.h"
#include "editor/ThinLineRaster.h"

namespace qnetica {
namespace {

const QColor Outline = Qt::black;
const QColor Background = Qt::white;
const QColor DirectionMark = Qt::red;
constexpr int ThinPen = 1;
constexpr int MarkPen = 3;
constexpr int LabelPixelSize = 11;  // capitals about 8 pixels high; "S150" still fits
const QPoint LabelOffset(2, 8);
constexpr int LoopReach = 20;       // the loop's square starts this far up and left of the box
constexpr double MarkStart = 0.75;  // the direction mark is the quarter next to the target

// The shape inscribed in the rectangle from (left, top) to (right, bottom), right and bottom
// edges outside: Qt's rectangle of an outlined shape includes its right and bottom edges.
QRect InscribingRect(int left, int top, int right, int bottom) {
    return {left, top, right - left - 1, bottom - top - 1};
}

QColor PartColour(std::uint32_t number) {
    return QColor::fromRgb(SchemePartNumbers::AsPixel(number));
}

}  // namespace

SchemeDrawing::SchemeDrawing(QPainter& painter, const NetworkModel& model, ThinLineRaster* raster,
                             SchemeInk ink)
    : painter_(painter), layout_(model), raster_(raster), ink_(ink) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
}

QFont SchemeDrawing::LabelFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(LabelPixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void SchemeDrawing::DrawNodeSymbol(int node) {
    if (ink_ == SchemeInk::PartNumbers) {
        painter_.setBrush(PartColour(SchemePartNumbers::SymbolInterior(node)));
        PaintSymbolCircle(node, PartColour(SchemePartNumbers::SymbolOutline(node)));
        PaintLabel(node, PartColour(SchemePartNumbers::Label(node)));
        return;
    }
    painter_.setBrush(Background);
    PaintSymbolCircle(node, Outline);
    PaintLabel(node, Outline);
}

void SchemeDrawing::EraseNodeSymbol(int node) {
    painter_.setBrush(Background);
    PaintSymbolCircle(node, Background);
}

void SchemeDrawing::PaintSymbolCircle(int node, const QColor& outline) {
    painter_.setPen(QPen(outline, ThinPen));
    const QPoint corner = layout_.BoxCorner(node);
    painter_.drawEllipse(InscribingRect(corner.x(), corner.y(),
                                        corner.x() + SchemeLayout::SymbolSize,
                                        corner.y() + SchemeLayout::SymbolSize));
}

// The label's background is the circle's interior, painted white just before. An opaque text
// box of this font's height would cut the outline at the label's left end.
void SchemeDrawing::PaintLabel(int node, const QColor& colour) {
    painter_.setFont(LabelFont());
    painter_.setPen(colour);
    painter_.setBackgroundMode(Qt::TransparentMode);
    const QPoint topLeft = layout_.BoxCorner(node) + LabelOffset;
    painter_.drawText(QRect(topLeft, QSize(SchemeLayout::SymbolSize, SchemeLayout::SymbolSize)),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, SchemeLayout::Label(node));
}

void SchemeDrawing::DrawLinkArrow(int from, int to) {
    if (ink_ == SchemeInk::PartNumbers) {
        PaintArrow(from, to,
                   {PartColour(SchemePartNumbers::LinkLine(from, to)),
                    PartColour(SchemePartNumbers::LinkMark(from, to))});
        return;
    }
    PaintArrow(from, to, {Outline, DirectionMark});
}

void SchemeDrawing::EraseLinkArrow(int from, int to) {
    PaintArrow(from, to, {Background, Background});
}

void SchemeDrawing::PaintArrow(int from, int to, const ArrowColours& colours) {
    const QPoint source = layout_.Centre(from);
    const QPoint target = layout_.Centre(to);
    if (from == to) {
        PaintLoop(from, colours.Line);  // both lines would have zero length
        return;
    }
    if (!raster_ || !raster_->Draw(source, target, colours.Line.rgb())) {
        painter_.setPen(QPen(colours.Line, ThinPen));
        painter_.drawLine(source, target);
    }
    painter_.setPen(QPen(colours.Mark, MarkPen));
    painter_.drawLine(target, DirectionMarkEnd(from, to));
}

// Three quarters of the way from the source's centre to the target's. The x coordinate cuts
// the offset, the y coordinate the whole value, so the two may differ by a pixel.
QPoint SchemeDrawing::DirectionMarkEnd(int from, int to) const {
    const QPoint a = layout_.BoxCorner(from);
    const QPoint b = layout_.BoxCorner(to);
    const int x = a.x() + SchemeLayout::HalfSymbol - static_cast<int>(MarkStart * (a.x() - b.x()));
    const int y = static_cast<int>(a.y() + SchemeLayout::HalfSymbol - MarkStart * (a.y() - b.y()));
    return {x, y};
}

// A circle of diameter 35 whose square has the symbol's centre as its lower-right corner.
void SchemeDrawing::PaintLoop(int node, const QColor& colour) {
    const QPoint corner = layout_.BoxCorner(node);
    const QPoint centre = layout_.Centre(node);
    painter_.setPen(QPen(colour, ThinPen));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(
        InscribingRect(corner.x() - LoopReach, corner.y() - LoopReach, centre.x(), centre.y()));
}

void SchemeDrawing::DrawScheme() {
    for (int from = 0; from < layout_.NodeCount(); ++from)
        for (int to = 0; to < layout_.NodeCount(); ++to)
            if (layout_.LinkExists(from, to)) DrawLinkArrow(from, to);
    for (int node = 0; node < layout_.NodeCount(); ++node) DrawNodeSymbol(node);
}

void SchemeDrawing::DrawSchemeWithout(int node) {
    for (int from = 0; from < layout_.NodeCount(); ++from)
        for (int to = 0; to < layout_.NodeCount(); ++to)
            if (from != node && to != node && layout_.LinkExists(from, to)) DrawLinkArrow(from, to);
    for (int other = 0; other < layout_.NodeCount(); ++other)
        if (other != node) DrawNodeSymbol(other);
}

void SchemeDrawing::EraseScheme() {
    for (int node = 0; node < layout_.NodeCount(); ++node) EraseNodeSymbol(node);
    for (int from = 0; from < layout_.NodeCount(); ++from)
        for (int to = 0; to < layout_.NodeCount(); ++to)
            if (layout_.LinkExists(from, to)) EraseLinkArrow(from, to);
}

void SchemeDrawing::RefreshScheme(const QRect& whole) {
    painter_.fillRect(whole, Background);
    DrawScheme();
}

}  // namespace qnetica
