#pragma once

#include <cstdint>
#include <vector>

#include "model/QsKind.h"

namespace qnetica::sim {

using qnetica::QsKind;

struct SimulationQs {
    double ServiceTime = 1;     // mean of the exponential service time
    std::int32_t Channels = 1;  // at least 1
    QsKind Kind = QsKind::Plain;
    std::int32_t Places = 0;          // Bounded: the largest number of requests in the QS
    std::vector<double> ClassShares;  // Priority: class 1 first; a class is drawn by its share
};

// The network that the simulator runs, in numbers only. Node 0 is the outside world: row 0
// says where arriving requests go first, column 0 is leaving the network. Every row of a node
// that requests can reach holds probabilities that sum to 1.
struct SimulationNetwork {
    double InputRate = 0;                       // Poisson flow of requests into the network
    std::vector<SimulationQs> Qs;               // QS k at index k - 1
    std::vector<std::vector<double>> Transfer;  // Transfer[i][j], nodes 0..Qs.size()

    int NodeCount() const { return static_cast<int>(Qs.size()) + 1; }
};

}  // namespace qnetica::sim
