#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/NumberText.h"

namespace qnetica {

// Transfer probabilities between nodes 0..150 as free text cells; cell (i, j) is the
// probability that a request leaving node i goes to node j. Node 0 is the outside world.
//
// How to change a cell: SetCell(from, to, text), or ClearAll for every cell. There is no other
// way to write a cell. The matrix keeps the number read from each text (Number) and reads a
// text again only after it changed, which spares a calculation step the reading of every cell;
// because every change goes through SetCell or ClearAll, the number always belongs to the text.
class TransferMatrix {
  public:
    static constexpr int Size = 151;

    TransferMatrix() : cells_(Size * Size), numbers_(Size * Size) {}

    const std::string& Cell(int from, int to) const { return cells_[Index(from, to)]; }
    void SetCell(int from, int to, std::string_view text) {
        // A new string moved in: assigning the view in place makes GCC 12 at -O3 warn falsely
        // (-Wrestrict) wherever a literal is inlined into it.
        cells_[Index(from, to)] = std::string(text);
        numbers_[Index(from, to)].Known = false;
    }
    void ClearAll();
    void Swap(TransferMatrix& other) noexcept;

    // The cell read with ParseNumberChecked.
    ParsedNumber Number(int from, int to) const {
        const KnownNumber& known = numbers_[Index(from, to)];
        return known.Known ? known.Number : ReadNumber(from, to);
    }

  private:
    struct KnownNumber {
        ParsedNumber Number;
        bool Known = false;  // false until the text is read after its last change
    };

    static int Index(int from, int to) { return from * Size + to; }
    ParsedNumber ReadNumber(int from, int to) const;

    std::vector<std::string> cells_;
    // Filled as cells are read; the program has one thread, so a const read may fill it.
    mutable std::vector<KnownNumber> numbers_;
};

}  // namespace qnetica
