#include <benchmark/benchmark.h>

#include <cstdint>
#include <limits>

#include "BenchNetworks.h"
#include "engine/AnalysisEngine.h"

namespace qnetica {
namespace {

class SilentObserver : public CalculationObserver {
  public:
    void ShowMessage(MessageKind, const std::string&) override {}
    void SetProgress(int) override {}
};

void CalculateStepRepeatedly(benchmark::State& state, NetworkModel& model) {
    AnalysisEngine engine;
    SilentObserver observer;
    for (auto _ : state) {
        CalculationContext context;
        engine.StartRun();
        context.StartStep(1);
        benchmark::DoNotOptimize(engine.CalculateStep(model, context, observer));
    }
}

// One calculation step of the network the random fill makes with 151 nodes after start-up.
void BM_CalculationStepOf150Qs(benchmark::State& state) {
    NetworkModel model;
    FillRandomNetwork(model);
    CalculateStepRepeatedly(state, model);
}
BENCHMARK(BM_CalculationStepOf150Qs)->Unit(benchmark::kMillisecond);

// The first step after every cell changed (a file opened, a random fill): no cell's number is
// kept, each text is read.
void BM_CalculationStepOf150QsReadingEveryCell(benchmark::State& state) {
    NetworkModel model;
    FillRandomNetwork(model);
    const TransferMatrix texts = model.Matrix();
    AnalysisEngine engine;
    SilentObserver observer;
    for (auto _ : state) {
        state.PauseTiming();
        for (int from = 0; from < TransferMatrix::Size; ++from)
            for (int to = 0; to < TransferMatrix::Size; ++to)
                model.Matrix().SetCell(from, to, texts.Cell(from, to));
        CalculationContext context;
        engine.StartRun();
        context.StartStep(1);
        state.ResumeTiming();
        benchmark::DoNotOptimize(engine.CalculateStep(model, context, observer));
    }
}
BENCHMARK(BM_CalculationStepOf150QsReadingEveryCell)->Unit(benchmark::kMillisecond);

// The same network with bounded and relative priority QS among the plain ones.
void BM_CalculationStepOf150MixedQs(benchmark::State& state) {
    NetworkModel model;
    FillMixedNetwork(model);
    CalculateStepRepeatedly(state, model);
}
BENCHMARK(BM_CalculationStepOf150MixedQs)->Unit(benchmark::kMillisecond);

// The generator's largest network: 127 QS, rows of up to 71 links.
void BM_CalculationStepOfGenerated127Qs(benchmark::State& state) {
    NetworkModel model;
    FillGeneratedNetwork(model);
    CalculateStepRepeatedly(state, model);
}
BENCHMARK(BM_CalculationStepOfGenerated127Qs)->Unit(benchmark::kMillisecond);

// A network of one bounded QS with the most places a file can hold, 2^31 - 1: one channel at a
// load of 1 - 1e-9, where none of the 2^31 states is negligible, or 2^31 - 1 channels at a load of
// 0.5 per channel, a bell of Erlang terms some 33000 wide around the billionth.
void BM_CalculationStepOfQsWithMostPlaces(benchmark::State& state) {
    const auto channels = static_cast<std::int32_t>(state.range(0));
    NetworkModel model;
    model.AddNode();
    QsParams& qs = model.Qs(1);
    qs.BoundedQueue = true;
    qs.Channels = channels;
    qs.QueuePlaces = std::numeric_limits<std::int32_t>::max();
    qs.ServiceTime = channels == 1 ? 1 - 1e-9 : 0.5 * channels;
    model.Matrix().SetCell(0, 1, "1");
    model.Matrix().SetCell(1, 0, "1");
    model.SetInputRate(1);
    CalculateStepRepeatedly(state, model);
}
BENCHMARK(BM_CalculationStepOfQsWithMostPlaces)
    ->Arg(1)
    ->Arg(std::numeric_limits<std::int32_t>::max())
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qnetica
