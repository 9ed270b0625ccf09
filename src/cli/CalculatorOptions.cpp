#include "cli/CalculatorOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <utility>
#include <variant>

#include "cli/Calculator.h"
#include "model/NumberText.h"

namespace qnetica {
namespace {

constexpr const char* HelpText =
    R"(Usage: qnetica-calc FILE [--account-losses] [--report REPORT] [--csv CSV] [--json]
       qnetica-calc FILE --simulate [SIMULATION OPTIONS] [--account-losses] [--report REPORT]
                    [--csv CSV] [--json]
       qnetica-calc FILE --vary-KIND RANGE... [--steps N] [--account-losses] [--report REPORT]
                    [--csv CSV] [--json]
       qnetica-calc FILE --export-network OTHER
       qnetica-calc --help | --version

Computes the open network of queueing systems saved in FILE (a .qnf file of Qnetica, or the
network as JSON: told apart by content, not by name) with the program's own calculation: once
(a fixed run), or step by step while the values named by the --vary-* options move linearly
from FROM to TO (a varied run). The report is printed on standard output as UTF-8 text. A fixed
run can be checked by a simulation of the same network (--simulate), whose figures follow the
report as a table beside the analysis's.

Options:
  --report REPORT           also write the report to the file REPORT, byte for byte as the
                            program writes it (Windows-1251, CR LF)
  --csv CSV                 also write every figure of every step to the file CSV: a row per
                            step and QS, a column per figure, UTF-8 with a byte-order mark;
                            ';' between fields and ',' before decimals when the locale's
                            decimal mark is a comma, else ',' and '.'
  --json                    print the results as JSON instead of the report
  --steps N                 number of steps of a varied run, 2 to 100 (default: 2)
  --vary-input-rate FROM:TO vary the intensity of the input flow
  --vary-service K=FROM:TO  vary the service time of QS K
  --vary-channels K=FROM:TO vary the number of channels of QS K (whole numbers)
  --vary-places K=FROM:TO   vary the number of places of the bounded QS K (whole numbers)
  --account-losses          solve the flows with each bounded QS passing on only the requests
                            it serves, not those it loses (default: the whole arrival flow)
  --export-network OTHER    compute nothing: write the network of FILE into OTHER in the
                            other form (JSON from a .qnf file, a .qnf file from JSON)
  -h, --help                print this help and exit
  --version                 print the version and exit

Simulation (a fixed run only):
  --simulate                simulate the network after the calculation; each figure comes with
                            the half-width of its 95 % confidence interval
  --precision P             stop once every half-width is within the share P of its figure,
                            0 to 1 (default: 0.01; 0: only at a budget)
  --seed N                  the seed of the random numbers, 0 to 2^64-1 (default: 1); the same
                            seed gives the same figures on any number of threads
  --max-events N            stop after N simulated events at most (default: 2000000000)
  --max-seconds S           stop after S seconds at most (default: 600)
  --threads N               threads to simulate on, 0 = one per core (default: 0)

FROM and TO are numbers, with '.' or ',' before the decimals. K is the number of a QS of the
network, 1 to its number of QS. Each --vary-* option may be repeated for several QS.

The table of a simulation shows per QS and figure the analysis's value, the simulated mean
with its half-width, their difference (simulation - analysis) and a '*' where the analysis's
value lies outside the interval. The load factor compared is the mean share of busy channels.
With --json the document gains a "simulation" object instead. While the simulation runs on a
terminal, one line on standard error shows the events, the seconds and the widest relative
half-width so far. A network that cannot be simulated is refused with exit status 1.

Files:
  FILE may be a .qnf file or the network as JSON, written by --export-network, by the program
  or by hand (its form: the manual page qnetica-calc(1)). OTHER is written whole or not at all.
  Only REPORT, CSV and OTHER are written where you ask. The run's working files (qnrep.tmp,
  swap.tmp and the like) live in a private folder under $TMPDIR, or /tmp, removed when the run
  ends.

Exit status:
  0  the run completed
  1  a file could not be read or written, the calculation ended with an error, or the
     network cannot be simulated
  2  wrong usage

Examples:
  qnetica-calc three-kinds.qnf
  qnetica-calc three-kinds.qnf --json > results.json
  qnetica-calc three-kinds.qnf --simulate --account-losses
  qnetica-calc three-kinds.qnf --export-network three-kinds.json
  qnetica-calc three-kinds.qnf --steps 9 --vary-input-rate 0.1:0.9 --vary-service 2=0,5:1 \
      --report run.txt
)";

ParsedOptions Refuse(const std::string& problem) {
    return {std::nullopt, UsageErrorText(problem), ExitUsage};
}

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

// A number with "." or "," before its decimals; never an empty text.
std::optional<double> RangeNumber(const std::string& text) {
    if (IsBlank(text)) return std::nullopt;
    const ParsedNumber parsed = ParseNumberChecked(text);  // takes "," as well as "."
    if (!parsed.IsNumber || !std::isfinite(parsed.Value)) return std::nullopt;
    return parsed.Value;
}

std::optional<double> RangeWholeNumber(const std::string& text) {
    if (IsBlank(text)) return std::nullopt;
    const ParsedInteger parsed = ParseIntegerChecked(text);
    if (!parsed.IsNumber) return std::nullopt;
    return parsed.Value;
}

// Up to three decimal digits: a QS number, checked against the network once it is read.
std::optional<int> QsNumber(const std::string& text) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.empty() || text.size() > 3 || !std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    return std::stoi(text);
}

struct RangeKind {
    const char* Option;
    bool WithQs;
    bool WholeNumbers;
};

