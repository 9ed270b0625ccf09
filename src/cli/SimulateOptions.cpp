#include "cli/SimulateOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "model/NumberText.h"

namespace qnetica {
namespace {

constexpr int MostThreads = 1024;

// Decimal digits only, no sign or blank, within [lowest, highest].
template <typename Integer>
std::optional<Integer> WholeNumber(const std::string& text, Integer lowest, Integer highest) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    Integer value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < lowest || value > highest) return std::nullopt;
    return value;
}

// A finite number with "." or "," before its decimals, without blanks.
std::optional<double> Number(const std::string& text) {
    if (text.empty() || text.find(' ') != std::string::npos) return std::nullopt;
    const ParsedNumber parsed = ParseNumberChecked(text);  // takes "," as well as "."
    if (!parsed.IsNumber || !std::isfinite(parsed.Value)) return std::nullopt;
    return parsed.Value;
}

std::string Refusal(const char* option, const std::string& text, const std::string& wanted) {
    return std::string(option) + ": '" + text + "' is not " + wanted;
}

// Reads the given values into the request; the first problem, or empty.
std::string ReadValues(const SimulateOptionTexts& texts, SimulateRequest& request) {
    if (texts.Precision) {
        const auto value = Number(*texts.Precision);
        if (!value || *value < 0 || *value > 1)
            return Refusal("--precision", *texts.Precision, "a relative precision from 0 to 1");
        request.Precision = *value;
    }
    if (texts.Seed) {
        const auto value =
            WholeNumber<std::uint64_t>(*texts.Seed, 0, std::numeric_limits<std::uint64_t>::max());
        if (!value)
            return Refusal("--seed", *texts.Seed, "a whole number from 0 to 18446744073709551615");
        request.Seed = *value;
    }
    if (texts.MaxEvents) {
        const auto value = WholeNumber<std::int64_t>(*texts.MaxEvents, 1,
                                                     std::numeric_limits<std::int64_t>::max());
        if (!value)
            return Refusal("--max-events", *texts.MaxEvents,
                           "a number of events from 1 to 9223372036854775807");
        request.MaxEvents = *value;
    }
    if (texts.MaxSeconds) {
        const auto value = Number(*texts.MaxSeconds);
        if (!value || !(*value > 0))
            return Refusal("--max-seconds", *texts.MaxSeconds, "a number of seconds above 0");
        request.MaxSeconds = *value;
    }
    if (texts.Threads) {
        const auto value = WholeNumber<int>(*texts.Threads, 0, MostThreads);
        if (!value)
            return Refusal("--threads", *texts.Threads, "a number of threads from 0 to 1024");
        request.Threads = *value;
    }
    return {};
}

// The first option of the simulation given without --simulate.
const char* OptionWithoutSimulate(const SimulateOptionTexts& texts) {
    if (texts.Precision) return "--precision";
    if (texts.Seed) return "--seed";
    if (texts.MaxEvents) return "--max-events";
    if (texts.MaxSeconds) return "--max-seconds";
    if (texts.Threads) return "--threads";
    return nullptr;
}

}  // namespace

void AddSimulateOptions(CLI::App& app, SimulateOptionTexts& texts) {
    app.add_flag("--simulate", texts.Simulate);
    app.add_option("--precision", texts.Precision);
    app.add_option("--seed", texts.Seed);
    app.add_option("--max-events", texts.MaxEvents);
    app.add_option("--max-seconds", texts.MaxSeconds);
    app.add_option("--threads", texts.Threads);
}

std::variant<std::optional<SimulateRequest>, std::string> ReadSimulateOptions(
    const SimulateOptionTexts& texts, bool variedRun) {
    SimulateRequest request;
    if (auto problem = ReadValues(texts, request); !problem.empty()) return problem;
    if (!texts.Simulate) {
        if (const char* option = OptionWithoutSimulate(texts))
            return std::string(option) + " needs --simulate";
        return std::optional<SimulateRequest>();
    }
    if (variedRun)
        return std::string(
            "--simulate checks a fixed run: it cannot be combined with --vary-input-rate, "
            "--vary-service, --vary-channels or --vary-places");
    return std::optional(request);
}

}  // namespace qnetica
