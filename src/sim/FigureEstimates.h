#pragma once

#include <vector>

#include "sim/BatchSeries.h"
#include "sim/FigureSet.h"
#include "sim/SimulationResult.h"

namespace qnetica::sim {

// The estimates of every figure from the replications' batch series, which all have the same
// boundaries. For each figure the warm-up is found by MSER-5 on the series pooled over the
// replications (the ratio of the summed totals of each group of five batches) and cut from
// every replication; each replication then gives the ratio of its remaining totals, and the
// interval is Student's: mean +- t * s / sqrt(R). `t` is the quantile for R - 1 degrees.
std::vector<Estimate> EstimateFigures(const FigureSet& figures,
                                      const std::vector<const BatchSeries*>& series, double t);

// The half-width against the figure's scale; 0 for an exact 0, infinite when it has no scale.
double RelativeHalfWidth(const FigureSet& figures, const std::vector<Estimate>& estimates,
                         std::size_t figure);

}  // namespace qnetica::sim
