#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "sim/AnalysisComparison.h"
#include "sim/SimulationResult.h"

namespace qnetica {

// The "simulation" object of the calculator's JSON document: how the run went, then every
// simulated figure as {"mean", "half_width", "samples"}, a half-width that is infinite or
// undefined as null. `warnings` are the messages shown before the run.
nlohmann::json SimulationJson(const sim::SimulationResult& result,
                              const std::vector<std::string>& warnings);

// The simulation section of the text output: per QS and figure the analytic value, the
// simulated mean and half-width, their difference, and a mark where the analytic value lies
// outside the interval.
std::string SimulationTable(const sim::SimulationResult& result,
                            const std::vector<sim::ComparedFigure>& figures);

// How the run ended, in a sentence: the precision reached, or why it stopped before.
std::string SimulationEndText(const sim::SimulationResult& result);

}  // namespace qnetica
