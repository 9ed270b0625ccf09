#pragma once

#include <QString>

class QTableView;

namespace qnetica {

// The grid's selection (or, with none, the whole grid) as tab-separated lines, the column
// headers first when the grid shows them: what a spreadsheet takes from the clipboard. A block
// spans the selected cells from the first selected row and column to the last.
QString GridText(const QTableView& grid);

// Ctrl+C (the platform's copy key) in the grid puts GridText on the clipboard.
void InstallGridCopy(QTableView& grid);

}  // namespace qnetica
