#pragma once

#include <array>

#include "engine/WorkMatrix.h"

namespace qnetica {

using NodeFlags = std::array<bool, MaxNodeCount>;

// What the links of the network (the non-zero transfers in the work matrix) say about the
// traffic equations of its n nodes, independent of rounding.
struct TrafficStructure {
    // The equations lack a unique solution:
    // - no request that enters can ever leave (node 0 does not reach node 0 through non-zero
    //   transfers; this includes a column 0 that is all zero);
    // - some QS has no way out: it reaches neither node 0 nor a QS whose row sum the check did
    //   not accept as 1 (such a row loses or adds requests, which breaks any closed loop). A
    //   closed loop that requests reach and one that nothing reaches both leave their flows
    //   undetermined.
    bool Singular = false;
    // The QS that requests entering at node 0 can reach. Nothing flows into the others from
    // outside their own group, so their arrival rates are exactly 0.
    NodeFlags Reached{};
};

TrafficStructure ExamineTrafficStructure(const WorkMatrix& matrix, int nodeCount,
                                         const RowSums& rowSums);

}  // namespace qnetica
