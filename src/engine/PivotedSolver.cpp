#include "engine/PivotedSolver.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "engine/ErlangMath.h"

namespace qnetica {
namespace {

// Residual corrections converge in one or two rounds for any system whose condition is far
// from 1e16; the bound only stops a hopeless one.
constexpr int MaxCorrections = 8;

// row[k] -= factor * pivotRow[k] for k = first..size-1; the rows never overlap. Four columns at
// a time, so that the compiler pairs them into vector operations: each column still gets the one
// rounded product and the one rounded difference.
void SubtractMultiple(double* __restrict row, const double* __restrict pivotRow, double factor,
                      int first, int size) {
    int k = first;
    for (; k + 3 < size; k += 4) {
        row[k] -= factor * pivotRow[k];
        row[k + 1] -= factor * pivotRow[k + 1];
        row[k + 2] -= factor * pivotRow[k + 2];
        row[k + 3] -= factor * pivotRow[k + 3];
    }
    for (; k < size; ++k) row[k] -= factor * pivotRow[k];
}

}  // namespace

PivotedSolver::PivotedSolver(int capacity)
    : capacity_(capacity),
      system_(static_cast<std::size_t>(capacity) * capacity),
      rightHandSide_(capacity),
      factors_(static_cast<std::size_t>(capacity) * capacity),
      rowOfPosition_(capacity) {}

void PivotedSolver::Reset(int size) {
    size_ = size;
}

bool PivotedSolver::EliminateColumn(int column) {
    if (column == 0) {
        for (int i = 0; i < size_; ++i) {
            std::copy_n(&system_[static_cast<std::size_t>(i) * capacity_], size_, &Factor(i, 0));
            rowOfPosition_[i] = i;
        }
    }
    int pivot = column;
    for (int r = column + 1; r < size_; ++r)
        if (std::fabs(Factor(r, column)) > std::fabs(Factor(pivot, column))) pivot = r;
    if (Factor(pivot, column) == 0.0) return false;
    if (pivot != column) {
        std::swap_ranges(&Factor(pivot, 0), &Factor(pivot, 0) + size_, &Factor(column, 0));
        std::swap(rowOfPosition_[pivot], rowOfPosition_[column]);
    }
    const double pivotValue = Factor(column, column);
    for (int r = column + 1; r < size_; ++r) {
        const double factor = Factor(r, column) / pivotValue;
        Factor(r, column) = factor;
        if (factor != 0.0)
            SubtractMultiple(&Factor(r, 0), &Factor(column, 0), factor, column + 1, size_);
    }
    return true;
}

void PivotedSolver::ForwardSubstitute(std::span<const long double> values,
                                      std::span<long double> x) const {
    int i = 0;
    // Four rows side by side over the columns before them, so that their sums overlap; each row
    // still sums in column order, and finishes with the columns of the rows above it.
    for (; i + 3 < size_; i += 4) {
        const double* first = &factors_[static_cast<std::size_t>(i) * capacity_];
        const double* second = first + capacity_;
        const double* third = second + capacity_;
        const double* fourth = third + capacity_;
        long double sum0 = values[rowOfPosition_[i]], sum1 = values[rowOfPosition_[i + 1]];
        long double sum2 = values[rowOfPosition_[i + 2]], sum3 = values[rowOfPosition_[i + 3]];
        for (int k = 0; k < i; ++k) {
            sum0 -= first[k] * x[k];
            sum1 -= second[k] * x[k];
            sum2 -= third[k] * x[k];
            sum3 -= fourth[k] * x[k];
        }
        x[i] = sum0;
        sum1 -= second[i] * x[i];
        x[i + 1] = sum1;
        sum2 -= third[i] * x[i];
        sum2 -= third[i + 1] * x[i + 1];
        x[i + 2] = sum2;
        sum3 -= fourth[i] * x[i];
        sum3 -= fourth[i + 1] * x[i + 1];
        sum3 -= fourth[i + 2] * x[i + 2];
        x[i + 3] = sum3;
    }
    for (; i < size_; ++i) {
        long double sum = values[rowOfPosition_[i]];
        for (int k = 0; k < i; ++k) sum -= Factor(i, k) * x[k];
        x[i] = sum;
    }
}

void PivotedSolver::Substitute(std::span<const long double> values,
                               std::span<long double> x) const {
    ForwardSubstitute(values, x);
    for (int i = size_ - 1; i >= 0; --i) {
        long double sum = x[i];
        for (int k = i + 1; k < size_; ++k) sum -= Factor(i, k) * x[k];
        x[i] = sum / Factor(i, i);
    }
}

void PivotedSolver::FormResidual(std::span<const long double> x,
                                 std::span<long double> residual) const {
    int row = 0;
    // Four rows side by side, so that their sums overlap; each row still sums in column order.
    for (; row + 3 < size_; row += 4) {
        const double* first = &system_[static_cast<std::size_t>(row) * capacity_];
        const double* second = first + capacity_;
        const double* third = second + capacity_;
        const double* fourth = third + capacity_;
        long double sum0 = rightHandSide_[row], sum1 = rightHandSide_[row + 1];
        long double sum2 = rightHandSide_[row + 2], sum3 = rightHandSide_[row + 3];
        for (int k = 0; k < size_; ++k) {
            sum0 -= first[k] * x[k];
            sum1 -= second[k] * x[k];
            sum2 -= third[k] * x[k];
            sum3 -= fourth[k] * x[k];
        }
        residual[row] = sum0;
        residual[row + 1] = sum1;
        residual[row + 2] = sum2;
        residual[row + 3] = sum3;
    }
    for (; row < size_; ++row) {
        const double* coefficients = &system_[static_cast<std::size_t>(row) * capacity_];
        long double sum = rightHandSide_[row];
        for (int k = 0; k < size_; ++k) sum -= coefficients[k] * x[k];
        residual[row] = sum;
    }
}

void PivotedSolver::Solve(std::span<double> solution) {
    std::vector<long double> x(size_), work(size_), correction(size_);
    for (int i = 0; i < size_; ++i) work[i] = rightHandSide_[i];
    Substitute(work, x);
    for (int round = 0; round < MaxCorrections; ++round) {
        FormResidual(x, work);
        Substitute(work, correction);
        bool changed = false;
        for (int i = 0; i < size_; ++i) {
            const long double corrected = x[i] + correction[i];
            changed = changed || Stored(corrected) != Stored(x[i]);
            x[i] = corrected;
        }
        if (!changed) break;
    }
    for (int i = 0; i < size_; ++i) solution[i] = Stored(x[i]);
}

}  // namespace qnetica
