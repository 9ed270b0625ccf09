#pragma once

#include <array>

#include "engine/CalculationContext.h"
#include "engine/CalculationObserver.h"
#include "engine/PivotedSolver.h"
#include "engine/WorkMatrix.h"

namespace qnetica {

// The unknowns x[0..n-1] of the traffic equations, x[k] the arrival rate of QS k. They persist
// through the steps of a run: a system without a unique solution leaves them as they were.
using TrafficUnknowns = std::array<double, MaxNodeCount>;

// Solves, for every column j = 0..n-1, sum over i of x[i] * A[i][j] = b[j] (the flow into
// each QS is what all nodes send to it; the flows leaving the network add up to the input
// rate). Advances the progress gauge n times, to (Step - 1) * n + i before the i-th unknown.
// A system without a unique solution shows "Определитель системы равен 0." once per command.
// A QS that no request entering the network can reach gets an arrival rate of exactly +0.
// False when the system had no unique solution.
bool SolveTrafficEquations(const WorkMatrix& matrix, int nodeCount, const RowSums& rowSums,
                           CalculationContext& context, CalculationObserver& observer,
                           PivotedSolver& solver, TrafficUnknowns& unknowns);

// The same without progress and without a message: false, the unknowns unchanged, when the
// system has no unique solution.
bool SolveTrafficEquationsQuietly(const WorkMatrix& matrix, int nodeCount, const RowSums& rowSums,
                                  PivotedSolver& solver, TrafficUnknowns& unknowns);

}  // namespace qnetica
