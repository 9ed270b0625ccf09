#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <future>
#include <string>
#include <thread>

#include "BenchNetworks.h"
#include "model/NetworkFile.h"
#include "sim/SimulationInput.h"
#include "sim/Simulator.h"

namespace qnetica {
namespace {

// The random fill's 150-QS network is not stable: by the traffic equations three QS have a
// load factor of 1 or more (S35: 1.08, S80: 1.37, S150, which takes the remainder of every
// row: 18.9). The benchmark keeps the network and gives those QS enough channels for a load
// of at most 0.8.
sim::SimulationNetwork StableRandomNetwork() {
    NetworkModel model;
    FillRandomNetwork(model);
    sim::SimulationInput input = sim::ReadSimulationInput(model);
    for (const sim::OverloadWarning& overload : input.Overloads) {
        sim::SimulationQs& qs = input.Network.Qs[overload.Qs - 1];
        const double offered = input.FlowsWithoutLosses[overload.Qs] * qs.ServiceTime;
        qs.Channels = static_cast<int>(std::ceil(offered / 0.8));
    }
    return input.Network;
}

// The same network with every kind of QS (a third bounded with 3 places, a third with 3
// priority classes), with the channels that keep the plain form stable.
sim::SimulationNetwork StableMixedNetwork() {
    NetworkModel model;
    FillMixedNetwork(model);
    sim::SimulationNetwork network = sim::ReadSimulationInput(model).Network;
    const sim::SimulationNetwork stable = StableRandomNetwork();
    for (std::size_t k = 0; k < network.Qs.size(); ++k)
        network.Qs[k].Channels = stable.Qs[k].Channels;
    return network;
}

// Events per second of wall time over a whole run of 16 replications of a million events
// each, never stopped for precision; `threads` from the argument.
void SimulateThroughput(benchmark::State& state, const sim::SimulationNetwork& network) {
    sim::SimulationOptions options;
    options.Precision = 0;
    options.MaxEvents = 16'000'000;
    options.Threads = static_cast<int>(state.range(0));
    std::int64_t events = 0;
    for (auto _ : state) events += sim::Simulate(network, options).Events;
    state.counters["events_per_second"] =
        benchmark::Counter(static_cast<double>(events), benchmark::Counter::kIsRate);
}

void BM_SimulateRandom150Qs(benchmark::State& state) {
    SimulateThroughput(state, StableRandomNetwork());
}
BENCHMARK(BM_SimulateRandom150Qs)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kSecond);

// The same with every kind of QS.
void BM_SimulateMixed150Qs(benchmark::State& state) {
    SimulateThroughput(state, StableMixedNetwork());
}
BENCHMARK(BM_SimulateMixed150Qs)->Arg(2)->UseRealTime()->Unit(benchmark::kSecond);

// A 1 % precision check of an example network beside the program, on every core.
void SimulateExample(benchmark::State& state, const std::string& file) {
    NetworkModel model;
    const FileResult opened = OpenNetworkFile(model, std::string(QNETICA_MODELS_DIR) + "/" + file);
    if (!opened.Ok) {
        state.SkipWithError(opened.Message.c_str());
        return;
    }
    const sim::SimulationNetwork network = sim::ReadSimulationInput(model).Network;
    sim::SimulationOptions options;
    std::int64_t events = 0;
    for (auto _ : state) {
        const sim::SimulationResult result = sim::Simulate(network, options);
        if (result.End != sim::SimulationEnd::PrecisionReached)
            state.SkipWithError("the precision was not reached");
        events = result.Events;
    }
    state.counters["events"] = static_cast<double>(events);
}
BENCHMARK_CAPTURE(SimulateExample, single_qs, "single-qs.qnf")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SimulateExample, three_kinds, "three-kinds.qnf")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// How long a run of the mixed 150-QS network takes to end after its cancel flag is set (the
// window's "Отмена"), on two threads; the flag is set once the run is well under way.
void BM_SimulationCancelLatency(benchmark::State& state) {
    const sim::SimulationNetwork network = StableMixedNetwork();
    sim::SimulationOptions options;
    options.Precision = 0;
    options.Threads = 2;
    for (auto _ : state) {
        std::atomic<bool> cancel{false};
        auto run = std::async(std::launch::async,
                              [&] { return sim::Simulate(network, options, nullptr, &cancel); });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const auto start = std::chrono::steady_clock::now();
        cancel = true;
        const sim::SimulationResult result = run.get();
        const std::chrono::duration<double> latency = std::chrono::steady_clock::now() - start;
        if (result.End != sim::SimulationEnd::Cancelled) state.SkipWithError("not cancelled");
        state.SetIterationTime(latency.count());
    }
}
BENCHMARK(BM_SimulationCancelLatency)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qnetica
