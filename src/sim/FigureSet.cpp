#include "sim/FigureSet.h"

#include "sim/CounterLayout.h"
#include "sim/NetworkFlows.h"

namespace qnetica::sim {

FigureSet::FigureSet(const SimulationNetwork& network) : qs_(network.NodeCount()) {
    const CounterLayout layout(network);
    const std::vector<bool> reached = ReachedNodes(network);
    for (int k = 1; k < network.NodeCount(); ++k)
        if (reached[k]) AddQs(network, k, layout.ClassBase(k));
    using namespace counter;
    inNetwork_ = Add({PopulationArea, Time, Entries});
    networkSojourn_ = Add({ExitTimeSum, Exits, Exits});
    networkLoss_ = Add({NetworkLost, Exits, Exits, 1, ScaleRule::LargerOfComplement});
}

std::size_t FigureSet::Add(const FigureDefinition& definition) {
    definitions_.push_back(definition);
    return definitions_.size() - 1;
}

void FigureSet::AddQs(const SimulationNetwork& network, int k, std::size_t classBase) {
    using namespace counter;
    const SimulationQs& qs = network.Qs[k - 1];
    const std::size_t base = CounterLayout::QsBase(k);
    QsFigureIndex& index = qs_[k];
    index.ArrivalRate = Add({base + Arrivals, Time, base + Arrivals});
    index.LoadFactor = Add({base + BusyArea, Time, base + Arrivals, 1.0 / qs.Channels});
    index.InSystem = Add({base + InSystemArea, Time, base + Arrivals});
    index.QueueLength = Add(
        {base + WaitingArea, Time, base + Arrivals, 1, ScaleRule::Companion, 0, index.InSystem});
    const FigureDefinition wait{
        base + WaitSum, base + Starts, base + Starts, 1, ScaleRule::MeanPlusService,
        qs.ServiceTime};
    index.WaitTime = Add(wait);
    index.SojournTime = Add({base + SojournSum, base + Departures, base + Departures});
    if (qs.Kind == QsKind::Bounded)
        index.LossProbability =
            Add({base + Lost, base + Arrivals, base + Arrivals, 1, ScaleRule::LargerOfComplement});
    if (qs.Kind != QsKind::Priority) return;
    for (std::size_t c = 0; c < qs.ClassShares.size(); ++c) {
        const std::size_t at = classBase + ClassCount * c;
        index.ClassWaitTimes.push_back(Add({at + ClassWaitSum, at + ClassStarts, at + ClassStarts,
                                            1, ScaleRule::MeanPlusService, qs.ServiceTime}));
    }
}

}  // namespace qnetica::sim
