#include "runs/ResultsReport.h"

#include <algorithm>

#include "runs/OutputFile.h"
#include "runs/ReportTableLines.h"

namespace qnetica {

ReportLines BuildResultsReport(const ResultTables& tables, int nodeCount) {
    nodeCount = std::min(nodeCount, static_cast<int>(ResultRowCount));
    ReportLines lines;
    lines.push_back(SourceTitle);
    lines.push_back(UnderscoreRule(SourceRuleWidth));
    for (int r = 0; r < nodeCount; ++r) {
        if (r == 1) lines.push_back(HyphenRule(SourceRuleWidth));
        lines.push_back(SourceTableLine(tables, r));
    }
    lines.push_back(HyphenRule(SourceRuleWidth));

    lines.push_back(QsTitle);
    lines.push_back(UnderscoreRule(ResultsQsRuleWidth));
    const QsColumnWidths widths = QsTableWidths(tables);
    for (int r = 0; r < nodeCount; ++r) {
        if (r == 1) lines.push_back(HyphenRule(ResultsQsRuleWidth));
        lines.push_back(QsTableLine(tables, r, widths));
    }
    lines.push_back(HyphenRule(ResultsQsRuleWidth));

    lines.push_back(NetworkTitle);
    lines.push_back(UnderscoreRule(NetworkRuleWidth));
    for (int r = 0; r < static_cast<int>(NetworkRowCount); ++r) {
        lines.push_back(NetworkTableLine(tables, r));
        lines.push_back(HyphenRule(NetworkRuleWidth));
    }
    return lines;
}

FileResult WriteResultsReport(const std::string& fileName, const ResultTables& tables,
                              int nodeCount) {
    return WriteWholeFile(fileName, EncodeReport(BuildResultsReport(tables, nodeCount)));
}

}  // namespace qnetica
