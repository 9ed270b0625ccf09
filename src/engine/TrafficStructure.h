#pragma once

#include "engine/WorkMatrix.h"

namespace qnetica {

// Whether the traffic equations of the n nodes in the work matrix lack a unique solution for
// a reason that the links of the network show, independent of rounding:
// - no request that enters can ever leave (node 0 does not reach node 0 through non-zero
//   transfers; this includes a column 0 that is all zero);
// - some QS has no way out: it reaches neither node 0 nor a QS whose row sum the check did not
//   accept as 1 (such a row loses or adds requests, which breaks any closed loop). A closed loop
//   that requests reach and one that nothing reaches both leave their flows undetermined.
bool TrafficStructureSingular(const WorkMatrix& matrix, int nodeCount, const RowSums& rowSums);

}  // namespace qnetica
