#include "cli/TerminalProgress.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace qnetica {
namespace {

std::string Fixed(double value, int decimals) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, end.ptr);
}

std::string ProgressLine(const sim::ProgressReport& report) {
    std::string line = "qnetica-calc: simulating: " + std::to_string(report.Events) + " events, " +
                       Fixed(report.Seconds, 1) + " s, widest half-width ";
    if (std::isfinite(report.WidestRelativeHalfWidth))
        return line + Fixed(100 * report.WidestRelativeHalfWidth, 2) + " %";
    return line + "not known yet";
}

}  // namespace

TerminalProgress::~TerminalProgress() {
    if (shown_ == 0) return;
    terminal_ << '\r' << std::string(shown_, ' ') << '\r' << std::flush;
}

void TerminalProgress::Report(const sim::ProgressReport& report) {
    std::string line = ProgressLine(report);
    const std::size_t length = line.size();
    if (length < shown_) line.append(shown_ - length, ' ');  // covers the longer line before
    terminal_ << '\r' << line << std::flush;
    shown_ = std::max(shown_, length);
}

}  // namespace qnetica
