#include "cli/SimulationCheck.h"

#include <optional>

#include "cli/Calculator.h"
#include "cli/SimulationOutput.h"
#include "cli/TerminalProgress.h"
#include "sim/AnalysisComparison.h"
#include "sim/SimulationInput.h"
#include "sim/SimulationMessages.h"
#include "sim/Simulator.h"

namespace qnetica {
namespace {

sim::SimulationOptions SimulatorOptions(const SimulateRequest& request) {
    sim::SimulationOptions options;
    options.Precision = request.Precision;
    options.Seed = request.Seed;
    options.MaxEvents = request.MaxEvents;
    options.MaxSeconds = request.MaxSeconds;
    options.Threads = request.Threads;
    return options;
}

}  // namespace

int SimulationCheck::Run(const SimulateRequest& request, const NetworkModel& model,
                         std::ostream& err, bool progressLine) {
    const sim::SimulationInput input = sim::ReadSimulationInput(model);
    if (!input.CanSimulate()) {
        err << sim::ProblemMessage(input.Problems.front()) << '\n';
        return ExitFailed;
    }
    for (const sim::OverloadWarning& overload : input.Overloads) {
        warnings_.push_back(sim::OverloadMessage(overload));
        err << warnings_.back() << '\n';
    }
    {
        std::optional<TerminalProgress> progress;
        if (progressLine) progress.emplace(err);
        result_ = sim::Simulate(input.Network, SimulatorOptions(request),
                                progress ? &*progress : nullptr);
    }  // the progress line is cleared before anything else is written
    if (result_.End != sim::SimulationEnd::PrecisionReached)
        err << "qnetica-calc: simulation: " << SimulationEndText(result_) << '\n';
    return ExitCompleted;
}

nlohmann::json SimulationCheck::Json() const {
    return SimulationJson(result_, warnings_);
}

std::string SimulationCheck::Table(const NetworkModel& model, const AnalysisEngine& engine,
                                   const std::string& classResultsPath) const {
    return SimulationTable(result_,
                           sim::CompareWithAnalysis(model, engine, classResultsPath, result_));
}

}  // namespace qnetica
