#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <memory>

#include "model/NetworkModel.h"
#include "model/SchemeArea.h"

namespace qnetica {

class MovingNodeRedraw;
class SchemeDrawing;

// The editor's persistent raster: white at first, painted incrementally by the drawing
// operations, and kept for the whole program, also while the editor is closed. Its size is that
// of the image area of a 1920 x 1440 editor window and never changes.
class SchemeSurface {
  public:
    static constexpr int Width = SchemeAreaWidth;
    static constexpr int Height = SchemeAreaHeight;

    explicit SchemeSurface(const NetworkModel& model);
    ~SchemeSurface();

    const QImage& Image() const { return image_; }

    void DrawNodeSymbol(int node);
    void EraseNodeSymbol(int node);
    void DrawLinkArrow(int from, int to);
    void EraseLinkArrow(int from, int to);
    void DrawScheme();
    void EraseScheme();
    void RefreshScheme();

    // While one node moves, each step repaints only what its links and symbol cover, with the
    // pixels a full drawing would give; meanwhile the links, the node count and the other
    // positions stay as they were when the move began.
    void BeginMove(int node);
    void RedrawMovedNode();  // after the node's position changed in the model
    void EndMove();
    bool Moving() const { return moving_ != nullptr; }

    // The area painted since the last call, for the window's repaint.
    QRect TakeChangedArea();

    // The whole surface, not only the part the window shows; false when it cannot be written.
    bool SaveBitmap(const QString& path) const;
    bool SavePng(const QString& path) const;
    // The scheme drawn afresh on a white SVG page of the surface's size.
    bool SaveVector(const QString& path) const;

  private:
    template <typename Operation>
    void Paint(Operation operation);

    const NetworkModel& model_;
    QImage image_;
    std::unique_ptr<MovingNodeRedraw> moving_;
    QRect changed_;
};

}  // namespace qnetica
