#include "sim/FigureEstimates.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "sim/Mser.h"

namespace qnetica::sim {
namespace {

constexpr std::size_t GroupSize = 5;
constexpr double Infinite = std::numeric_limits<double>::infinity();

// Totals of one counter between two boundaries, summed over the replications.
long double PooledTotal(const std::vector<const BatchSeries*>& series, std::size_t counter,
                        std::size_t from, std::size_t to) {
    long double total = 0;
    for (const BatchSeries* s : series) total += s->At(to, counter) - s->At(from, counter);
    return total;
}

std::size_t WarmUpBatches(const FigureSpec& spec, const std::vector<const BatchSeries*>& series) {
    const std::size_t groups = series.front()->Count() / GroupSize;
    std::vector<double> means(groups);
    for (std::size_t g = 0; g < groups; ++g) {
        const std::size_t from = g * GroupSize;
        const std::size_t to = from + GroupSize;
        const long double den = PooledTotal(series, spec.Denominator, from, to);
        means[g] = den > 0
                       ? static_cast<double>(PooledTotal(series, spec.Numerator, from, to) / den)
                       : std::numeric_limits<double>::quiet_NaN();
    }
    return MserTruncation(means) * GroupSize;
}

Estimate EstimateFigure(const FigureSpec& spec, const std::vector<const BatchSeries*>& series,
                        double t) {
    const std::size_t end = series.front()->Count();
    const std::size_t cut = WarmUpBatches(spec, series);
    Estimate estimate;
    estimate.Samples = static_cast<std::int64_t>(PooledTotal(series, spec.Count, cut, end));
    std::vector<long double> means;
    for (const BatchSeries* s : series) {
        const long double den = s->At(end, spec.Denominator) - s->At(cut, spec.Denominator);
        if (!(den > 0)) break;
        means.push_back(spec.Factor * (s->At(end, spec.Numerator) - s->At(cut, spec.Numerator)) /
                        den);
    }
    if (means.size() < series.size()) {
        // Some replication has nothing to say yet: the pooled ratio, of unknown precision.
        const long double den = PooledTotal(series, spec.Denominator, cut, end);
        if (den > 0)
            estimate.Mean = static_cast<double>(
                spec.Factor * PooledTotal(series, spec.Numerator, cut, end) / den);
        estimate.HalfWidth = Infinite;
        return estimate;
    }
    long double sum = 0;
    for (long double m : means) sum += m;
    const long double mean = sum / means.size();
    long double squares = 0;
    for (long double m : means) squares += (m - mean) * (m - mean);
    const long double variance = squares / (means.size() - 1);
    estimate.Mean = static_cast<double>(mean);
    estimate.HalfWidth = static_cast<double>(t * std::sqrt(variance / means.size()));
    return estimate;
}

}  // namespace

std::vector<Estimate> EstimateFigures(const FigureSet& figures,
                                      const std::vector<const BatchSeries*>& series, double t) {
    std::vector<Estimate> estimates;
    estimates.reserve(figures.Specs().size());
    for (const FigureSpec& spec : figures.Specs()) {
        if (series.empty() || series.front()->Count() == 0)
            estimates.push_back({0, Infinite, 0});
        else
            estimates.push_back(EstimateFigure(spec, series, t));
    }
    return estimates;
}

double RelativeHalfWidth(const FigureSet& figures, const std::vector<Estimate>& estimates,
                         std::size_t figure) {
    const FigureSpec& spec = figures.Specs()[figure];
    const Estimate& estimate = estimates[figure];
    if (estimate.HalfWidth == 0) return 0;
    double scale = std::fabs(estimate.Mean);
    switch (spec.Scale) {
        case ScaleRule::Mean:
            break;
        case ScaleRule::MeanPlusService:
            scale = std::fabs(estimate.Mean + spec.ServiceTime);
            break;
        case ScaleRule::Companion:
            scale = std::fabs(estimates[spec.Companion].Mean);
            break;
        case ScaleRule::LargerOfComplement:
            scale = std::max(estimate.Mean, 1 - estimate.Mean);
            break;
    }
    return scale > 0 ? estimate.HalfWidth / scale : Infinite;
}

}  // namespace qnetica::sim
