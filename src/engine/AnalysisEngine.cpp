#include "engine/AnalysisEngine.h"

#include "engine/ClassResultsFile.h"
#include "engine/EngineMessages.h"
#include "engine/FlowsAfterLosses.h"
#include "engine/NetworkTotalsStage.h"
#include "engine/NodeCharacteristics.h"
#include "engine/PivotedSolver.h"
#include "engine/TrafficEquations.h"
#include "engine/WorkMatrix.h"
#include "model/Error.h"

namespace qnetica {

struct AnalysisEngine::State {
    WorkMatrix Matrix;
    PivotedSolver Solver{MaxNodeCount};
    TrafficUnknowns Unknowns{};
    StepSnapshot Snapshots{};
    ClassResults ClassRecord{};
    ClassResultsFile ClassFile;
    NetworkTotals Totals{};
    FlowsAfterLosses Flows;
    StepLosses Losses{};
    LossIteration Iteration{};

    void RunStages(NetworkModel& model, CalculationContext& context, CalculationObserver& observer);
    void AccountForLosses(const NetworkModel& model, const RowSums& rowSums,
                          CalculationContext& context, CalculationObserver& observer);
};

AnalysisEngine::AnalysisEngine() : state_(std::make_unique<State>()) {}

AnalysisEngine::~AnalysisEngine() = default;

void AnalysisEngine::StartRun() {
    state_->Unknowns = {};
    state_->Snapshots = {};
    state_->ClassRecord = {};
    state_->Totals = {};
    state_->Losses = {};
    state_->Iteration = {};
}

void AnalysisEngine::SetClassResultsPath(std::string path) {
    state_->ClassFile = ClassResultsFile(std::move(path));
}

void AnalysisEngine::State::RunStages(NetworkModel& model, CalculationContext& context,
                                      CalculationObserver& observer) {
    const int n = model.NodeCount();
    const RowSums rowSums = ReadTransferMatrix(model, context, observer, Matrix);
    SetRightHandSide(Matrix, n, model.InputRate());
    const bool solved =
        SolveTrafficEquations(Matrix, n, rowSums, context, observer, Solver, Unknowns);
    Iteration = {};
    if (context.AccountLosses && solved) AccountForLosses(model, rowSums, context, observer);
    CopyArrivalRates(model, Unknowns);
    Losses = {};
    const QsStage stage{model, context, observer, ClassRecord, ClassFile, Snapshots, Losses};
    for (int k = 1; k < n; ++k) CalculateQs(k, stage);
    if (context.ClassFileStarted) ClassFile.Close();
    Totals = FormNetworkTotals(model, context.AccountLosses ? &Losses : nullptr);
}

// The flows after losses replace those just solved; when they do not settle, the step goes on
// with the last iteration's, and the user is told once per command.
void AnalysisEngine::State::AccountForLosses(const NetworkModel& model, const RowSums& rowSums,
                                             CalculationContext& context,
                                             CalculationObserver& observer) {
    Iteration = Flows.Solve(model, Matrix, rowSums, Solver, Unknowns);
    if (Iteration.Converged || context.LossesWarned) return;
    context.LossesWarned = true;
    observer.ShowMessage(MessageKind::Plain, LossesNotSettledMessage);
}

StepOutcome AnalysisEngine::CalculateStep(NetworkModel& model, CalculationContext& context,
                                          CalculationObserver& observer) {
    try {
        state_->RunStages(model, context, observer);
        return {};
    } catch (const Error& error) {
        state_->ClassFile.Abandon();
        observer.ShowMessage(MessageKind::Error, error.what());
        return {false, error.what()};
    }
}

const NetworkTotals& AnalysisEngine::Totals() const {
    return state_->Totals;
}

const StepSnapshot& AnalysisEngine::Snapshots() const {
    return state_->Snapshots;
}

const QsLosses& AnalysisEngine::Losses(int k) const {
    return state_->Losses[k];
}

const LossIteration& AnalysisEngine::LastLossIteration() const {
    return state_->Iteration;
}

}  // namespace qnetica
