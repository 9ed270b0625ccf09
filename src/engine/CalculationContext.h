#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace qnetica {

// The flags and step number shared by the stages of one calculation command.
struct CalculationContext {
    std::int32_t Step = 1;
    bool VariedRun = false;  // set by the run driver from the variation plan
    // Every bounded QS passes on only the requests it serves (set from the variation plan);
    // off, the whole arrival flow of a bounded QS goes on, lost requests included.
    bool AccountLosses = false;
    bool DeterminantWarned = false;  // once per command
    bool InputRateWarned = false;    // once per command
    bool LossesWarned = false;       // once per command: the flows after losses did not settle
    bool Overloaded = false;         // cleared at the start of every step
    bool ClassFileStarted = false;   // cleared at the start of every step
    // QS k (index k) failed the overload test in this step; cleared at the start of every step.
    std::array<bool, 152> QsOverloaded{};
    // Matrix cells (from * 151 + to) already reported as not a number in this command.
    std::vector<bool> CellReported = std::vector<bool>(151 * 151, false);

    // What the run driver clears before each step.
    void StartStep(std::int32_t step) {
        Step = step;
        Overloaded = false;
        ClassFileStarted = false;
        QsOverloaded.fill(false);
    }
};

}  // namespace qnetica
