#include "sim/Simulator.h"

#include <cmath>
#include <string>

#include "model/Error.h"
#include "sim/SimulationInput.h"
#include "sim/SimulationMessages.h"
#include "sim/SimulationRun.h"

namespace qnetica::sim {
namespace {

void CheckOptions(const SimulationOptions& options) {
    const std::string wrong = "Параметры имитации заданы неверно: ";
    if (!(options.Precision >= 0) || !std::isfinite(options.Precision))
        throw Error(wrong + "точность должна быть не меньше 0.");
    if (!(options.Confidence > 0 && options.Confidence < 1))
        throw Error(wrong + "доверительная вероятность должна лежать между 0 и 1.");
    if (options.MaxEvents < 1) throw Error(wrong + "число событий должно быть больше 0.");
    if (!(options.MaxSeconds > 0)) throw Error(wrong + "время должно быть больше 0.");
    if (options.Replications < 2 || options.Replications > 1024)
        throw Error(wrong + "число прогонов должно лежать в пределах от 2 до 1024.");
    if (options.Threads < 0) throw Error(wrong + "число потоков не может быть отрицательным.");
}

}  // namespace

SimulationResult Simulate(const SimulationNetwork& network, const SimulationOptions& options,
                          SimulationProgress* progress, const std::atomic<bool>* cancel) {
    CheckOptions(options);
    const std::vector<InputProblem> problems = CheckSimulationNetwork(network);
    if (!problems.empty()) throw Error(ProblemMessage(problems.front()));
    SimulationRun run(network, options, progress, cancel);
    return run.Run();
}

}  // namespace qnetica::sim
