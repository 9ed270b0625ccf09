#pragma once

#include <string>
#include <vector>

#include "engine/EngineTypes.h"
#include "model/NetworkFile.h"

namespace qnetica {

struct StepResultsReadout {
    FileResult Result;                // !Ok: nothing to show, Steps is empty
    std::vector<StepSnapshot> Steps;  // step 1 first
};

// Reads the per-step results of the last varied run back, for the per-QS chart. A file that
// cannot be opened or read, or one without a single whole record, is a failure naming the
// file; a part record at the end (a run cut short while writing) is not a step.
StepResultsReadout ReadStepResults(const std::string& fileName);

}  // namespace qnetica
