#include "editor/ThinLineRaster.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace qnetica {
namespace {

// Ends further out than this are left to QPainter.
constexpr int Reach = 4096;

// Positions along the line are kept in 26.6 fixed point, the minor coordinate in 16.16, the
// way Qt's raster engine walks a one-pixel line; the pixels only match if the rounding does.
constexpr int SubPixels = 64;
constexpr int HalfPixel = SubPixels / 2;
constexpr int FixedShift = 16;
constexpr int SubToFixed = FixedShift - 6;

int ToSubPixels(double v) {
    return static_cast<int>(v * SubPixels);  // cuts towards zero, as the painter does
}

int FixedDivide(int numerator, int denominator) {
    return static_cast<int>((static_cast<std::int64_t>(numerator) << FixedShift) / denominator);
}

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
    colour_ = colour;
    if (from == to) {
        Plot(from.x(), from.y());
        return true;
    }
    Line line{static_cast<double>(from.x()), static_cast<double>(from.y()),
              static_cast<double>(to.x()), static_cast<double>(to.y())};
    if (!ClipToMargin(line)) return true;
    const int x1 = ToSubPixels(line.X1), y1 = ToSubPixels(line.Y1);
    const int x2 = ToSubPixels(line.X2), y2 = ToSubPixels(line.Y2);
    if (std::abs(x2 - x1) < std::abs(y2 - y1))
        Walk<true>(y1, x1, y2, x2);
    else if (x1 != x2)
        Walk<false>(x1, y1, x2, y2);
    return true;
}

// The painter cuts lines to one pixel around the image in floating point first, and the cut
// ends decide the pixels; so the cut is repeated step for step.
bool ThinLineRaster::ClipToMargin(Line& l) const {
    const double xMin = -1, xMax = width_ + 1, yMin = -1, yMax = height_ + 1;
    if (l.X1 < xMin) {
        if (l.X2 <= xMin) return false;
        l.Y1 += (l.Y2 - l.Y1) / (l.X2 - l.X1) * (xMin - l.X1);
        l.X1 = xMin;
    } else if (l.X1 > xMax) {
        if (l.X2 >= xMax) return false;
        l.Y1 += (l.Y2 - l.Y1) / (l.X2 - l.X1) * (xMax - l.X1);
        l.X1 = xMax;
    }
    if (l.X2 < xMin) {
        l.Y2 += (l.Y2 - l.Y1) / (l.X2 - l.X1) * (xMin - l.X2);
        l.X2 = xMin;
    } else if (l.X2 > xMax) {
        l.Y2 += (l.Y2 - l.Y1) / (l.X2 - l.X1) * (xMax - l.X2);
        l.X2 = xMax;
    }
    if (l.Y1 < yMin) {
        if (l.Y2 <= yMin) return false;
        l.X1 += (l.X2 - l.X1) / (l.Y2 - l.Y1) * (yMin - l.Y1);
        l.Y1 = yMin;
    } else if (l.Y1 > yMax) {
        if (l.Y2 >= yMax) return false;
        l.X1 += (l.X2 - l.X1) / (l.Y2 - l.Y1) * (yMax - l.Y1);
        l.Y1 = yMax;
    }
    if (l.Y2 < yMin) {
        l.X2 += (l.X2 - l.X1) / (l.Y2 - l.Y1) * (yMin - l.Y2);
        l.Y2 = yMin;
    } else if (l.Y2 > yMax) {
        l.X2 += (l.X2 - l.X1) / (l.Y2 - l.Y1) * (yMax - l.Y2);
        l.Y2 = yMax;
    }
    return true;
}

// One pixel per step of the major axis, from the lower to the higher end. Both ends reach half
// a pixel further (the pen's square cap), which makes both end points part of the line.
template <bool Steep>
void ThinLineRaster::Walk(int major1, int minor1, int major2, int minor2) {
    if (major1 > major2) {
        std::swap(major1, major2);
        std::swap(minor1, minor2);
    }
    const int step = FixedDivide(minor2 - minor1, major2 - major1);
    int minor = minor1 * (1 << SubToFixed) - (step >> 1);
    major1 -= HalfPixel;
    major2 += HalfPixel;
    int major = (major1 + HalfPixel) >> 6;
    int end = (major2 + HalfPixel) >> 6;
    if (major == end) return;
    const int round = step > 0 ? HalfPixel : 0;
    minor += (major * SubPixels + round - major1) * step >> 6;
    // The cut leaves at most a pixel outside at either end; skip it rather than test every step.
    if (major < 0) {
        minor += -major * step;
        major = 0;
    }
    end = std::min(end, Steep ? height_ : width_);
    const auto minorSize = static_cast<unsigned>(Steep ? width_ : height_);
    for (; major < end; ++major, minor += step) {
        const int m = minor >> FixedShift;
        if (static_cast<unsigned>(m) >= minorSize) continue;
        if constexpr (Steep)
            Row(major)[m] = colour_;
        else
            Row(m)[major] = colour_;
    }
}

void ThinLineRaster::Plot(int x, int y) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) Row(y)[x] = colour_;
}

}  // namespace qnetica
