#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Calculator.h"

namespace qnetica::test {

// One call of the calculator, as a process would make it: exit code and both streams.
struct CalculatorResult {
    int code;
    std::string out;
    std::string err;
};

inline CalculatorResult Calc(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = RunCalculator(args, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace qnetica::test
