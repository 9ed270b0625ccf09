#include "runs/ReportTableLines.h"

#include "model/Cp1251.h"
#include "runs/ReportText.h"

namespace qnetica {
namespace {

constexpr std::array<std::size_t, SourceColumnCount> SourceWidths = {17, 17, 17, 17};
constexpr std::array<std::size_t, NetworkColumnCount> NetworkWidths = {41, 17};

}  // namespace

QsColumnWidths QsTableWidths(const ResultTables& tables) {
    QsColumnWidths widths{};
    for (std::size_t c = 0; c < QsColumnCount; ++c) widths[c] = Utf8Length(tables.QsTable[0][c]);
    return widths;
}

std::string SourceTableLine(const ResultTables& tables, int row) {
    return TableRow(tables.SourceTable[row], SourceWidths);
}

std::string QsTableLine(const ResultTables& tables, int row, const QsColumnWidths& widths) {
    return TableRow(tables.QsTable[row], widths);
}

std::string NetworkTableLine(const ResultTables& tables, int row) {
    return TableRow(tables.NetworkTable[row], NetworkWidths);
}

}  // namespace qnetica
