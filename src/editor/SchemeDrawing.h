#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

#include "editor/SchemeLayout.h"
#include "model/NetworkModel.h"

class QPainter;

namespace qnetica {

class ThinLineRaster;

// What the drawn parts are painted with: the scheme's black, white and red, or each part's number
// in the drawing order (SchemePartNumbers), which tells for every pixel which part lies on top.
enum class SchemeInk { Colours, PartNumbers };

// The drawing operations of the scheme on any painter: the editor's raster surface, or an SVG
// generator for the vector export. They read the model and never change it; removing is
// painting over in white, so a caller erases before it changes positions or cells.
class SchemeDrawing {
  public:
    // With a raster of the painter's image, the link lines are written into it directly.
    SchemeDrawing(QPainter& painter, const NetworkModel& model, ThinLineRaster* raster = nullptr,
                  SchemeInk ink = SchemeInk::Colours);

    void DrawNodeSymbol(int node);
    void EraseNodeSymbol(int node);
    void DrawLinkArrow(int from, int to);
    void EraseLinkArrow(int from, int to);
    void DrawScheme();   // every link, then every symbol, so symbols hide the lines under them
    void EraseScheme();  // every symbol, then every link
    void RefreshScheme(const QRect& whole);  // all white, then DrawScheme
    // DrawScheme without the links to and from the node and without its symbol.
    void DrawSchemeWithout(int node);

    // Readable inside the 30-pixel circle, in one colour so that the scheme stays black, white
    // and red.
    static QFont LabelFont();

  private:
    struct ArrowColours {
        QColor Line;
        QColor Mark;
    };
    void PaintSymbolCircle(int node, const QColor& outline);
    void PaintLabel(int node, const QColor& colour);
    void PaintArrow(int from, int to, const ArrowColours& colours);
    QPoint DirectionMarkEnd(int from, int to) const;
    void PaintLoop(int node, const QColor& colour);

    QPainter& painter_;
    SchemeLayout layout_;
    ThinLineRaster* raster_;
    SchemeInk ink_;
};

}  // namespace qnetica
