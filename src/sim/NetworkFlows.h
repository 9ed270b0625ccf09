#pragma once

#include <vector>

#include "sim/SimulationNetwork.h"

namespace qnetica::sim {

// Node i can be reached from the outside through transfers of positive probability; index 0
// (the outside) is always reached.
std::vector<bool> ReachedNodes(const SimulationNetwork& network);

// Node i leads to the outside through transfers of positive probability; index 0 always does.
std::vector<bool> NodesWithWayOut(const SimulationNetwork& network);

// The arrival rate of every QS by the traffic equations of the open network, as if no request
// were ever lost: lambda_j = lambda_0 p(0, j) + sum over QS i of lambda_i p(i, j). Index k is
// QS k, index 0 the input rate. Losses at bounded QS only lower the true flows, so these are
// upper bounds. Empty when the equations of the reached QS have no unique solution.
std::vector<double> FlowsWithoutLosses(const SimulationNetwork& network);

}  // namespace qnetica::sim
