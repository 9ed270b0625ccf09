#include "sim/FigureEstimates.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "sim/Mser.h"
#include "sim/StudentT.h"

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

struct Units {
    std::vector<long double> Numerators;
    std::vector<long double> Denominators;
    bool EveryReplicationObserved = true;
};

Units SubBatches(const FigureSpec& spec, const std::vector<const BatchSeries*>& series,
                 std::size_t cut) {
    const std::size_t kept = series.front()->Count() - cut;
    const auto perReplication = std::clamp<std::size_t>(
        static_cast<std::size_t>(std::sqrt(static_cast<double>(kept))), 1, kept);
    Units units;
    for (const BatchSeries* s : series) {
        long double observed = 0;
        for (std::size_t j = 0; j < perReplication; ++j) {
            const std::size_t from = cut + j * kept / perReplication;
            const std::size_t to = cut + (j + 1) * kept / perReplication;
            units.Numerators.push_back(s->At(to, spec.Numerator) - s->At(from, spec.Numerator));
            units.Denominators.push_back(s->At(to, spec.Denominator) -
                                         s->At(from, spec.Denominator));
            observed += units.Denominators.back();
        }
        if (!(observed > 0)) units.EveryReplicationObserved = false;
    }
    return units;
}

Estimate EstimateFigure(const FigureSpec& spec, const std::vector<const BatchSeries*>& series,
                        StudentQuantiles& t) {
    const std::size_t end = series.front()->Count();
    const std::size_t cut = WarmUpBatches(spec, series);
    Estimate estimate;
    estimate.Samples = static_cast<std::int64_t>(PooledTotal(series, spec.Count, cut, end));
    const Units units = SubBatches(spec, series, cut);
    long double numerator = 0;
    long double denominator = 0;
    for (std::size_t u = 0; u < units.Numerators.size(); ++u) {
        numerator += units.Numerators[u];
        denominator += units.Denominators[u];
    }
    estimate.HalfWidth = Infinite;
    if (!(denominator > 0)) return estimate;
    const long double ratio = numerator / denominator;
    estimate.Mean = static_cast<double>(spec.Factor * ratio);
    // Some replication has nothing to say yet: the pooled ratio, of unknown precision.
    if (!units.EveryReplicationObserved) return estimate;
    long double squares = 0;
    for (std::size_t u = 0; u < units.Numerators.size(); ++u) {
        const long double residual = units.Numerators[u] - ratio * units.Denominators[u];
        squares += residual * residual;
    }
    const std::size_t k = units.Numerators.size();
    const long double error = std::sqrt(squares / (k * (k - 1.0L))) / (denominator / k);
    estimate.HalfWidth =
        static_cast<double>(t.ForFreedom(static_cast<int>(k - 1)) * spec.Factor * error);
    return estimate;
}

}  // namespace

double StudentQuantiles::ForFreedom(int freedom) {
    const auto known = known_.find(freedom);
    if (known != known_.end()) return known->second;
    return known_[freedom] = StudentQuantile(probability_, freedom);
}

std::vector<Estimate> EstimateFigures(const FigureSet& figures,
                                      const std::vector<const BatchSeries*>& series,
                                      StudentQuantiles& t) {
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
