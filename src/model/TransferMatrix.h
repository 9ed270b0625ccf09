#pragma once

#include <string>
#include <vector>

namespace qnetica {

// Transfer probabilities between nodes 0..150 as free text cells; cell (i, j) is the
// probability that a request leaving node i goes to node j. Node 0 is the outside world.
class TransferMatrix {
  public:
    static constexpr int Size = 151;

    TransferMatrix() : cells_(Size * Size) {}

    std::string& Cell(int from, int to) { return cells_[Index(from, to)]; }
    const std::string& Cell(int from, int to) const { return cells_[Index(from, to)]; }

    void ClearAll() {
        for (auto& cell : cells_) cell.clear();
    }
    void Swap(TransferMatrix& other) noexcept { cells_.swap(other.cells_); }

  private:
    static int Index(int from, int to) { return from * Size + to; }
    std::vector<std::string> cells_;
};

}  // namespace qnetica
