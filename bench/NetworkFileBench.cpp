#include <benchmark/benchmark.h>

#include <filesystem>

#include "model/NetworkFile.h"
#include "model/RandomFill.h"

namespace qnetica {
namespace {

// The largest network: 150 QS filled at random, every matrix row of a used node written.
void FillLargestNetwork(NetworkModel& model) {
    while (model.AddNode()) {
    }
    RandomGenerator random;
    RandomFill(model, random, 1858, 1334);
}

void BM_SaveNetworkFile(benchmark::State& state) {
    NetworkModel model;
    FillLargestNetwork(model);
    const std::string path =
        (std::filesystem::temp_directory_path() / "qnetica-bench-save.qnf").string();
    for (auto _ : state) {
        if (!SaveNetworkFile(model, path).Ok) state.SkipWithError("save failed");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveNetworkFile)->Unit(benchmark::kMillisecond);

void BM_OpenNetworkFile(benchmark::State& state) {
    NetworkModel model;
    FillLargestNetwork(model);
    const std::string path =
        (std::filesystem::temp_directory_path() / "qnetica-bench-open.qnf").string();
    SaveNetworkFile(model, path);
    for (auto _ : state) {
        if (!OpenNetworkFile(model, path).Ok) state.SkipWithError("open failed");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenNetworkFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qnetica
