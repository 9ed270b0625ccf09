#include "cli/CalculatorOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>

#include "cli/Calculator.h"

namespace qnetica {
namespace {

// "FROM:TO", or "K=FROM:TO" when withQs.
std::optional<VaryRange> SplitRange(const std::string& text, bool withQs) {
    VaryRange range;
    std::string rest = text;
    if (withQs) {
        const auto equals = rest.find('=');
        if (equals == std::string::npos) return std::nullopt;
        const std::string number = rest.substr(0, equals);
        // Through unsigned char: the bytes of a UTF-8 letter are negative chars, which isdigit
        // must not be given.
        const auto isDigit = [](unsigned char c) { return std::isdigit(c) != 0; };
        if (number.empty() || !std::all_of(number.begin(), number.end(), isDigit) ||
            number.size() > 3)
            return std::nullopt;
        range.Qs = std::stoi(number);
        rest = rest.substr(equals + 1);
    }
    const auto colon = rest.find(':');
    if (colon == std::string::npos) return std::nullopt;
    range.From = rest.substr(0, colon);
    range.To = rest.substr(colon + 1);
    return range;
}

std::string RangeError(const std::string& option, const std::string& text) {
    return option + ": '" + text + "' is not of the form " +
           (option == "--vary-input-rate" ? "FROM:TO" : "K=FROM:TO");
}

}  // namespace

ParsedOptions ParseCalculatorOptions(const std::vector<std::string>& args) {
    CLI::App app{"Computes an open network of queueing systems stored in a .qnf file.",
                 "qnetica-calc"};
    CalculatorOptions options;
    std::string inputRate;
    std::vector<std::string> service, channels, places;
    app.set_version_flag("--version", std::string("qnetica-calc ") + QNETICA_VERSION);
    app.add_option("model", options.ModelFile, "the network file (.qnf)")->required();
    app.add_option("--report", options.ReportFile,
                   "also write the report to FILE (Windows-1251, CR LF)");
    app.add_flag("--json", options.Json, "print the results as JSON instead of the report");
    app.add_option("--steps", options.Steps, "number of steps of a varied run (2..100)");
    app.add_option("--vary-input-rate", inputRate, "vary the input rate, FROM:TO");
    app.add_option("--vary-service", service, "vary the service time of QS K, K=FROM:TO");
    app.add_option("--vary-channels", channels, "vary the channels of QS K, K=FROM:TO");
    app.add_option("--vary-places", places, "vary the places of QS K, K=FROM:TO");

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return {std::nullopt, app.help(), ExitCompleted};
    } catch (const CLI::CallForVersion& version) {
        return {std::nullopt, std::string(version.what()) + "\n", ExitCompleted};
    } catch (const CLI::ParseError& error) {
        return {std::nullopt, std::string(error.what()) + "\n\n" + app.help(), ExitUsage};
    }
    if (!inputRate.empty()) {
        options.InputRate = SplitRange(inputRate, false);
        if (!options.InputRate)
            return {std::nullopt, RangeError("--vary-input-rate", inputRate) + "\n\n" + app.help(),
                    ExitUsage};
    }
    const std::pair<const char*, std::pair<std::vector<std::string>*, std::vector<VaryRange>*>>
        lists[] = {{"--vary-service", {&service, &options.Service}},
                   {"--vary-channels", {&channels, &options.Channels}},
                   {"--vary-places", {&places, &options.Places}}};
    for (const auto& [name, list] : lists) {
        for (const std::string& text : *list.first) {
            auto range = SplitRange(text, true);
            if (!range)
                return {std::nullopt, RangeError(name, text) + "\n\n" + app.help(), ExitUsage};
            list.second->push_back(*range);
        }
    }
    return {options, {}, ExitCompleted};
}

}  // namespace qnetica
