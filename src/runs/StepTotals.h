#pragma once

#include <array>
#include <bitset>

#include "engine/CalculationContext.h"
#include "engine/EngineTypes.h"
#include "runs/StepAxis.h"

namespace qnetica {

inline constexpr int MaxStepCount = 100;

// The network totals of every step of the last varied run, for the network chart. Entry
// [step-1] of each array belongs to step 1..100; later runs overwrite only the steps they reach.
struct StepTotals {
    std::array<double, MaxStepCount> NetworkWaitTime{};
    std::array<double, MaxStepCount> NetworkSojournTime{};
    std::array<double, MaxStepCount> QueuedTotal{};
    std::array<double, MaxStepCount> InNetworkTotal{};
    // Some QS was overloaded in the step: its figures, and so the totals, are not its own.
    std::array<bool, MaxStepCount> Overloaded{};
    // Bit k: QS k was overloaded in the step.
    std::array<std::bitset<MaxNodeCount>, MaxStepCount> QsOverloaded{};
    // What the steps of the last varied run stand for; its values cover the steps it reached.
    StepAxis Axis;

    // A step outside 1..100 has no room and is not kept.
    void Store(int step, const NetworkTotals& totals) {
        if (step < 1 || step > MaxStepCount) return;
        NetworkWaitTime[step - 1] = totals.NetworkWaitTime;
        NetworkSojournTime[step - 1] = totals.NetworkSojournTime;
        QueuedTotal[step - 1] = totals.QueuedTotal;
        InNetworkTotal[step - 1] = totals.InNetworkTotal;
    }
    void StoreOverload(int step, const CalculationContext& context) {
        if (step < 1 || step > MaxStepCount) return;
        Overloaded[step - 1] = context.Overloaded;
        QsOverloaded[step - 1].reset();
        for (int k = 1; k < MaxNodeCount; ++k)
            if (context.QsOverloaded[k]) QsOverloaded[step - 1].set(k);
    }
};

}  // namespace qnetica
