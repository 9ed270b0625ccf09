#include "editor/ThinLineRaster.h"

#include <cstdlib>

namespace qnetica {
namespace {

// Ends further out than this are left to QPainter, which clips before it rasterises.
constexpr int Reach = 4096;

}  // namespace

ThinLineRaster::ThinLineRaster(QImage& image)
    : bits_(image.bits()),  // detaches now, before any painter holds the pixels
      bytesPerLine_(image.bytesPerLine()),
      width_(image.width()),
      height_(image.height()) {
    Q_ASSERT(image.format() == QImage::Format_RGB32);
}

bool ThinLineRaster::Draw(QPoint from, QPoint to, QRgb colour) {
    const auto near = [this](QPoint p) {
        return p.x() >= -Reach && p.x() < width_ + Reach && p.y() >= -Reach &&
               p.y() < height_ + Reach;
    };
    if (!near(from) || !near(to)) return false;
    // Bresenham's walk from one end to the other.
    int x = from.x(), y = from.y();
    const int dx = std::abs(to.x() - x), dy = -std::abs(to.y() - y);
    const int stepX = x < to.x() ? 1 : -1, stepY = y < to.y() ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        if (x >= 0 && x < width_ && y >= 0 && y < height_)
            reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_)[x] = colour;
        if (x == to.x() && y == to.y()) return true;
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

}  // namespace qnetica
