#pragma once

namespace qnetica {

// Where a network read without positions puts its symbols on the scheme: the source at the
// middle of the left edge, as the model generator puts it, and the QS in rows of 22 from the
// top left, 80 pixels apart, in the order of their numbers (QS 150 lies in the seventh row).
struct LayoutPoint {
    int X = 0;
    int Y = 0;
};

LayoutPoint DefaultSourcePosition();
LayoutPoint DefaultQsPosition(int k);  // k = 1..150

}  // namespace qnetica
