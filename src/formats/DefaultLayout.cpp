#include "formats/DefaultLayout.h"

#include "model/SchemeArea.h"

namespace qnetica {
namespace {

constexpr int FirstColumnX = 60;  // clear of the source's symbol at the left edge
constexpr int FirstRowY = 10;
constexpr int Pitch = 80;
constexpr int Columns = 22;

}  // namespace

LayoutPoint DefaultSourcePosition() {
    return {0, SchemeAreaHeight / 2};
}

LayoutPoint DefaultQsPosition(int k) {
    return {FirstColumnX + (k - 1) % Columns * Pitch, FirstRowY + (k - 1) / Columns * Pitch};
}

}  // namespace qnetica
