#pragma once

#include "engine/EngineTypes.h"
#include "model/NetworkModel.h"

namespace qnetica {

// The network as a whole from the fields of its QS as they stand after the step: the counts
// are plain sums, the times are weighted by the transfer coefficients (a request visits QS k
// e_k times on average). Each sum runs over the QS in network order as a double.
NetworkTotals FormNetworkTotals(const NetworkModel& model);

}  // namespace qnetica
