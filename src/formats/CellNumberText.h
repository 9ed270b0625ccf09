#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace qnetica {

// A transfer probability is written as a JSON number when that number reads back into the very
// text of the cell, and as the cell's text otherwise ("0.5000000000" keeps its zeros).
//
// The text a JSON number gives a cell: a whole number below 10^15 in plain digits ("1"), any
// other number in its shortest form that reads back exactly ("0.3", "1e-05", "-0.0").
std::string CellTextOfNumber(double value);

// The JSON number that stands for the cell's text, if there is one.
std::optional<nlohmann::ordered_json> NumberOfCellText(const std::string& text);

}  // namespace qnetica
