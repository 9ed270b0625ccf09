#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qnetica {

// Exit codes of qnetica-calc.
inline constexpr int ExitCompleted = 0;
inline constexpr int ExitFailed =
    1;  // a file could not be read or written, or the calculation ended
inline constexpr int ExitUsage = 2;

// The command-line calculator: reads a network file, runs a fixed or varied calculation
// through the same driver as the window and prints the results. args excludes the program name.
int RunCalculator(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace qnetica
