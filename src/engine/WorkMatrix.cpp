#include "engine/WorkMatrix.h"

#include "engine/EngineMessages.h"
#include "engine/ErlangMath.h"

namespace qnetica {
namespace {

constexpr long double RowSumLow = 0.999999999L;
constexpr long double RowSumHigh = 1.000000001L;

// The value of a used cell; a text that is not a number counts as 0 and is reported once.
double ReadCell(const NetworkModel& model, int from, int to, CalculationContext& context,
                CalculationObserver& observer) {
    const ParsedNumber parsed = model.Matrix().Number(from, to);
    if (parsed.IsNumber) return parsed.Value;
    const auto reported = context.CellReported.begin() + from * TransferMatrix::Size + to;
    if (!*reported) {
        *reported = true;
        observer.ShowMessage(MessageKind::Plain,
                             CellNotNumberMessage(from, to, model.Matrix().Cell(from, to)));
    }
    return 0.0;
}

// The sum rounded to a double, as every row sum is after each addition.
double AddStored(double sum, double value) {
    return Stored(static_cast<long double>(sum) + value);
}

// The sums of rows first..first+3, added side by side so that their additions overlap; each row
// still adds its cells from left to right.
void SumFourRows(const WorkMatrix& matrix, int first, int n, RowSums& sums) {
    double sum0 = 0.0, sum1 = 0.0, sum2 = 0.0, sum3 = 0.0;
    for (int j = 0; j < n; ++j) {
        sum0 = AddStored(sum0, matrix.At(first, j));
        sum1 = AddStored(sum1, matrix.At(first + 1, j));
        sum2 = AddStored(sum2, matrix.At(first + 2, j));
        sum3 = AddStored(sum3, matrix.At(first + 3, j));
    }
    sums[first] = sum0;
    sums[first + 1] = sum1;
    sums[first + 2] = sum2;
    sums[first + 3] = sum3;
}

RowSums SumRows(const WorkMatrix& matrix, int n) {
    RowSums sums{};
    int i = 0;
    for (; i + 3 < n; i += 4) SumFourRows(matrix, i, n, sums);
    for (; i < n; ++i) {
        double sum = 0.0;
        for (int j = 0; j < n; ++j) sum = AddStored(sum, matrix.At(i, j));
        sums[i] = sum;
    }
    return sums;
}

}  // namespace

bool RowSumIsOne(double sum) {
    return sum >= RowSumLow && sum <= RowSumHigh;
}

RowSums ReadTransferMatrix(const NetworkModel& model, CalculationContext& context,
                           CalculationObserver& observer, WorkMatrix& matrix) {
    const int n = model.NodeCount();
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) matrix.At(i, j) = ReadCell(model, i, j, context, observer);
    // The sums take the values as read, before the diagonal's 1 is subtracted.
    const RowSums sums = SumRows(matrix, n);
    // A QS keeps the requests it sends to itself: its own flow is on both sides.
    for (int k = 1; k < n; ++k) matrix.At(k, k) = Stored(matrix.At(k, k) - 1.0L);
    for (int i = 0; i < n; ++i)
        if (!RowSumIsOne(sums[i]))
            observer.ShowMessage(MessageKind::Plain, RowSumMessage(i, sums[i]));
    return sums;
}

void SetRightHandSide(WorkMatrix& matrix, int nodeCount, double inputRate) {
    for (int j = 0; j < nodeCount; ++j) matrix.At(nodeCount, j) = j == 0 ? inputRate : 0.0;
}

}  // namespace qnetica
