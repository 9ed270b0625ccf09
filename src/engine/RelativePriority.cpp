#include "engine/RelativePriority.h"

#include <array>
#include <cstddef>

#include "engine/CompensatedNumber.h"
#include "engine/ErlangMath.h"
#include "engine/PlainQueue.h"

namespace qnetica {
namespace {

using ClassValues = ClassResults::Array;

struct ClassFlows {
    ClassValues ArrivalRate{};  // lambda_k = lambda * s_k
    ClassValues Load{};         // lambda_k * t
    ClassValues ChannelLoad{};  // r_k = lambda_k * t / n
};

ClassFlows SplitFlow(const QsLoad& load, std::span<const double> shares) {
    ClassFlows flows;
    for (std::size_t k = 0; k < shares.size(); ++k) {
        flows.ArrivalRate[k] = Stored(static_cast<long double>(load.ArrivalRate) * shares[k]);
        flows.Load[k] = Stored(static_cast<long double>(flows.ArrivalRate[k]) * load.ServiceTime);
        flows.ChannelLoad[k] = Stored(static_cast<long double>(flows.Load[k]) / load.Channels);
    }
    return flows;
}

using FreeShares = std::array<long double, MaxPriorityClasses>;

// 1 - sigma(k) = 1 - (r_k + ... + r_K) for every class k, with r_j = lambda s_j t / n. Near full
// load this is a small difference of nearly equal numbers, so it is formed from the exact
// products lambda s_j t, not from the rounded class loads, and to about 128 bits:
// (n - sum of lambda s_j t) / n.
FreeShares ClassFreeShares(const QsLoad& load, std::span<const double> shares) {
    FreeShares free{};
    CompensatedNumber unused(static_cast<long double>(load.Channels));
    for (std::size_t k = shares.size(); k-- > 0;) {
        unused =
            unused - CompensatedNumber::Product(load.ArrivalRate, shares[k]) * load.ServiceTime;
        free[k] = unused.Value() / load.Channels;
    }
    return free;
}

// The mean wait of every class: X_K = R0 / (1 - r_K) and, from the more urgent classes down,
// X_k = (R0 + sum over j > k of r_j X_j) / (1 - sigma(k)); this equals
// R0 / ((1 - sigma(k+1)) (1 - sigma(k))), where R0 = C t / n is the mean residual work that a
// request finds when all channels are busy (C the probability of waiting).
ClassValues ClassWaitTimes(const ClassFlows& flows, const FreeShares& free, std::size_t count,
                           double residual) {
    ClassValues wait{};
    for (std::size_t k = count; k-- > 0;) {
        double carried = 0.0;
        for (std::size_t j = k + 1; j < count; ++j)
            carried = Stored(static_cast<long double>(flows.ChannelLoad[j]) * wait[j] + carried);
        carried = Stored(static_cast<long double>(carried) + residual);
        wait[k] = Stored(carried / free[k]);
    }
    return wait;
}

void FillClassRecord(const ClassFlows& flows, const ClassValues& wait, std::size_t count,
                     double serviceTime, ClassResults& record) {
    for (std::size_t k = 0; k < count; ++k) {
        record.ClassWaitTime[k] = wait[k];
        record.ClassArrivalRate[k] = flows.ArrivalRate[k];
        record.ClassServiceTime[k] = serviceTime;
        record.ClassLoad[k] = flows.Load[k];
        record.ClassQueueLength[k] =
            Stored(static_cast<long double>(flows.ArrivalRate[k]) * wait[k]);
        record.ClassSojournTime[k] = Stored(static_cast<long double>(wait[k]) + serviceTime);
        record.ClassInSystem[k] =
            Stored(static_cast<long double>(record.ClassQueueLength[k]) + flows.Load[k]);
    }
}

// Sum of values[0..count-1], rounded to a double after each addition.
double SumOf(const ClassValues& values, std::size_t count) {
    double sum = 0.0;
    for (std::size_t k = 0; k < count; ++k) sum = Stored(static_cast<long double>(sum) + values[k]);
    return sum;
}

// The mean wait of a request of the QS: the class waits weighted by the classes' shares.
double ShareWeightedWait(std::span<const double> shares, const ClassValues& wait) {
    double weighted = 0.0;
    double shareSum = 0.0;
    for (std::size_t k = 0; k < shares.size(); ++k) {
        weighted = Stored(static_cast<long double>(shares[k]) * wait[k] + weighted);
        shareSum = Stored(static_cast<long double>(shareSum) + shares[k]);
    }
    return Stored(static_cast<long double>(weighted) / shareSum);
}

}  // namespace

long double FreeShareOfClasses(const QsLoad& load, std::span<const double> shares) {
    return shares.empty() ? 1.0L : ClassFreeShares(load, shares)[0];
}

PriorityFigures PriorityQueue(const QsLoad& load, std::span<const double> shares,
                              ClassResults& record) {
    const std::size_t count = shares.size();
    const ClassFlows flows = SplitFlow(load, shares);
    const UnboundedWaiting waiting = ComputeUnboundedWaiting(load);
    const double residual = Stored(waiting.WaitProbability * load.ServiceTime / load.Channels);
    const ClassValues wait = ClassWaitTimes(flows, ClassFreeShares(load, shares), count, residual);
    FillClassRecord(flows, wait, count, load.ServiceTime, record);

    PriorityFigures figures;
    figures.LoadFactor = Stored(static_cast<long double>(SumOf(flows.Load, count)) / load.Channels);
    QueueFigures& queue = figures.Queue;
    queue.IdleProbability = waiting.IdleProbability;
    queue.QueueLength = SumOf(record.ClassQueueLength, count);
    queue.InSystem = SumOf(record.ClassInSystem, count);
    queue.WaitTime = ShareWeightedWait(shares, wait);
    queue.SojournTime = Stored(static_cast<long double>(queue.WaitTime) + load.ServiceTime);
    return figures;
}

}  // namespace qnetica
