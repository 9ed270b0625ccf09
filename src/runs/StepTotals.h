#pragma once

#include <array>

#include "engine/EngineTypes.h"

namespace qnetica {

inline constexpr int MaxStepCount = 100;

// The network totals of every step of the last varied run, for the network chart. Entry
// [step-1] of each array belongs to step 1..100; later runs overwrite only the steps they reach.
struct StepTotals {
    std::array<double, MaxStepCount> NetworkWaitTime{};
    std::array<double, MaxStepCount> NetworkSojournTime{};
    std::array<double, MaxStepCount> QueuedTotal{};
    std::array<double, MaxStepCount> InNetworkTotal{};

    // A step outside 1..100 has no room and is not kept.
    void Store(int step, const NetworkTotals& totals) {
        if (step < 1 || step > MaxStepCount) return;
        NetworkWaitTime[step - 1] = totals.NetworkWaitTime;
        NetworkSojournTime[step - 1] = totals.NetworkSojournTime;
        QueuedTotal[step - 1] = totals.QueuedTotal;
        InNetworkTotal[step - 1] = totals.InNetworkTotal;
    }
};

}  // namespace qnetica
