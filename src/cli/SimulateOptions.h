#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace CLI {
class App;
}

namespace qnetica {

// What --simulate and its options ask for. The defaults are the simulator's own.
struct SimulateRequest {
    double Precision = 0.01;
    std::uint64_t Seed = 1;
    std::int64_t MaxEvents = 2'000'000'000;
    double MaxSeconds = 600;
    int Threads = 0;  // 0: one per core
};

// The texts of the options as given, read once the command line is parsed.
struct SimulateOptionTexts {
    bool Simulate = false;
    std::optional<std::string> Precision, Seed, MaxEvents, MaxSeconds, Threads;
};

void AddSimulateOptions(CLI::App& app, SimulateOptionTexts& texts);

// The request, none without --simulate; a text naming the first problem instead when a value is
// out of its range, an option comes without --simulate or --simulate with a varied run.
std::variant<std::optional<SimulateRequest>, std::string> ReadSimulateOptions(
    const SimulateOptionTexts& texts, bool variedRun);

}  // namespace qnetica
