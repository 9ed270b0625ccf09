#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qnetica {

// A --vary-* range: the QS number (0 for the input rate) and the two texts of the range.
struct VaryRange {
    int Qs = 0;
    std::string From;
    std::string To;
};

struct CalculatorOptions {
    std::string ModelFile;
    std::optional<std::string> ReportFile;
    bool Json = false;
    std::optional<int> Steps;
    std::optional<VaryRange> InputRate;
    std::vector<VaryRange> Service;
    std::vector<VaryRange> Channels;
    std::vector<VaryRange> Places;

    bool VariedRun() const {
        return Steps || InputRate || !Service.empty() || !Channels.empty() || !Places.empty();
    }
};

struct ParsedOptions {
    std::optional<CalculatorOptions> Options;  // empty: print Text and exit with ExitCode
    std::string Text;
    int ExitCode = 0;
};

ParsedOptions ParseCalculatorOptions(const std::vector<std::string>& args);

}  // namespace qnetica
