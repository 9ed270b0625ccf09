#pragma once

#include <array>

#include "engine/CalculationContext.h"
#include "engine/CalculationObserver.h"
#include "model/NetworkModel.h"

namespace qnetica {

// The traffic equations of a network of n nodes: rows 0..n-1, columns 0..n-1 hold A[i][j],
// the transfer probability from node i to node j (minus 1 on the diagonal of the QS rows), and
// row n holds the right-hand side b[j]. The shape fits the largest network, 151 nodes.
class WorkMatrix {
  public:
    static constexpr int Rows = MaxNodeCount + 1;
    static constexpr int Columns = MaxNodeCount;

    double& At(int row, int column) { return cells_[row * Columns + column]; }
    double At(int row, int column) const { return cells_[row * Columns + column]; }

  private:
    std::array<double, Rows * Columns> cells_{};
};

// The sums of the matrix rows as read, node 0 first.
using RowSums = std::array<double, MaxNodeCount>;

// A row sum that the check accepts as 1: within [0.999999999, 1.000000001].
bool RowSumIsOne(double sum);

// Reads the transfer matrix of the network's nodes into the work matrix. Reports each cell that
// is not a number once per command (it counts as 0), then every row whose sum is not 1, in row
// order; neither stops the calculation.
RowSums ReadTransferMatrix(const NetworkModel& model, CalculationContext& context,
                           CalculationObserver& observer, WorkMatrix& matrix);

// b[0] = the input rate (the flows leaving the network add up to it), b[j] = 0 for the QS.
void SetRightHandSide(WorkMatrix& matrix, int nodeCount, double inputRate);

}  // namespace qnetica
