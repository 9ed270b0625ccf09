#pragma once

#include <array>
#include <limits>
#include <vector>

#include "engine/EngineTypes.h"
#include "engine/PivotedSolver.h"
#include "engine/TrafficEquations.h"
#include "engine/WorkMatrix.h"
#include "model/NetworkModel.h"

namespace qnetica {

inline constexpr int MaxLossIterations = 1000;
// The iteration has settled when no loss probability moves by more than this share of the
// larger of itself and its complement: the lost and the served share are then both as stable.
inline constexpr long double LossTolerance = 1e-13L;

// The flows of a network whose bounded QS pass on only the requests they serve: row k of a
// bounded QS k sends (1 - P_k) p(k, j) to node j, and its lost share P_k leaves the network,
// so that the flows leaving still add up to the input rate. P_k depends on the QS's own flow,
// so the traffic equations are solved again with the loss probabilities of the last flows
// until these settle.
class FlowsAfterLosses {
  public:
    explicit FlowsAfterLosses(int maxIterations = MaxLossIterations)
        : maxIterations_(maxIterations) {}

    // Starts from the flows without losses in `unknowns`, already solved from `matrix`; leaves
    // the flows after losses there, those of the last iteration when they did not settle. A
    // bounded QS whose parameters or flow its formulas refuse ends the iteration as settled:
    // the QS's own stage reports it.
    LossIteration Solve(const NetworkModel& model, const WorkMatrix& matrix, const RowSums& rowSums,
                        PivotedSolver& solver, TrafficUnknowns& unknowns);

  private:
    using Losses = std::array<double, MaxNodeCount>;

    bool FindBoundedQs(const NetworkModel& model);
    bool FindLosses(const NetworkModel& model, const TrafficUnknowns& unknowns,
                    Losses& losses) const;
    long double Gap(const Losses& used, const Losses& found) const;
    Losses NextLosses(const Losses& used, const Losses& found, long double gap);
    long double SecantWeight(const Losses& used, const Losses& found) const;
    void SetLossRows(const NetworkModel& model, const WorkMatrix& matrix, const Losses& losses);

    int maxIterations_;
    std::vector<int> bounded_;  // the bounded QS of the network
    WorkMatrix changed_;        // the traffic equations with the losses of the last iteration
    // The iteration before, for the secant step.
    Losses lastUsed_{}, lastFound_{};
    bool haveLast_ = false;
    long double lastGap_ = std::numeric_limits<long double>::infinity();
    double step_ = 1;
};

}  // namespace qnetica
