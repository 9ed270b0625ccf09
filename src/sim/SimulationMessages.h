#pragma once

#include <string>

#include "sim/SimulationInput.h"

namespace qnetica::sim {

// The texts that the windows and the calculator show for a network the simulation refuses,
// and for a QS that may be overloaded.
std::string ProblemMessage(const InputProblem& problem);
std::string OverloadMessage(const OverloadWarning& warning);

}  // namespace qnetica::sim
