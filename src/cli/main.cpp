#include <clocale>
#include <iostream>

#include "cli/Calculator.h"

int main(int argc, char** argv) {
    // The class lines of a varied-run report use the user's decimal separator.
    std::setlocale(LC_ALL, "");
    return qnetica::RunCalculator(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                  std::cerr);
}
