#pragma once

#include <string>

#include "engine/CalculationContext.h"
#include "engine/EngineTypes.h"
#include "model/NetworkFile.h"
#include "model/NetworkModel.h"
#include "runs/ReportText.h"
#include "runs/ResultTables.h"
#include "runs/VariationPlan.h"

namespace qnetica {

// The report of a varied run is its head followed by one section per step, written to the
// report file as the run goes. Both writers append UTF-8 lines; the caller encodes them.

// Title, the table of the varied parameters and the number of steps.
void WriteReportHead(ReportLines& out, const VariationPlan& plan, const NetworkModel& model);

// The section of step context.Step, from the tables just filled (their header rows in the
// varied-run variant). Class lines follow each relative-priority QS that left a record in the
// class-results file in this step; the numbers in them use decimalSeparator. On a failure to
// read that file nothing is appended.
[[nodiscard]] FileResult WriteStepSection(ReportLines& out, const VariationPlan& plan,
                                          const NetworkModel& model, const ResultTables& tables,
                                          const CalculationContext& context, char decimalSeparator,
                                          const std::string& classFileName = ClassResultsFileName);

}  // namespace qnetica
