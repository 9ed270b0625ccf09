#pragma once

#include <string>

#include "engine/AnalysisEngine.h"
#include "model/NetworkModel.h"
#include "runs/ResultTables.h"
#include "runs/RunFigures.h"
#include "runs/RunPresenter.h"
#include "runs/StepTotals.h"
#include "runs/VariationPlan.h"
#include "runs/WorkFolder.h"

namespace qnetica {

enum class RunEnd { Cancelled, Completed, Aborted };

struct RunOutcome {
    RunEnd End = RunEnd::Completed;
    std::string Message;  // why an aborted run stopped, as it was shown
};

// What a calculation run reads and writes beside the model. The network document keeps them
// for the whole program (the calculator for its one run), so that the parameters dialog shows
// the last plan again, the charts show the last varied run and its records stay in one work
// folder.
struct RunData {
    VariationPlan& Plan;
    ResultTables& Tables;
    StepTotals& Totals;
    AnalysisEngine& Engine;
    WorkFolder& Work;  // "qnrep.tmp" and "swap.tmp" of the runs
    // Where every figure of every step goes, when someone wants them (the CSV file, the
    // windows); they then hold the run's steps, those of the run before gone.
    RunFigures* Figures = nullptr;
};

// The calculation command: asks for the run parameters, then performs one calculation (fixed
// run) or one per step with the varied values (varied run), writing "qnrep.tmp" and the report
// of a varied run. The work folder is made by the first run that needs it: a varied run, or
// one with a relative-priority QS. A run that fails closes its files, shows one message and
// still gives the model back its own values.
RunOutcome RunCalculation(NetworkModel& model, RunData data, RunPresenter& presenter);

}  // namespace qnetica
