#include "editor/LoadColours.h"

#include <algorithm>
#include <cmath>

namespace qnetica {
namespace {

constexpr double GreenHue = 120;  // degrees
constexpr int Brightness = 235;   // of 255: a little below full, easier on the eye

}  // namespace

const QColor LoadColours::Overloaded(139, 0, 0);
const QColor LoadColours::Hatching(255, 150, 150);

QColor LoadColours::OfLoad(double load) {
    const double share = std::isnan(load) ? 1.0 : std::clamp(load, 0.0, 1.0);
    return QColor::fromHsvF(static_cast<float>(GreenHue * (1 - share) / 360.0), 1.0f,
                            Brightness / 255.0f);
}

QColor LoadColours::TextOn(const QColor& fill) {
    // Perceived brightness of the fill (ITU-R BT.601 weights).
    const double luma = 0.299 * fill.red() + 0.587 * fill.green() + 0.114 * fill.blue();
    return luma >= 110 ? QColor(Qt::black) : QColor(Qt::white);
}

}  // namespace qnetica
