#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qnetica {

// Exit codes of qnetica-calc.
inline constexpr int ExitCompleted = 0;
// A file could not be read or written (out included), or the calculation ended.
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

// The command-line calculator: reads a network file, runs a fixed or varied calculation
// through the same driver as the window and prints the results. Its working files live in a
// private folder of the run, removed when it returns; every write to out is checked.
// args excludes the program name. progressLine: err is a terminal, on which a simulation shows
// its progress in one line rewritten in place.
int RunCalculator(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  bool progressLine = false);

}  // namespace qnetica
