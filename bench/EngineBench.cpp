#include <benchmark/benchmark.h>

#include "engine/AnalysisEngine.h"
#include "model/RandomFill.h"

namespace qnetica {
namespace {

class SilentObserver : public CalculationObserver {
  public:
    void ShowMessage(MessageKind, const std::string&) override {}
    void SetProgress(int) override {}
};

// One calculation step of the network the random fill makes with 151 nodes after start-up.
void BM_CalculationStepOf150Qs(benchmark::State& state) {
    NetworkModel model;
    while (model.AddNode()) {
    }
    RandomGenerator random;
    RandomFill(model, random, 1858, 1334);
    AnalysisEngine engine;
    SilentObserver observer;
    for (auto _ : state) {
        CalculationContext context;
        engine.StartRun();
        context.StartStep(1);
        benchmark::DoNotOptimize(engine.CalculateStep(model, context, observer));
    }
}
BENCHMARK(BM_CalculationStepOf150Qs)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qnetica
