#include "engine/TrafficEquations.h"

#include <span>

#include "engine/EngineMessages.h"
#include "engine/TrafficStructure.h"

namespace qnetica {
namespace {

// Equation j is column j of the work matrix: the system is the matrix transposed.
void LoadColumnSystem(const WorkMatrix& matrix, int n, PivotedSolver& solver) {
    solver.Reset(n);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) solver.Coefficient(j, i) = matrix.At(i, j);
        solver.RightHandSide(j) = matrix.At(n, j);
    }
}

void WarnOnce(CalculationContext& context, CalculationObserver& observer) {
    if (context.DeterminantWarned) return;
    context.DeterminantWarned = true;
    observer.ShowMessage(MessageKind::Error, ZeroDeterminantMessage);
}

void StoreSolution(PivotedSolver& solver, int n, const TrafficStructure& structure,
                   TrafficUnknowns& unknowns) {
    solver.Solve(std::span<double>(unknowns.data(), n));
    // The elimination leaves rounding noise of either sign where a rate is exactly 0.
    for (int k = 1; k < n; ++k)
        if (!structure.Reached[k]) unknowns[k] = 0.0;
}

}  // namespace

bool SolveTrafficEquations(const WorkMatrix& matrix, int nodeCount, const RowSums& rowSums,
                           CalculationContext& context, CalculationObserver& observer,
                           PivotedSolver& solver, TrafficUnknowns& unknowns) {
    const int n = nodeCount;
    const TrafficStructure structure = ExamineTrafficStructure(matrix, n, rowSums);
    bool solvable = !structure.Singular;
    if (solvable) LoadColumnSystem(matrix, n, solver);
    for (int i = 1; i <= n; ++i) {
        observer.SetProgress((context.Step - 1) * n + i);
        if (solvable) solvable = solver.EliminateColumn(i - 1);
        if (!solvable) WarnOnce(context, observer);
    }
    if (solvable) StoreSolution(solver, n, structure, unknowns);
    return solvable;
}

bool SolveTrafficEquationsQuietly(const WorkMatrix& matrix, int nodeCount, const RowSums& rowSums,
                                  PivotedSolver& solver, TrafficUnknowns& unknowns) {
    const int n = nodeCount;
    const TrafficStructure structure = ExamineTrafficStructure(matrix, n, rowSums);
    if (structure.Singular) return false;
    LoadColumnSystem(matrix, n, solver);
    for (int i = 0; i < n; ++i)
        if (!solver.EliminateColumn(i)) return false;
    StoreSolution(solver, n, structure, unknowns);
    return true;
}

}  // namespace qnetica
