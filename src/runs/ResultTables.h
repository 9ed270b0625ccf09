#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "engine/CalculationContext.h"
#include "engine/EngineTypes.h"
#include "model/NetworkModel.h"

namespace qnetica {

inline constexpr std::size_t SourceColumnCount = 4;
inline constexpr std::size_t QsColumnCount = 9;
inline constexpr std::size_t NetworkColumnCount = 2;
inline constexpr std::size_t NetworkRowCount = 5;
inline constexpr std::size_t ResultRowCount = MaxNodeCount;  // the header row and QS 1..150

template <std::size_t Columns, std::size_t Rows>
using TextTable = std::array<std::array<std::string, Columns>, Rows>;

// The QS table's header row comes in two variants that differ only by trailing blanks; the
// report takes its column widths from whichever was written last.
enum class QsHeaderVariant { ResultsWindow, VariedRun };

// The results of the last calculation as text cells. Row 0 of the first two tables is the header
// row, row k belongs to QS k. A calculation overwrites only the rows of its network, so rows
// of an earlier, larger network stay (and are never reported).
struct ResultTables {
    TextTable<SourceColumnCount, ResultRowCount> SourceTable;
    TextTable<QsColumnCount, ResultRowCount> QsTable;
    TextTable<NetworkColumnCount, NetworkRowCount> NetworkTable;  // no header row

    // Row 0 of SourceTable and QsTable; the results window and the varied run each write theirs.
    void WriteHeaderRows(QsHeaderVariant variant);
    // Rows 1..N of SourceTable and QsTable and all of NetworkTable, from the step just computed.
    // A QS counts as overloaded when the engine found it so in this step.
    void FillResultTables(const NetworkModel& model, const CalculationContext& context,
                          const NetworkTotals& totals);
};

}  // namespace qnetica
