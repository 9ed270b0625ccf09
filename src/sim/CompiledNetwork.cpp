#include "sim/CompiledNetwork.h"

#include <limits>

#include "sim/NetworkFlows.h"

namespace qnetica::sim {
namespace {

AliasTable RouteOf(const std::vector<double>& row) {
    std::vector<WeightedOutcome> outcomes;
    for (std::size_t j = 0; j < row.size(); ++j)
        outcomes.push_back({static_cast<std::int32_t>(j), row[j]});
    return AliasTable(outcomes);
}

AliasTable ClassDrawOf(const std::vector<double>& shares) {
    std::vector<WeightedOutcome> outcomes;
    for (std::size_t c = 0; c < shares.size(); ++c)
        outcomes.push_back({static_cast<std::int32_t>(c), shares[c]});
    return AliasTable(outcomes);
}

CompiledQs CompileQs(const SimulationQs& qs) {
    CompiledQs compiled;
    compiled.ServiceTime = qs.ServiceTime;
    compiled.ServiceRate = 1.0 / qs.ServiceTime;
    compiled.Channels = qs.Channels;
    compiled.Capacity =
        qs.Kind == QsKind::Bounded ? qs.Places : std::numeric_limits<std::int32_t>::max();
    compiled.Priority = qs.Kind == QsKind::Priority;
    if (compiled.Priority) compiled.Classes = static_cast<std::int32_t>(qs.ClassShares.size());
    return compiled;
}

}  // namespace

// Only what requests reach is compiled: the rows and parameters of the other nodes are never
// read and need not be valid.
CompiledNetwork::CompiledNetwork(const SimulationNetwork& network)
    : qs_(network.NodeCount()),
      routes_(network.NodeCount()),
      classDraws_(network.NodeCount()),
      layout_(network),
      reached_(ReachedNodes(network)),
      inputRate_(network.InputRate) {
    for (int node = 0; node < network.NodeCount(); ++node) {
        if (!reached_[node]) continue;
        routes_[node] = RouteOf(network.Transfer[node]);
        if (node == 0) continue;
        const SimulationQs& qs = network.Qs[node - 1];
        qs_[node] = CompileQs(qs);
        if (qs_[node].Priority) classDraws_[node] = ClassDrawOf(qs.ClassShares);
    }
}

}  // namespace qnetica::sim
