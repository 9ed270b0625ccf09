#include "editor/SchemeSurface.h"

#include <QPainter>
#include <QSvgGenerator>
#include <utility>

#include "editor/MovingNodeRedraw.h"
#include "editor/SchemeDrawing.h"
#include "editor/ThinLineRaster.h"

namespace qnetica {
namespace {

constexpr int ScreenDotsPerInch = 96;

}  // namespace

SchemeSurface::SchemeSurface(const NetworkModel& model)
    : model_(model), image_(Width, Height, QImage::Format_RGB32) {
    image_.fill(Qt::white);
}

SchemeSurface::~SchemeSurface() = default;

template <typename Operation>
void SchemeSurface::Paint(Operation operation) {
    changed_ = image_.rect();
    ThinLineRaster raster(image_);  // takes the pixels before the painter does
    QPainter painter(&image_);
    SchemeDrawing drawing(painter, model_, &raster);
    operation(drawing);
}

void SchemeSurface::DrawNodeSymbol(int node) {
    Paint([node](SchemeDrawing& drawing) { drawing.DrawNodeSymbol(node); });
}

void SchemeSurface::EraseNodeSymbol(int node) {
    Paint([node](SchemeDrawing& drawing) { drawing.EraseNodeSymbol(node); });
}

void SchemeSurface::DrawLinkArrow(int from, int to) {
    Paint([from, to](SchemeDrawing& drawing) { drawing.DrawLinkArrow(from, to); });
}

void SchemeSurface::EraseLinkArrow(int from, int to) {
    Paint([from, to](SchemeDrawing& drawing) { drawing.EraseLinkArrow(from, to); });
}

void SchemeSurface::DrawScheme() {
    Paint([](SchemeDrawing& drawing) { drawing.DrawScheme(); });
}

void SchemeSurface::EraseScheme() {
    Paint([](SchemeDrawing& drawing) { drawing.EraseScheme(); });
}

void SchemeSurface::RefreshScheme() {
    Paint([this](SchemeDrawing& drawing) { drawing.RefreshScheme(image_.rect()); });
}

void SchemeSurface::BeginMove(int node) {
    moving_ = std::make_unique<MovingNodeRedraw>(model_, image_, node);
}

void SchemeSurface::RedrawMovedNode() {
    if (moving_) changed_ |= moving_->Update();
}

void SchemeSurface::EndMove() {
    moving_.reset();
}

QRect SchemeSurface::TakeChangedArea() {
    return std::exchange(changed_, QRect());
}

bool SchemeSurface::SaveBitmap(const QString& path) const {
    return image_.save(path, "BMP");
}

bool SchemeSurface::SavePng(const QString& path) const {
    return image_.save(path, "PNG");
}

bool SchemeSurface::SaveVector(const QString& path) const {
    QSvgGenerator generator;
    generator.setFileName(path);
    generator.setSize(image_.size());
    generator.setViewBox(image_.rect());
    generator.setResolution(ScreenDotsPerInch);  // one surface pixel is one CSS pixel
    generator.setTitle(QStringLiteral("Qnetica"));
    QPainter painter;
    if (!painter.begin(&generator)) return false;
    SchemeDrawing(painter, model_).RefreshScheme(image_.rect());
    return painter.end();
}

}  // namespace qnetica
