#pragma once

#include <string>

#include "model/NetworkFile.h"
#include "runs/ReportText.h"
#include "runs/ResultTables.h"

namespace qnetica {

// The report of a fixed run, written from the results window: the three tables of the network
// with nodeCount nodes, a hyphen rule after every row of the network table, no class lines.
ReportLines BuildResultsReport(const ResultTables& tables, int nodeCount);
// Creates or overwrites the file with the report in Windows-1251, CR LF.
[[nodiscard]] FileResult WriteResultsReport(const std::string& fileName, const ResultTables& tables,
                                            int nodeCount);

}  // namespace qnetica
