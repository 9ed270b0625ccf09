#pragma once

#include <QImage>
#include <QPoint>

namespace qnetica {

// Draws one-pixel solid lines straight into an RGB32 image, both end points included. A scheme
// of 150 QS has some 11,000 long link lines, and QPainter's general line path spends about
// 10 ns on each of their pixels; this one writes them directly. The image must not be copied
// while the raster is in use, since it keeps a pointer to the pixels.
class ThinLineRaster {
  public:
    explicit ThinLineRaster(QImage& image);

    // False, with nothing drawn, when an end lies so far outside the image that walking the
    // line pixel by pixel would be wasteful; the caller then draws it another way.
    bool Draw(QPoint from, QPoint to, QRgb colour);

  private:
    uchar* bits_;
    qsizetype bytesPerLine_;
    int width_;
    int height_;
};

}  // namespace qnetica
