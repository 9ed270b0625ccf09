#include "engine/NodeCharacteristics.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "engine/BoundedQueue.h"
#include "engine/EngineMessages.h"
#include "engine/ErlangMath.h"
#include "engine/PlainQueue.h"
#include "engine/RelativePriority.h"
#include "model/Error.h"

namespace qnetica {
namespace {

[[noreturn]] void Fail(QsFault fault, int k) {
    throw Error(QsFaultMessage(fault, k));
}

// The value as it is stored; a value that is not finite never reaches the results.
double Checked(long double value, int k) {
    const double stored = Stored(value);
    if (!std::isfinite(stored)) Fail(QsFault::Arithmetic, k);
    return stored;
}

std::span<const double> ClassShares(const QsParams& qs) {
    return std::span<const double>(qs.ClassShares.data(), qs.PriorityClasses);
}

// Parameters with which the formulas of the QS's kind cannot be computed.
void CheckParameters(int k, const QsParams& qs) {
    if (qs.Channels < 1) Fail(QsFault::ChannelsBelowOne, k);
    if (qs.BoundedQueue) {
        if (qs.QueuePlaces < 1) Fail(QsFault::PlacesBelowOne, k);
        return;
    }
    if (!qs.RelativePriority) return;
    if (qs.PriorityClasses < 1 || qs.PriorityClasses > MaxPriorityClasses)
        Fail(QsFault::ClassCountOutOfRange, k);
    const auto shares = ClassShares(qs);
    const bool negative = std::any_of(shares.begin(), shares.end(), [](double s) { return s < 0; });
    const bool allZero = std::all_of(shares.begin(), shares.end(), [](double s) { return s == 0; });
    if (negative || allZero) Fail(QsFault::SharesInvalid, k);
}

void ReportOverload(int k, double loadFactor, const QsStage& stage) {
    if (!stage.Context.VariedRun && !stage.Model.Generated())
        stage.Observer.ShowMessage(MessageKind::Error, OverloadMessage(k, loadFactor));
    stage.Context.Overloaded = true;
    stage.Context.QsOverloaded[k] = true;
}

void CheckFigures(const QueueFigures& figures, int k) {
    for (double value : {figures.IdleProbability, figures.QueueLength, figures.InSystem,
                         figures.WaitTime, figures.SojournTime})
        Checked(value, k);
}

void StoreFigures(const QueueFigures& figures, QsResults& results) {
    results.IdleProbability = figures.IdleProbability;
    results.QueueLength = figures.QueueLength;
    results.InSystem = figures.InSystem;
    results.WaitTime = figures.WaitTime;
    results.SojournTime = figures.SojournTime;
}

void CheckClassRecord(const ClassResults& record, std::size_t count, int k) {
    for (const ClassResults::Array* values :
         {&record.ClassWaitTime, &record.ClassQueueLength, &record.ClassInSystem,
          &record.ClassSojournTime, &record.ClassArrivalRate, &record.ClassLoad})
        for (std::size_t i = 0; i < count; ++i) Checked((*values)[i], k);
}

void AppendClassRecord(const QsStage& stage) {
    if (!stage.Context.ClassFileStarted) {
        stage.ClassFile.Create();
        stage.Context.ClassFileStarted = true;
    }
    stage.ClassFile.Append(stage.ClassRecord);
}

void CalculatePriority(int k, const QsLoad& load, QsParams& qs, const QsStage& stage) {
    const auto shares = ClassShares(qs);
    if (FreeShareOfClasses(load, shares) <= 0) Fail(QsFault::ClassLoadReachesOne, k);
    const PriorityFigures figures = PriorityQueue(load, shares, stage.ClassRecord);
    CheckFigures(figures.Queue, k);
    CheckClassRecord(stage.ClassRecord, shares.size(), k);
    qs.Results.LoadFactor = Checked(figures.LoadFactor, k);
    StoreFigures(figures.Queue, qs.Results);
    AppendClassRecord(stage);
}

void StoreLosses(int k, const QsLoad& load, const QueueFigures& figures, const QsStage& stage) {
    QsLosses& losses = stage.Losses[k];
    losses.LossProbability = Checked(figures.LossProbability, k);
    losses.ServedRate =
        Checked(static_cast<long double>(load.ArrivalRate) * figures.ServedShare, k);
}

void CalculateQueue(int k, const QsLoad& load, QsParams& qs, const QsStage& stage) {
    if (qs.BoundedQueue || !qs.RelativePriority) {
        const QueueFigures figures =
            qs.BoundedQueue ? BoundedQueue(load, qs.QueuePlaces) : PlainQueue(load);
        CheckFigures(figures, k);
        StoreFigures(figures, qs.Results);
        if (qs.BoundedQueue) StoreLosses(k, load, figures, stage);
        return;
    }
    CalculatePriority(k, load, qs, stage);
}

// e = lambda / lambda0, the mean number of visits of a request to the QS.
void StoreTransferCoefficient(int k, QsResults& results, const QsStage& stage) {
    const double inputRate = stage.Model.InputRate();
    if (inputRate != 0) {
        results.TransferCoefficient =
            Checked(static_cast<long double>(results.ArrivalRate) / inputRate, k);
        return;
    }
    if (stage.Context.InputRateWarned) return;
    stage.Context.InputRateWarned = true;
    stage.Observer.ShowMessage(MessageKind::Error, MissingInputRateMessage);
}

void TakeSnapshot(int k, const QsResults& results, StepSnapshot& snapshots) {
    if (k > SnapshotCount) return;
    snapshots[k - 1] = {results.ArrivalRate, results.ReservedResult, results.OfferedLoad,
                        results.QueueLength, results.InSystem,       results.WaitTime,
                        results.SojournTime, results.LoadFactor,     results.TransferCoefficient};
}

}  // namespace

void CalculateQs(int k, const QsStage& stage) {
    QsParams& qs = stage.Model.Qs(k);
    CheckParameters(k, qs);
    QsResults& results = qs.Results;
    QsLoad load;
    load.ArrivalRate = results.ArrivalRate;
    load.ServiceTime = qs.ServiceTime;
    load.Channels = qs.Channels;
    load.OfferedLoad = Checked(static_cast<long double>(load.ArrivalRate) * load.ServiceTime, k);
    // A negative load has no queue: its Erlang terms would only grow, channel after channel.
    if (load.OfferedLoad < 0) Fail(QsFault::NegativeLoad, k);
    results.OfferedLoad = load.OfferedLoad;
    load.LoadFactor = results.LoadFactor =
        Checked(static_cast<long double>(load.OfferedLoad) / load.Channels, k);
    if (!qs.BoundedQueue && load.LoadFactor >= 1.0) {
        ReportOverload(k, load.LoadFactor, stage);
        return;
    }
    CalculateQueue(k, load, qs, stage);
    StoreTransferCoefficient(k, results, stage);
    TakeSnapshot(k, results, stage.Snapshots);
}

void CopyArrivalRates(NetworkModel& model, const TrafficUnknowns& unknowns) {
    for (int k = 1; k < model.NodeCount(); ++k)
        model.Qs(k).Results.ArrivalRate = Checked(unknowns[k], k);
}

}  // namespace qnetica
