#pragma once

#include <QBrush>
#include <QColor>

namespace qnetica {

// The colours of the scheme coloured by the results: a QS's load per channel on a scale from
// green (idle) through yellow (half) to red (full), and an overloaded QS dark red with light
// hatching.
struct LoadColours {
    static const QColor Overloaded;
    static const QColor Hatching;

    // The hue runs from 120 degrees at load 0 to 0 at load 1 and beyond; full saturation.
    static QColor OfLoad(double load);
    // The text on the colour: black on the light half of the scale, white on the dark.
    static QColor TextOn(const QColor& fill);
    // The pattern laid over an overloaded QS's fill.
    static QBrush HatchBrush() { return QBrush(Hatching, Qt::BDiagPattern); }
};

}  // namespace qnetica
