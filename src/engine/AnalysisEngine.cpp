#include "engine/AnalysisEngine.h"

#include "engine/ClassResultsFile.h"
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

    void RunStages(NetworkModel& model, CalculationContext& context, CalculationObserver& observer);
};

AnalysisEngine::AnalysisEngine() : state_(std::make_unique<State>()) {}

AnalysisEngine::~AnalysisEngine() = default;

void AnalysisEngine::StartRun() {
    state_->Unknowns = {};
    state_->Snapshots = {};
    state_->ClassRecord = {};
    state_->Totals = {};
}

void AnalysisEngine::SetClassResultsPath(std::string path) {
    state_->ClassFile = ClassResultsFile(std::move(path));
}

void AnalysisEngine::State::RunStages(NetworkModel& model, CalculationContext& context,
                                      CalculationObserver& observer) {
    const int n = model.NodeCount();
    const RowSums rowSums = ReadTransferMatrix(model, context, observer, Matrix);
    SetRightHandSide(Matrix, n, model.InputRate());
    SolveTrafficEquations(Matrix, n, rowSums, context, observer, Solver, Unknowns);
    CopyArrivalRates(model, Unknowns);
    const QsStage stage{model, context, observer, ClassRecord, ClassFile, Snapshots};
    for (int k = 1; k < n; ++k) CalculateQs(k, stage);
    if (context.ClassFileStarted) ClassFile.Close();
    Totals = FormNetworkTotals(model);
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

}  // namespace qnetica
