#pragma once

#include <QImage>
#include <QPoint>

namespace qnetica {

// Draws one-pixel solid lines straight into an RGB32 image, pixel for pixel as QPainter draws
// them there without antialiasing (a 1-pixel pen with square caps): both end points included,
// the same rounding and the same cut at the image's edges. A scheme of 150 QS has some 11,000
// long link lines, and QPainter's general line path spends about 10 ns on each of their pixels.
// The image must not be copied while the raster is in use, since it keeps a pointer to the
// pixels.
class ThinLineRaster {
  public:
    explicit ThinLineRaster(QImage& image);

    // False, with nothing drawn, when an end lies so far outside the image that walking the
    // line pixel by pixel would be wasteful; the caller then draws it another way.
    bool Draw(QPoint from, QPoint to, QRgb colour);

  private:
    struct Line {
        double X1, Y1, X2, Y2;
    };
    bool ClipToMargin(Line& line) const;
    template <bool Steep>
    void Walk(int major1, int minor1, int major2, int minor2);
    void Plot(int x, int y);
    QRgb* Row(int y) const { return reinterpret_cast<QRgb*>(bits_ + y * bytesPerLine_); }

    uchar* bits_;
    qsizetype bytesPerLine_;
    int width_;
    int height_;
    QRgb colour_ = 0;
};

}  // namespace qnetica
