#include "BenchNetworks.h"

#include "model/GenerateModel.h"
#include "model/NumberText.h"
#include "model/RandomFill.h"
#include "model/SchemeArea.h"

namespace qnetica {

void FillRandomNetwork(NetworkModel& model) {
    while (model.AddNode()) {
    }
    RandomGenerator random;
    RandomFill(model, random, SchemeAreaWidth, SchemeAreaHeight);
}

void FillMixedNetwork(NetworkModel& model) {
    FillRandomNetwork(model);
    for (int qs = 1; qs < model.NodeCount(); ++qs) {
        QsParams& params = model.Qs(qs);
        if (qs % 3 == 1) {
            params.BoundedQueue = true;
            params.QueuePlaces = 3;
        } else if (qs % 3 == 2) {
            params.RelativePriority = true;
            params.PriorityClasses = 3;
            for (int k = 1; k <= 3; ++k) params.ClassShare(k) = 1.0 / 3;
        }
    }
}

void FillGeneratedNetwork(NetworkModel& model) {
    GenerationRequest request{"1", "0.1", "1", "7", SchemeAreaWidth, SchemeAreaHeight};
    GenerateModel(model, request, [](const std::string&) {});
}

std::vector<std::string> VaryEverythingOptions(const NetworkModel& model) {
    std::vector<std::string> options{"--steps", "100", "--vary-input-rate", "0.1:1"};
    for (int qs = 1; qs < model.NodeCount(); ++qs) {
        const QsParams& params = model.Qs(qs);
        const std::string k = std::to_string(qs) + "=";
        const std::string from = FormatFixed(params.ServiceTime);
        const std::string to = FormatFixed(2 * params.ServiceTime);
        options.insert(options.end(), {"--vary-service", k + from + ":" + to});
        options.insert(options.end(), {"--vary-channels", k + "1:5"});
        if (params.BoundedQueue) options.insert(options.end(), {"--vary-places", k + "1:10"});
    }
    return options;
}

}  // namespace qnetica
