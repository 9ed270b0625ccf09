#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <streambuf>

#include "BenchNetworks.h"
#include "cli/Calculator.h"
#include "model/NetworkFile.h"

extern char** environ;

namespace qnetica {
namespace {

namespace fs = std::filesystem;

// A new folder of its own for the network and the report (the run's records go to its private
// work folder), so that benchmarks run at the same time by others never share a file.
fs::path NewPrivateFolder() {
    std::string name = (fs::temp_directory_path() / "qnetica-run-bench-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("no folder for the benchmark");
    return name;
}

struct RunFolder {
    fs::path Path = NewPrivateFolder();
    fs::path Model = Path / "mixed.qnf";
    fs::path Report = Path / "report.txt";

    RunFolder() {
        fs::current_path(Path);
        NetworkModel model;
        FillMixedNetwork(model);
        SaveNetworkFile(model, Model.string());
        Options = VaryEverythingOptions(model);
        Options.insert(Options.begin(), Model.string());
        Options.insert(Options.end(), {"--report", Report.string()});
    }
    ~RunFolder() {
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(Path);
    }
    std::vector<std::string> Options;
};

// Takes every byte and keeps none, as a written stream that cannot fail.
class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// The run inside this process: the driver, the engine, the step file and the report.
void BM_VariedRun100StepsInProcess(benchmark::State& state) {
    RunFolder folder;
    for (auto _ : state) {
        NullBuffer dropped;  // the printed report is converted, then dropped
        std::ostream out(&dropped);
        std::ostringstream err;
        if (RunCalculator(folder.Options, out, err) != ExitCompleted)
            state.SkipWithError(err.str().c_str());
    }
}
BENCHMARK(BM_VariedRun100StepsInProcess)->Unit(benchmark::kMillisecond);

// The same run as a user starts it: qnetica-calc as a process of its own, with its peak memory;
// extra words are appended to the run's options.
void RunCalculatorProcess(benchmark::State& state, const std::vector<std::string>& extra) {
    RunFolder folder;
    std::vector<std::string> words{QNETICA_CALC_PATH};
    words.insert(words.end(), folder.Options.begin(), folder.Options.end());
    words.insert(words.end(), extra.begin(), extra.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    long peakKb = 0;
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("qnetica-calc could not be started");
            break;
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("qnetica-calc failed");
            break;
        }
        peakKb = std::max(peakKb, usage.ru_maxrss);
    }
    posix_spawn_file_actions_destroy(&actions);
    state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024;
}

void BM_VariedRun100StepsCalculator(benchmark::State& state) {
    RunCalculatorProcess(state, {});
}
BENCHMARK(BM_VariedRun100StepsCalculator)->Unit(benchmark::kMillisecond)->UseRealTime();

// The JSON document of the same run, 100 steps of 150 QS with their classes.
void BM_VariedRun100StepsCalculatorJson(benchmark::State& state) {
    RunCalculatorProcess(state, {"--json"});
}
BENCHMARK(BM_VariedRun100StepsCalculatorJson)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace qnetica
