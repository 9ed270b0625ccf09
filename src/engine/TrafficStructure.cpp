#include "engine/TrafficStructure.h"

#include <vector>

namespace qnetica {
namespace {

// A request can pass from node i to node j. A QS's transfer to itself leads nowhere new; the
// diagonal of its row holds p - 1, and is left out. A negative transfer is a link as well: it
// carries a flow, if one of the wrong sign.
bool Linked(const WorkMatrix& matrix, int from, int to) {
    if (from == to && from != 0) return false;
    return matrix.At(from, to) != 0.0;
}

// The nodes reached from node 0; node 0 itself when some request that enters leaves again.
NodeFlags ReachedFromSource(const WorkMatrix& matrix, int n) {
    NodeFlags reached{};
    std::vector<int> pending = {0};
    while (!pending.empty()) {
        const int from = pending.back();
        pending.pop_back();
        for (int to = 0; to < n; ++to) {
            if (reached[to] || !Linked(matrix, from, to)) continue;
            reached[to] = true;
            if (to != 0) pending.push_back(to);
        }
    }
    return reached;
}

// Every QS reaches node 0 or a QS whose row does not sum to 1.
bool EveryQsHasWayOut(const WorkMatrix& matrix, int n, const RowSums& rowSums) {
    NodeFlags wayOut{};
    wayOut[0] = true;
    std::vector<int> pending = {0};
    for (int k = 1; k < n; ++k) {
        if (RowSumIsOne(rowSums[k])) continue;
        wayOut[k] = true;
        pending.push_back(k);
    }
    while (!pending.empty()) {
        const int to = pending.back();
        pending.pop_back();
        for (int from = 1; from < n; ++from) {
            if (wayOut[from] || !Linked(matrix, from, to)) continue;
            wayOut[from] = true;
            pending.push_back(from);
        }
    }
    for (int k = 1; k < n; ++k)
        if (!wayOut[k]) return false;
    return true;
}

}  // namespace

TrafficStructure ExamineTrafficStructure(const WorkMatrix& matrix, int nodeCount,
                                         const RowSums& rowSums) {
    TrafficStructure structure;
    structure.Reached = ReachedFromSource(matrix, nodeCount);
    const bool sourceReachesExit = structure.Reached[0];
    structure.Singular = !sourceReachesExit || !EveryQsHasWayOut(matrix, nodeCount, rowSums);
    return structure;
}

}  // namespace qnetica
