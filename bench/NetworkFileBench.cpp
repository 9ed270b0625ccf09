#include <benchmark/benchmark.h>

#include <filesystem>

#include "BenchNetworks.h"
#include "model/NetworkFile.h"

namespace qnetica {
namespace {

void BM_SaveNetworkFile(benchmark::State& state) {
    NetworkModel model;
    FillRandomNetwork(model);
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
    FillRandomNetwork(model);
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
