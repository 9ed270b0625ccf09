#pragma once

#include <cstddef>
#include <vector>

#include "sim/BatchSeries.h"
#include "sim/EdgeTotals.h"
#include "sim/FigureSet.h"
#include "sim/SimulationResult.h"
#include "sim/StudentT.h"

namespace qnetica::sim {

// The estimates of the figures from the replications' batch series, which all have the same
// boundaries; formed after each round. For each figure:
// - Warm-up: MSER-5 on the series pooled over the replications (the ratio of the summed totals
//   of each group of five batches) gives the groups to cut from every replication.
// - What stays of each replication is split into b consecutive sub-batches of whole groups, b
//   the square root of the batches kept, so that the units of the interval grow in number as
//   the run grows while each grows in length: the variance estimate settles, and stopping at
//   a precision does not favour runs whose spread happened to look small.
// - The mean is the ratio of the totals kept; its interval is that of a ratio estimator over
//   the k = R b units: t(k - 1) * sqrt(sum of (N_u - mean D_u)^2 / (k (k - 1))) / mean D_u.
// Gather may run for different replications at once, then Pool once, then Estimate for
// different figures at once.
class FigureEstimator {
  public:
    FigureEstimator(const FigureSet& figures, std::size_t replications, double confidence);

    void Gather(std::size_t replication, const BatchSeries& series);
    void Pool();
    Estimate EstimateFigure(std::size_t figure) const;

  private:
    struct Units;
    std::size_t WarmUpGroups(const FigureDefinition& definition) const;
    Units SubBatches(const FigureDefinition& definition, std::size_t cut) const;

    const FigureSet& figures_;
    std::size_t width_ = 0;  // the counters that the figures read
    std::vector<EdgeTotals> replications_;
    EdgeTotals pooled_;
    StudentQuantiles quantiles_;
    std::vector<double> quantileOfUnits_;  // index b: t for R b - 1 degrees of freedom
};

// The half-width against the figure's scale; 0 for an exact 0, infinite when it has no scale.
double RelativeHalfWidth(const FigureSet& figures, const std::vector<Estimate>& estimates,
                         std::size_t figure);

}  // namespace qnetica::sim
