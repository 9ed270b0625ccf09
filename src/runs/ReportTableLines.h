#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "runs/ResultTables.h"

namespace qnetica {

// What both reports share: the titles of the three tables and their rows as drawn lines.
inline constexpr const char* SourceTitle = "Исходные данные о системах сети:";
inline constexpr const char* QsTitle = "Характеристики отдельных СМО:";
inline constexpr const char* NetworkTitle = "Характеристики сети в целом:";

using QsColumnWidths = std::array<std::size_t, QsColumnCount>;

// Each column of the QS table is as wide as its header text, so the header variant written
// last decides the widths (230 or 223 characters a line).
QsColumnWidths QsTableWidths(const ResultTables& tables);

std::string SourceTableLine(const ResultTables& tables, int row);
std::string QsTableLine(const ResultTables& tables, int row, const QsColumnWidths& widths);
std::string NetworkTableLine(const ResultTables& tables, int row);

}  // namespace qnetica
