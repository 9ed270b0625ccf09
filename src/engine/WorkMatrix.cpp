#include "engine/WorkMatrix.h"

#include "engine/EngineMessages.h"
#include "engine/ErlangMath.h"
#include "model/NumberText.h"

namespace qnetica {
namespace {

constexpr long double RowSumLow = 0.999999999L;
constexpr long double RowSumHigh = 1.000000001L;

// The value of a used cell; a text that is not a number counts as 0 and is reported once.
double ReadCell(const NetworkModel& model, int from, int to, CalculationContext& context,
                CalculationObserver& observer) {
    const std::string& text = model.Matrix().Cell(from, to);
    const ParsedNumber parsed = ParseNumberChecked(text);
    if (parsed.IsNumber) return parsed.Value;
    const auto reported = context.CellReported.begin() + from * TransferMatrix::Size + to;
    if (!*reported) {
        *reported = true;
        observer.ShowMessage(MessageKind::Plain, CellNotNumberMessage(from, to, text));
    }
    return 0.0;
}

}  // namespace

bool RowSumIsOne(double sum) {
    return sum >= RowSumLow && sum <= RowSumHigh;
}

RowSums ReadTransferMatrix(const NetworkModel& model, CalculationContext& context,
                           CalculationObserver& observer, WorkMatrix& matrix) {
    const int n = model.NodeCount();
    RowSums sums{};
    for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        for (int j = 0; j < n; ++j) {
            const double value = ReadCell(model, i, j, context, observer);
            sum = Stored(static_cast<long double>(sum) + value);
            // A QS keeps the requests it sends to itself: its own flow is on both sides.
            matrix.At(i, j) = (i == j && i >= 1) ? Stored(value - 1.0L) : value;
        }
        sums[i] = sum;
    }
    for (int i = 0; i < n; ++i)
        if (!RowSumIsOne(sums[i]))
            observer.ShowMessage(MessageKind::Plain, RowSumMessage(i, sums[i]));
    return sums;
}

void SetRightHandSide(WorkMatrix& matrix, int nodeCount, double inputRate) {
    for (int j = 0; j < nodeCount; ++j) matrix.At(nodeCount, j) = j == 0 ? inputRate : 0.0;
}

}  // namespace qnetica
