#pragma once

#include <span>
#include <vector>

namespace qnetica {

// Solves a square linear system whose coefficients are doubles: elimination with partial
// pivoting, one column at a time so that the caller can report progress, then correction of
// the solution by residuals formed in extended precision until its doubles no longer change.
// The solution is thus as exact as the doubles that hold it, however the rows are ordered.
class PivotedSolver {
  public:
    explicit PivotedSolver(int capacity);

    // Starts a system of `size` unknowns; then fill it through Coefficient and RightHandSide.
    void Reset(int size);
    double& Coefficient(int row, int column) { return system_[row * capacity_ + column]; }
    double& RightHandSide(int row) { return rightHandSide_[row]; }

    // Eliminates the unknown of `column`; columns go 0, 1, ..., size-1. False when no row left
    // has a non-zero coefficient there: the system has no unique solution.
    bool EliminateColumn(int column);

    // After every column was eliminated: the solution, rounded to doubles.
    void Solve(std::span<double> solution);

  private:
    double& Factor(int row, int column) { return factors_[row * capacity_ + column]; }
    double Factor(int row, int column) const { return factors_[row * capacity_ + column]; }
    // x such that the factorised system maps x to `values`, in extended precision.
    void Substitute(std::span<const long double> values, std::span<long double> x) const;
    // Its first half: x such that L x = `values` in the order of the pivot rows.
    void ForwardSubstitute(std::span<const long double> values, std::span<long double> x) const;
    void FormResidual(std::span<const long double> x, std::span<long double> residual) const;

    int capacity_;
    int size_ = 0;
    std::vector<double> system_;  // the coefficients as given, for the residuals
    std::vector<double> rightHandSide_;
    std::vector<double> factors_;     // L below the diagonal (unit diagonal), U on and above
    std::vector<int> rowOfPosition_;  // the system row that the elimination put at position i
};

}  // namespace qnetica
