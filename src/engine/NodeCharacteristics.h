#pragma once

#include "engine/CalculationContext.h"
#include "engine/CalculationObserver.h"
#include "engine/ClassResultsFile.h"
#include "engine/EngineTypes.h"
#include "engine/TrafficEquations.h"
#include "model/NetworkModel.h"

namespace qnetica {

// What the characteristics of one QS read and write besides the QS itself.
struct QsStage {
    NetworkModel& Model;
    CalculationContext& Context;
    CalculationObserver& Observer;
    ClassResults& ClassRecord;
    ClassResultsFile& ClassFile;
    StepSnapshot& Snapshots;
    StepLosses& Losses;  // written for a bounded QS
};

// Computes the characteristics of QS k from its arrival rate: offered load, load factor, the
// overload test (not for a bounded queue, which is stable at any load), the queue formulas of
// its kind, the transfer coefficient, its snapshot and, for a bounded QS, its losses. A QS that
// cannot be computed throws qnetica::Error with the message that ends the command; nothing of its
// queue is stored then.
void CalculateQs(int k, const QsStage& stage);

// Copies x[k] into the arrival rate of QS k, for k = 1..n-1 in that order; a value that is not
// finite throws qnetica::Error naming its QS.
void CopyArrivalRates(NetworkModel& model, const TrafficUnknowns& unknowns);

}  // namespace qnetica
