#pragma once

#include "engine/EngineTypes.h"
#include "model/NetworkModel.h"

namespace qnetica {

// The network as a whole from the fields of its QS as they stand after the step: the counts
// are plain sums, the times are weighted by the transfer coefficients (a request visits QS k
// e_k times on average). Each sum runs over the QS in network order as a double.
// With `losses`, a bounded QS's times count only for the visits that enter it, served rate /
// input rate per request: a lost request neither waits nor stays there. The total time is
// then the number in the network over the input rate (Little's law), as a request that is
// lost leaves the network at once.
NetworkTotals FormNetworkTotals(const NetworkModel& model, const StepLosses* losses = nullptr);

}  // namespace qnetica
