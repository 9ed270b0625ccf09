#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/SimulateOptions.h"

namespace qnetica {

// A --vary-* range: the QS number (0 for the input rate) and its first and last values, whole
// numbers for channels and places.
struct VaryRange {
    int Qs = 0;
    double From = 0;
    double To = 0;
};

struct CalculatorOptions {
    std::string ModelFile;
    std::optional<std::string> ReportFile;
    std::optional<std::string> CsvFile;  // --csv: every figure of every step
    bool Json = false;
    std::optional<int> Steps;
    std::optional<VaryRange> InputRate;
    std::vector<VaryRange> Service;
    std::vector<VaryRange> Channels;
    std::vector<VaryRange> Places;
    bool AccountLosses = false;                 // --account-losses
    std::optional<SimulateRequest> Simulation;  // --simulate, a fixed run only
    std::optional<std::string> ExportNetwork;   // convert FILE into this file, compute nothing

    // Some --vary-* option was given; --steps alone is refused.
    bool VariedRun() const {
        return InputRate || !Service.empty() || !Channels.empty() || !Places.empty();
    }
};

struct ParsedOptions {
    std::optional<CalculatorOptions> Options;  // empty: print Text and exit with ExitCode
    std::string Text;  // for stdout when ExitCode is 0 (help, version), else for stderr
    int ExitCode = 0;
};

// The options as given; QS numbers are checked against the network later.
ParsedOptions ParseCalculatorOptions(const std::vector<std::string>& args);

// A usage error as the calculator prints it: "qnetica-calc: <problem>" and where to get help.
std::string UsageErrorText(const std::string& problem);

// The text of --help.
std::string CalculatorHelp();

}  // namespace qnetica