// "FROM:TO", or "K=FROM:TO" with a QS number; the refusal says what is wrong.
std::variant<VaryRange, std::string> ReadRange(const RangeKind& kind, const std::string& text) {
    const std::string quoted = std::string(kind.Option) + ": '" + text + "' ";
    const char* form = kind.WithQs ? "K=FROM:TO" : "FROM:TO";
    VaryRange range;
    std::string rest = text;
    if (kind.WithQs) {
        const auto equals = rest.find('=');
        const auto qs =
            equals == std::string::npos ? std::nullopt : QsNumber(rest.substr(0, equals));
        if (!qs) return quoted + "is not of the form " + form + " (K: the number of a QS)";
        range.Qs = *qs;
        rest = rest.substr(equals + 1);
    }
    const auto colon = rest.find(':');
    if (colon == std::string::npos) return quoted + "is not of the form " + form;
    const auto read = kind.WholeNumbers ? RangeWholeNumber : RangeNumber;
    const auto from = read(rest.substr(0, colon));
    const auto to = read(rest.substr(colon + 1));
    if (!from || !to)
        return quoted + (kind.WholeNumbers ? "is not two whole numbers " : "is not two numbers ") +
               form;
    range.From = *from;
    range.To = *to;
    return range;
}

std::optional<int> StepCount(const std::string& text) {
    const ParsedInteger parsed = ParseIntegerChecked(text);
    if (IsBlank(text) || !parsed.IsNumber || parsed.Value < 2 || parsed.Value > 100)
        return std::nullopt;
    return parsed.Value;
}

// CLI11 reports the first problem in a line of its own; the calculator prints that line.
std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// --export-network only converts the file: every other option would be ignored.
std::optional<std::string> ExportAlone(const CLI::App& app, const CalculatorOptions& options) {
    if (!options.ExportNetwork) return std::nullopt;
    if (options.ExportNetwork->empty()) return "--export-network: the file name is empty";
    for (const CLI::Option* option : app.get_options()) {
        const std::string name = option->get_name();
        if (option->count() > 0 && name != "FILE" && name != "--export-network")
            return std::string(
                       "--export-network converts the network and computes nothing: leave out ")
                .append(name);
    }
    return std::nullopt;
}

}  // namespace

std::string UsageErrorText(const std::string& problem) {
    return "qnetica-calc: " + problem + "\nTry 'qnetica-calc --help'.\n";
}

std::string CalculatorHelp() {
    return HelpText;
}

ParsedOptions ParseCalculatorOptions(const std::vector<std::string>& args) {
    CLI::App app{"", "qnetica-calc"};
    CalculatorOptions options;
    std::optional<std::string> steps, inputRate;
    std::vector<std::string> service, channels, places;
    app.set_version_flag("--version", std::string("qnetica-calc ") + QNETICA_VERSION);
    app.add_option("FILE", options.ModelFile)->required();
    app.add_option("--report", options.ReportFile);
    app.add_option("--csv", options.CsvFile);
    app.add_flag("--json", options.Json);
    app.add_option("--steps", steps);
    app.add_option("--vary-input-rate", inputRate);
    app.add_option("--vary-service", service);
    app.add_option("--vary-channels", channels);
    app.add_option("--vary-places", places);
    app.add_flag("--account-losses", options.AccountLosses);
    SimulateOptionTexts simulate;
    AddSimulateOptions(app, simulate);
    app.add_option("--export-network", options.ExportNetwork);

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return {std::nullopt, CalculatorHelp(), ExitCompleted};
    } catch (const CLI::CallForVersion& version) {
        return {std::nullopt, std::string(version.what()) + "\n", ExitCompleted};
    } catch (const CLI::ParseError& error) {
        return Refuse(FirstLine(error.what()));
    }
    if (auto refusal = ExportAlone(app, options)) return Refuse(*refusal);
    if (options.ReportFile && options.ReportFile->empty())
        return Refuse("--report: the file name is empty");
    if (options.CsvFile && options.CsvFile->empty()) return Refuse("--csv: the file name is empty");
    if (inputRate) {
        auto range = ReadRange({"--vary-input-rate", false, false}, *inputRate);
        if (auto* refusal = std::get_if<std::string>(&range)) return Refuse(*refusal);
        options.InputRate = std::get<VaryRange>(range);
    }
    const std::pair<RangeKind, std::pair<std::vector<std::string>*, std::vector<VaryRange>*>>
        lists[] = {{{"--vary-service", true, false}, {&service, &options.Service}},
                   {{"--vary-channels", true, true}, {&channels, &options.Channels}},
                   {{"--vary-places", true, true}, {&places, &options.Places}}};
    for (const auto& [kind, list] : lists) {
        for (const std::string& text : *list.first) {
            auto range = ReadRange(kind, text);
            if (auto* refusal = std::get_if<std::string>(&range)) return Refuse(*refusal);
            list.second->push_back(std::get<VaryRange>(range));
        }
    }
    if (steps) {
        options.Steps = StepCount(*steps);
        if (!options.Steps)
            return Refuse("--steps: '" + *steps + "' is not a number of steps from 2 to 100");
        if (!options.VariedRun())
            return Refuse(
                "--steps needs something to vary: add --vary-input-rate, --vary-service, "
                "--vary-channels or --vary-places");
    }
    auto simulation = ReadSimulateOptions(simulate, options.VariedRun());
    if (auto* refusal = std::get_if<std::string>(&simulation)) return Refuse(*refusal);
    options.Simulation = std::get<std::optional<SimulateRequest>>(simulation);
    return {options, {}, ExitCompleted};
}

}  // namespace qnetica
