#include "sim/FigureEstimator.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "sim/Mser.h"

namespace qnetica::sim {
namespace {

constexpr double Infinite = std::numeric_limits<double>::infinity();

std::size_t UnitsPerReplication(std::size_t keptBatches, std::size_t keptSpans) {
    const auto root = static_cast<std::size_t>(std::sqrt(static_cast<double>(keptBatches)));
    return std::clamp<std::size_t>(root, 1, std::max<std::size_t>(keptSpans, 1));
}

}  // namespace

struct FigureEstimator::Units {
    std::vector<long double> Numerators;
    std::vector<long double> Denominators;
    bool EveryReplicationObserved = true;
};

FigureEstimator::FigureEstimator(const FigureSet& figures, std::size_t replications,
                                 double confidence)
    : figures_(figures), replications_(replications), quantiles_(confidence) {
    for (const FigureDefinition& definition : figures.Definitions())
        width_ = std::max(
            {width_, definition.Numerator + 1, definition.Denominator + 1, definition.Count + 1});
}

void FigureEstimator::Gather(std::size_t replication, const BatchSeries& series) {
    replications_[replication].Refill(series, width_);
}

void FigureEstimator::Pool() {
    pooled_ = replications_.front();
    for (std::size_t r = 1; r < replications_.size(); ++r) pooled_.Add(replications_[r]);
    const std::size_t most = UnitsPerReplication(pooled_.Batches(), pooled_.Edges());
    quantileOfUnits_.assign(most + 1, 0);
    for (std::size_t b = 1; b <= most; ++b)
        quantileOfUnits_[b] = quantiles_.ForFreedom(static_cast<int>(b * replications_.size() - 1));
}

// The groups of five batches to cut, by MSER-5 on the series pooled over the replications.
std::size_t FigureEstimator::WarmUpGroups(const FigureDefinition& definition) const {
    std::vector<double> means(pooled_.Groups());
    for (std::size_t g = 0; g < means.size(); ++g) {
        const double den = pooled_.Between(g, g + 1, definition.Denominator);
        means[g] = den > 0 ? pooled_.Between(g, g + 1, definition.Numerator) / den
                           : std::numeric_limits<double>::quiet_NaN();
    }
    return MserTruncation(means);
}

FigureEstimator::Units FigureEstimator::SubBatches(const FigureDefinition& definition,
                                                   std::size_t cut) const {
    const std::size_t spans = pooled_.Edges() - 1 - cut;  // groups kept, the last maybe short
    const std::size_t perReplication =
        UnitsPerReplication(pooled_.Batches() - pooled_.BatchesBefore(cut), spans);
    Units units;
    for (const EdgeTotals& r : replications_) {
        long double observed = 0;
        for (std::size_t j = 0; j < perReplication; ++j) {
            const std::size_t from = cut + j * spans / perReplication;
            const std::size_t to = cut + (j + 1) * spans / perReplication;
            units.Numerators.push_back(r.Between(from, to, definition.Numerator));
            units.Denominators.push_back(r.Between(from, to, definition.Denominator));
            observed += units.Denominators.back();
        }
        if (!(observed > 0)) units.EveryReplicationObserved = false;
    }
    return units;
}

Estimate FigureEstimator::EstimateFigure(std::size_t figure) const {
    const FigureDefinition& definition = figures_.Definitions()[figure];
    Estimate estimate{0, Infinite, 0};
    if (pooled_.Batches() == 0) return estimate;
    const std::size_t cut = WarmUpGroups(definition);
    estimate.Samples =
        static_cast<std::int64_t>(pooled_.Between(cut, pooled_.Edges() - 1, definition.Count));
    const Units units = SubBatches(definition, cut);
    long double numerator = 0;
    long double denominator = 0;
    for (std::size_t u = 0; u < units.Numerators.size(); ++u) {
        numerator += units.Numerators[u];
        denominator += units.Denominators[u];
    }
    if (!(denominator > 0)) return estimate;
    const long double ratio = numerator / denominator;
    estimate.Mean = static_cast<double>(definition.Factor * ratio);
    // Some replication has nothing to say yet: the pooled ratio, of unknown precision.
    if (!units.EveryReplicationObserved) return estimate;
    long double squares = 0;
    for (std::size_t u = 0; u < units.Numerators.size(); ++u) {
        const long double residual = units.Numerators[u] - ratio * units.Denominators[u];
        squares += residual * residual;
    }
    const std::size_t k = units.Numerators.size();
    const long double error = std::sqrt(squares / (k * (k - 1.0L))) / (denominator / k);
    const double t = quantileOfUnits_[k / replications_.size()];
    estimate.HalfWidth = static_cast<double>(t * definition.Factor * error);
    return estimate;
}

double RelativeHalfWidth(const FigureSet& figures, const std::vector<Estimate>& estimates,
                         std::size_t figure) {
    const FigureDefinition& definition = figures.Definitions()[figure];
    const Estimate& estimate = estimates[figure];
    if (estimate.HalfWidth == 0) return 0;
    double scale = std::fabs(estimate.Mean);
    switch (definition.Scale) {
        case ScaleRule::Mean:
            break;
        case ScaleRule::MeanPlusService:
            scale = std::fabs(estimate.Mean + definition.ServiceTime);
            break;
        case ScaleRule::Companion:
            scale = std::fabs(estimates[definition.Companion].Mean);
            break;
        case ScaleRule::LargerOfComplement:
            scale = std::max(estimate.Mean, 1 - estimate.Mean);
            break;
    }
    return scale > 0 ? estimate.HalfWidth / scale : Infinite;
}

}  // namespace qnetica::sim
