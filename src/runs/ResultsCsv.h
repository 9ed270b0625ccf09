#pragma once

#include <string>

#include "model/NetworkFile.h"
#include "runs/RunFigures.h"

namespace qnetica {

// How a spreadsheet of the user's locale reads a CSV file: where the decimal mark is a comma,
// fields are separated by ";" and numbers written with ","; elsewhere "," and ".".
struct CsvStyle {
    char Separator = ',';
    char DecimalMark = '.';
};
CsvStyle CsvStyleFor(char decimalSeparator);

// The figures of a run as CSV text: UTF-8 with a byte-order mark, CR LF line ends, a header row,
// then one row per step and QS (one per step for a network without QS). Every row holds its
// step's input rate, overload flag and network totals (and the varied parameter's value when
// exactly one QS parameter varies), then the QS's parameters and figures; a bounded QS adds its
// loss probability and served flow. Numbers are written with the fewest digits that read back to
// the same double; flags as 1 and 0.
std::string ResultsCsvText(const RunFigures& figures, CsvStyle style);

// The same text into a file, created or overwritten in one go.
[[nodiscard]] FileResult WriteResultsCsv(const std::string& fileName, const RunFigures& figures,
                                         CsvStyle style);

}  // namespace qnetica
