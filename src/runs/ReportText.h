#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qnetica {

// The lines of a report in UTF-8, without line ends; encoded only when written to a file.
using ReportLines = std::vector<std::string>;

// Lengths of the drawn rules of the reports, in characters.
inline constexpr std::size_t ParameterRuleWidth = 84;
inline constexpr std::size_t SourceRuleWidth = 85;
inline constexpr std::size_t VariedQsRuleWidth = 230;
inline constexpr std::size_t ResultsQsRuleWidth = 223;
inline constexpr std::size_t NetworkRuleWidth = 67;

std::string UnderscoreRule(std::size_t width);
std::string HyphenRule(std::size_t width);

// The cell followed by blanks up to width + 1 characters; a longer cell is kept whole and
// pushes the rest of its line to the right. Widths count characters, not UTF-8 bytes.
std::string PadCell(std::string_view cell, std::size_t width);
// "|", then " ", the padded cell and " |" for each column.
std::string TableRow(std::span<const std::string> cells, std::span<const std::size_t> widths);

// The bytes of a report file: Windows-1251, CR LF after every line including the last.
std::string EncodeReport(const ReportLines& lines);

}  // namespace qnetica
