#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "cli/SimulateOptions.h"
#include "engine/AnalysisEngine.h"
#include "model/NetworkModel.h"
#include "sim/SimulationResult.h"

namespace qnetica {

// The simulation of the network that a fixed run has just computed, as the calculator makes
// it: the network's refusal or its overload warnings on stderr, the progress line while it
// runs, then the simulated figures for the JSON document or for the table beside the analysis.
class SimulationCheck {
  public:
    // ExitCompleted, or ExitFailed after the refusal's message. `progressLine`: err is a
    // terminal that shows the progress line.
    int Run(const SimulateRequest& request, const NetworkModel& model, std::ostream& err,
            bool progressLine);

    nlohmann::json Json() const;
    // The table; the class waiting times of the analysis come from the run's class records.
    std::string Table(const NetworkModel& model, const AnalysisEngine& engine,
                      const std::string& classResultsPath) const;

  private:
    sim::SimulationResult result_;
    std::vector<std::string> warnings_;
};

}  // namespace qnetica
