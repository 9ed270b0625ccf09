#include "engine/TrafficStructure.h"

#include <array>
#include <vector>

namespace qnetica {
namespace {

using NodeFlags = std::array<bool, MaxNodeCount>;

// A request can pass from node i to node j. A QS's transfer to itself leads nowhere new; the
// diagonal of its row holds p - 1, and is left out.
bool Linked(const WorkMatrix& matrix, int from, int to) {
    if (from == to && from != 0) return false;
    return matrix.At(from, to) != 0.0;
}

// Node 0 reaches itself again: some request that enters leaves the network.
bool SourceReachesExit(const WorkMatrix& matrix, int n) {
    NodeFlags reached{};
    std::vector<int> pending = {0};
    while (!pending.empty()) {
        const int from = pending.back();
        pending.pop_back();
        for (int to = 0; to < n; ++to) {
            if (reached[to] || !Linked(matrix, from, to)) continue;
            if (to == 0) return true;
            reached[to] = true;
            pending.push_back(to);
        }
    }
    return false;
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

bool TrafficStructureSingular(const WorkMatrix& matrix, int nodeCount, const RowSums& rowSums) {
    return !SourceReachesExit(matrix, nodeCount) || !EveryQsHasWayOut(matrix, nodeCount, rowSums);
}

}  // namespace qnetica
