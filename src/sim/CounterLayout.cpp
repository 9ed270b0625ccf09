#include "sim/CounterLayout.h"

namespace qnetica::sim {

CounterLayout::CounterLayout(const SimulationNetwork& network)
    : classBase_(network.NodeCount(), 0) {
    width_ = QsBase(network.NodeCount());
    for (int k = 1; k < network.NodeCount(); ++k) {
        const SimulationQs& qs = network.Qs[k - 1];
        if (qs.Kind != QsKind::Priority) continue;
        classBase_[k] = width_;
        width_ += counter::ClassCount * qs.ClassShares.size();
    }
}

}  // namespace qnetica::sim
