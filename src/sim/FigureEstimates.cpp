#include "sim/FigureEstimates.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "sim/EdgeTotals.h"
#include "sim/Mser.h"
#include "sim/StudentT.h"

namespace qnetica::sim {
namespace {

constexpr double Infinite = std::numeric_limits<double>::infinity();

using Replications = std::vector<EdgeTotals>;

// The groups of five batches to cut, by MSER-5 on the series pooled over the replications.
std::size_t WarmUpGroups(const FigureSpec& spec, const EdgeTotals& pooled) {
    std::vector<double> means(pooled.Groups());
    for (std::size_t g = 0; g < means.size(); ++g) {
        const double den = pooled.Between(g, g + 1, spec.Denominator);
        means[g] = den > 0 ? pooled.Between(g, g + 1, spec.Numerator) / den
                           : std::numeric_limits<double>::quiet_NaN();
    }
    return MserTruncation(means);
}

struct Units {
    std::vector<long double> Numerators;
    std::vector<long double> Denominators;
    bool EveryReplicationObserved = true;
};

// What each replication kept after the cut, in b sub-batches of whole groups, b the square
// root of the batches kept.
Units SubBatches(const FigureSpec& spec, const Replications& replications, std::size_t cut) {
    const EdgeTotals& first = replications.front();
    const std::size_t spans = first.Edges() - 1 - cut;  // groups kept, the last maybe short
    const auto kept = static_cast<double>(first.Batches() - first.BatchesBefore(cut));
    const auto perReplication =
        std::clamp<std::size_t>(static_cast<std::size_t>(std::sqrt(kept)), 1, spans);
    Units units;
    for (const EdgeTotals& r : replications) {
        long double observed = 0;
        for (std::size_t j = 0; j < perReplication; ++j) {
            const std::size_t from = cut + j * spans / perReplication;
            const std::size_t to = cut + (j + 1) * spans / perReplication;
            units.Numerators.push_back(r.Between(from, to, spec.Numerator));
            units.Denominators.push_back(r.Between(from, to, spec.Denominator));
            observed += units.Denominators.back();
        }
        if (!(observed > 0)) units.EveryReplicationObserved = false;
    }
    return units;
}

Estimate EstimateFigure(const FigureSpec& spec, const Replications& replications,
                        const EdgeTotals& pooled, StudentQuantiles& t) {
    const std::size_t cut = WarmUpGroups(spec, pooled);
    Estimate estimate;
    estimate.Samples =
        static_cast<std::int64_t>(pooled.Between(cut, pooled.Edges() - 1, spec.Count));
    const Units units = SubBatches(spec, replications, cut);
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
    if (series.empty() || series.front()->Count() == 0) {
        estimates.assign(figures.Specs().size(), {0, Infinite, 0});
        return estimates;
    }
    std::size_t width = 0;
    for (const FigureSpec& spec : figures.Specs())
        width = std::max({width, spec.Numerator + 1, spec.Denominator + 1, spec.Count + 1});
    Replications replications;
    for (const BatchSeries* s : series) replications.emplace_back(*s, width);
    EdgeTotals pooled = replications.front();
    for (std::size_t r = 1; r < replications.size(); ++r) pooled.Add(replications[r]);
    estimates.reserve(figures.Specs().size());
    for (const FigureSpec& spec : figures.Specs())
        estimates.push_back(EstimateFigure(spec, replications, pooled, t));
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
