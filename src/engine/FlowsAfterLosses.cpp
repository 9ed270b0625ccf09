#include "engine/FlowsAfterLosses.h"

#include <algorithm>
#include <cmath>

#include "engine/BoundedQueue.h"
#include "engine/ErlangMath.h"

namespace qnetica {
namespace {

constexpr double SmallestStep = 1.0 / 1024;

bool Computable(const QsParams& qs) {
    return qs.Channels >= 1 && qs.QueuePlaces >= 1;
}

// The loss probability of a bounded QS at the flow lambda, its load formed as its own stage
// forms it; false for a flow or load that the stage refuses.
bool LossAt(const QsParams& qs, double lambda, double& loss) {
    if (!std::isfinite(lambda) || lambda < 0) return false;
    QsLoad load;
    load.ArrivalRate = lambda;
    load.ServiceTime = qs.ServiceTime;
    load.Channels = qs.Channels;
    load.OfferedLoad = Stored(static_cast<long double>(lambda) * qs.ServiceTime);
    if (!std::isfinite(load.OfferedLoad) || load.OfferedLoad < 0) return false;
    load.LoadFactor = Stored(static_cast<long double>(load.OfferedLoad) / load.Channels);
    loss = BoundedQueue(load, qs.QueuePlaces).LossProbability;
    return std::isfinite(loss);
}

// The cell (k, k) as read, before the 1 that the work matrix takes off its diagonal.
double DiagonalAsRead(const NetworkModel& model, int k) {
    const ParsedNumber parsed = model.Matrix().Number(k, k);
    return parsed.IsNumber ? parsed.Value : 0.0;
}

long double Difference(double a, double b) {
    return static_cast<long double>(a) - b;
}

}  // namespace

LossIteration FlowsAfterLosses::Solve(const NetworkModel& model, const WorkMatrix& matrix,
                                      const RowSums& rowSums, PivotedSolver& solver,
                                      TrafficUnknowns& unknowns) {
    if (!FindBoundedQs(model)) return {};
    changed_ = matrix;
    haveLast_ = false;
    lastGap_ = std::numeric_limits<long double>::infinity();
    step_ = 1;
    Losses used{};  // the flows in `unknowns` were solved with these
    Losses found{};
    for (int iteration = 0;; ++iteration) {
        if (!FindLosses(model, unknowns, found)) return {iteration, true};
        const long double gap = Gap(used, found);
        if (gap <= LossTolerance) return {iteration, true};
        if (iteration == maxIterations_) return {iteration, false};
        used = NextLosses(used, found, gap);
        SetLossRows(model, matrix, used);
        if (!SolveTrafficEquationsQuietly(changed_, model.NodeCount(), rowSums, solver, unknowns))
            return {iteration + 1, false};
    }
}

// False when some bounded QS cannot be computed at all: its stage ends the step.
bool FlowsAfterLosses::FindBoundedQs(const NetworkModel& model) {
    bounded_.clear();
    for (int k = 1; k < model.NodeCount(); ++k) {
        const QsParams& qs = model.Qs(k);
        if (!qs.BoundedQueue) continue;
        if (!Computable(qs)) return false;
        bounded_.push_back(k);
    }
    return !bounded_.empty();
}

bool FlowsAfterLosses::FindLosses(const NetworkModel& model, const TrafficUnknowns& unknowns,
                                  Losses& losses) const {
    for (int k : bounded_)
        if (!LossAt(model.Qs(k), unknowns[k], losses[k])) return false;
    return true;
}

long double FlowsAfterLosses::Gap(const Losses& used, const Losses& found) const {
    long double gap = 0;
    for (int k : bounded_) {
        const long double scale = std::max(static_cast<long double>(found[k]), 1.0L - found[k]);
        gap = std::max(gap, std::fabs(Difference(found[k], used[k])) / scale);
    }
    return gap;
}

// The plain step takes the losses that the flows gave. Where a QS's loss feeds back into its
// own flow, that step swings from side to side; the secant step through this iteration and the
// last (mixing of depth one) settles such a swing in a few iterations. After an iteration that
// brought the losses no closer, the history is dropped and the plain step shortened by half.
FlowsAfterLosses::Losses FlowsAfterLosses::NextLosses(const Losses& used, const Losses& found,
                                                      long double gap) {
    if (gap >= lastGap_) {
        step_ = std::max(step_ / 2, SmallestStep);
        haveLast_ = false;
    }
    const long double weight = haveLast_ ? SecantWeight(used, found) : 0.0L;
    Losses next = used;
    for (int k : bounded_) {
        const long double residual = Difference(found[k], used[k]);
        const long double moved = Difference(used[k], lastUsed_[k]);
        const long double turned = residual - Difference(lastFound_[k], lastUsed_[k]);
        const long double value = used[k] + step_ * residual - weight * (moved + step_ * turned);
        next[k] = Stored(std::clamp(value, 0.0L, 1.0L));
    }
    lastUsed_ = used;
    lastFound_ = found;
    lastGap_ = gap;
    haveLast_ = true;
    return next;
}

// The weight that makes the residual of the combined step smallest along the last change.
long double FlowsAfterLosses::SecantWeight(const Losses& used, const Losses& found) const {
    long double product = 0, square = 0;
    for (int k : bounded_) {
        const long double residual = Difference(found[k], used[k]);
        const long double turned = residual - Difference(lastFound_[k], lastUsed_[k]);
        product += turned * residual;
        square += turned * turned;
    }
    return square > 0 ? product / square : 0.0L;
}

// Row k of a bounded QS: what it serves goes on as before, what it loses leaves the network.
// With no loss the row is the one read, bit for bit.
void FlowsAfterLosses::SetLossRows(const NetworkModel& model, const WorkMatrix& matrix,
                                   const Losses& losses) {
    const int n = model.NodeCount();
    for (int k : bounded_) {
        const long double loss = losses[k];
        const long double served = 1.0L - loss;
        for (int j = 0; j < n; ++j) {
            const double read = j == k ? DiagonalAsRead(model, k) : matrix.At(k, j);
            long double value = served * read;
            if (j == 0) value += loss;
            if (j == k) value -= 1.0L;
            changed_.At(k, j) = Stored(value);
        }
    }
}

}  // namespace qnetica
