#include "engine/PlainQueue.h"

#include "engine/ErlangMath.h"
#include "engine/ErlangSeries.h"

namespace qnetica {
namespace {

struct QueueCore {
    double IdleProbability = 0;
    double QueueLength = 0;
    double WaitTime = 0;
};

// 1 / (sum of a^i/i! for i < n + a^n / (n! (1 - a/n))), in doubles.
double DoubleFormIdleProbability(const QsLoad& load) {
    const DoubleFormHead head = SumDoubleFormHead(load.Channels, load.OfferedLoad);
    const double sum = Stored(head.Sum + head.PowerN / (head.FactorialN * load.FreeShare()));
    return Stored(1.0L / sum);
}

QueueCore DoubleFormCore(const QsLoad& load) {
    const long double n = load.Channels;
    const long double freeShare = load.FreeShare();
    const long double divisor = freeShare * freeShare * Factorial(load.Channels) * n;
    QueueCore core;
    core.IdleProbability = DoubleFormIdleProbability(load);
    core.QueueLength =
        Stored(Power(load.Channels + 1, load.OfferedLoad) / divisor * core.IdleProbability);
    core.WaitTime = Stored(static_cast<long double>(Power(load.Channels, load.OfferedLoad)) *
                           load.ServiceTime / divisor * core.IdleProbability);
    return core;
}

// The same through the probability of n requests, Pn = a^n/n! * P0, which stays finite.
struct ScaledWaiting {
    double IdleProbability = 0;
    long double FullChannelsProbability = 0;
};

ScaledWaiting ScaledFormWaiting(const QsLoad& load) {
    const ErlangTerms terms = SumErlangTerms(load.OfferedLoad, load.Channels);
    const ScaledNumber sum = terms.HeadSum + terms.Top / ScaledNumber(load.FreeShare());
    return {Stored((ScaledNumber(1.0L) / sum).ToLongDouble()), (terms.Top / sum).ToLongDouble()};
}

QueueCore ScaledFormCore(const QsLoad& load) {
    const long double n = load.Channels;
    const long double freeShare = load.FreeShare();
    const ScaledWaiting waiting = ScaledFormWaiting(load);
    const long double pn = waiting.FullChannelsProbability;
    QueueCore core;
    core.IdleProbability = waiting.IdleProbability;
    core.QueueLength = Stored(pn * (load.OfferedLoad / n) / (freeShare * freeShare));
    core.WaitTime = Stored(pn * load.ServiceTime / (n * freeShare * freeShare));
    return core;
}

}  // namespace

QueueFigures PlainQueue(const QsLoad& load) {
    const QueueCore core = DoubleFormFits(load.Channels, load.OfferedLoad) ? DoubleFormCore(load)
                                                                           : ScaledFormCore(load);
    QueueFigures figures;
    figures.IdleProbability = core.IdleProbability;
    figures.QueueLength = core.QueueLength;
    figures.WaitTime = core.WaitTime;
    figures.InSystem = Stored(static_cast<long double>(core.QueueLength) + load.OfferedLoad);
    figures.SojournTime = Stored(static_cast<long double>(core.WaitTime) + load.ServiceTime);
    return figures;
}

UnboundedWaiting ComputeUnboundedWaiting(const QsLoad& load) {
    if (DoubleFormFits(load.Channels, load.OfferedLoad)) {
        const double idle = DoubleFormIdleProbability(load);
        const long double wait = Power(load.Channels, load.OfferedLoad) /
                                 (Factorial(load.Channels) * load.FreeShare()) * idle;
        return {idle, wait};
    }
    const ScaledWaiting waiting = ScaledFormWaiting(load);
    return {waiting.IdleProbability, waiting.FullChannelsProbability / load.FreeShare()};
}

}  // namespace qnetica
