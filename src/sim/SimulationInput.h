#pragma once

#include <string>
#include <vector>

#include "model/NetworkModel.h"
#include "sim/SimulationNetwork.h"

namespace qnetica::sim {

// Why a network cannot be simulated. Only what requests can reach is checked: the row of a node
// that no request reaches, and the parameters of a QS that none reaches, never matter.
enum class ProblemKind {
    MatrixShape,             // the transfer matrix is not square over the nodes
    InputRateNotPositive,    // Value: the input rate
    CellNotNumber,           // Node, Column, Text: a matrix cell outside the number syntax
    TransferNotProbability,  // Node, Column, Value: negative or not finite
    RowSumNotOne,            // Node, Value: the row sum, outside [0.999999999, 1.000000001]
    NoWayOut,                // Node: requests that reach this QS can never leave the network
    ServiceTimeNotPositive,  // Node, Value
    ChannelsBelowOne,        // Node
    PlacesBelowOne,          // Node
    ClassCountOutOfRange,    // Node: not 1..50 classes
    SharesInvalid,           // Node: a negative or non-finite share, or all shares zero
};

struct InputProblem {
    ProblemKind Kind = ProblemKind::InputRateNotPositive;
    int Node = 0;  // the row's node or the QS number
    int Column = 0;
    double Value = 0;
    std::string Text;

    bool operator==(const InputProblem&) const = default;
};

// A QS whose load factor lambda t / n by the flows without losses is 1 or more: its queue may
// grow without bound. Not a refusal: losses at bounded QS upstream may keep it stable, which
// only the simulation shows; a network that does grow ends the run at the population limit.
struct OverloadWarning {
    int Qs = 0;
    double LoadFactor = 0;

    bool operator==(const OverloadWarning&) const = default;
};

// What the windows and the calculator need before a simulation: the network in numbers, the
// reasons that refuse it, and the QS that may be overloaded.
struct SimulationInput {
    SimulationNetwork Network;
    std::vector<InputProblem> Problems;
    std::vector<OverloadWarning> Overloads;
    std::vector<double> FlowsWithoutLosses;  // index k = QS k, 0 = the input rate; empty if none

    bool CanSimulate() const { return Problems.empty(); }
};

// Reads the network as the analysis reads it: the input rate as stored, every matrix cell of
// the used nodes with the model's number reader (an empty cell is 0), a QS with both flags set
// as a bounded one; then checks it and forms the flows.
SimulationInput ReadSimulationInput(const NetworkModel& model);

// The numeric checks alone, for a network built without a model.
std::vector<InputProblem> CheckSimulationNetwork(const SimulationNetwork& network);

std::vector<OverloadWarning> FindOverloads(const SimulationNetwork& network,
                                           const std::vector<double>& flows);

}  // namespace qnetica::sim
