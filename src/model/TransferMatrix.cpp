#include "model/TransferMatrix.h"

namespace qnetica {

void TransferMatrix::ClearAll() {
    for (auto& cell : cells_) cell.clear();
    for (auto& known : numbers_) known.Known = false;
}

void TransferMatrix::Swap(TransferMatrix& other) noexcept {
    cells_.swap(other.cells_);
    numbers_.swap(other.numbers_);
}

ParsedNumber TransferMatrix::ReadNumber(int from, int to) const {
    const int index = Index(from, to);
    numbers_[index] = {ParseNumberChecked(cells_[index]), true};
    return numbers_[index].Number;
}

}  // namespace qnetica
