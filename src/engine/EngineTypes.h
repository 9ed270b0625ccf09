#pragma once

#include <array>

#include "model/NetworkModel.h"
#include "model/QsParams.h"

namespace qnetica {

inline constexpr int SnapshotCount = 150;  // QS slots 1..150

// The network as a whole after one step.
struct NetworkTotals {
    double QueuedTotal = 0;
    double InNetworkTotal = 0;
    double NetworkWaitTime = 0;
    double NetworkSojournTime = 0;
};

// Nine doubles per QS per step, in the order of the per-step results file (72 bytes).
struct QsResultsSnapshot {
    double ArrivalRate = 0;
    double ReservedResult = 0;
    double OfferedLoad = 0;
    double QueueLength = 0;
    double InSystem = 0;
    double WaitTime = 0;
    double SojournTime = 0;
    double LoadFactor = 0;
    double TransferCoefficient = 0;
};
static_assert(sizeof(QsResultsSnapshot) == 72);

using StepSnapshot = std::array<QsResultsSnapshot, SnapshotCount>;  // index k-1 for QS k
static_assert(sizeof(StepSnapshot) == 10800);

// Per-class results of a relative-priority QS; one 3200-byte record of "swap.tmp".
// Entry [j-1] of every array belongs to class j.
struct ClassResults {
    using Array = std::array<double, MaxPriorityClasses>;
    Array ClassWaitTime{};
    Array ClassScratch{};
    Array ClassQueueLength{};
    Array ClassInSystem{};
    Array ClassSojournTime{};
    Array ClassArrivalRate{};
    Array ClassServiceTime{};
    Array ClassLoad{};
};
static_assert(sizeof(ClassResults) == 3200);

// What a bounded QS loses in a step: the share of its arrivals that find it full, and the flow
// that enters it and goes on, lambda (1 - P_loss). Zero for the QS of other kinds. Kept in
// memory only: no file and no fixed-layout report holds them.
struct QsLosses {
    double LossProbability = 0;
    double ServedRate = 0;
};
using StepLosses = std::array<QsLosses, MaxNodeCount>;  // index k for QS k

// How the flows after losses were found in a step: the number of times the traffic equations
// were solved again with the loss probabilities, and whether these settled.
struct LossIteration {
    int Iterations = 0;
    bool Converged = true;
};

inline constexpr const char* ClassResultsFileName = "swap.tmp";

}  // namespace qnetica
