#pragma once

#include <map>
#include <vector>

#include "sim/BatchSeries.h"
#include "sim/FigureSet.h"
#include "sim/SimulationResult.h"

namespace qnetica::sim {

// Student's quantiles of one confidence level, each degree of freedom computed once.
class StudentQuantiles {
  public:
    explicit StudentQuantiles(double confidence) : probability_((1 + confidence) / 2) {}
    double ForFreedom(int freedom);

  private:
    double probability_;
    std::map<int, double> known_;
};

// The estimates of every figure from the replications' batch series, which all have the same
// boundaries.
// - Warm-up: MSER-5 on the series pooled over the replications (the ratio of the summed totals
//   of each group of five batches) gives the batches to cut from every replication.
// - What stays of each replication is split into b consecutive sub-batches, b the square root
//   of the batches kept, so that the units of the interval grow in number with the run while
//   each grows in length: the variance estimate then settles as the run goes on, and stopping
//   at a precision does not favour runs whose spread happened to look small.
// - The mean is the ratio of the totals kept; its interval is that of a ratio estimator over
//   the k = R b units: t(k - 1) * sqrt(sum of (N_u - mean D_u)^2 / (k (k - 1))) / mean D_u.
std::vector<Estimate> EstimateFigures(const FigureSet& figures,
                                      const std::vector<const BatchSeries*>& series,
                                      StudentQuantiles& t);

// The half-width against the figure's scale; 0 for an exact 0, infinite when it has no scale.
double RelativeHalfWidth(const FigureSet& figures, const std::vector<Estimate>& estimates,
                         std::size_t figure);

}  // namespace qnetica::sim
