#include "engine/BoundedQueue.h"

#include <algorithm>
#include <cmath>

#include "engine/ErlangMath.h"
#include "engine/ErlangSeries.h"

namespace qnetica {
namespace {

// The closed forms (1 - rho^(K+1)) / (1 - rho) and the queue length's difference of powers
// cancel as rho approaches 1; above this load the cancellation-free form is used instead.
constexpr double ClosedFormLoadLimit = 0.9375;
// Beyond this many waiting places rho^K has vanished below the closed form's load limit, and
// the double powers would only cost time.
constexpr std::int64_t ClosedFormPlacesLimit = 65536;

// The states of the QS: the channels that serve (n, or m when m < n) and the waiting places.
struct Capacity {
    std::int64_t Channels = 0;
    std::int64_t WaitingPlaces = 0;
};

// What the queue formulas need besides the stored load: the idle probability, the mean queue,
// the share 1 - P_m of the requests that find the QS not full and enter it, and P_m itself,
// formed directly so that a small loss keeps its digits.
struct BoundedCore {
    double IdleProbability = 0;
    double QueueLength = 0;
    long double AdmittedShare = 0;
    long double FullProbability = 0;
};

// 1 - P_m from P_m and from the sum of the states below m. While P_m is at most 1/2 the
// difference cannot cancel; beyond, the sum keeps its precision however nearly full the QS is,
// where the difference would lose it (at rho = 1e12 with one place, all of it).
long double AdmittedShare(long double fullProbability, long double notFullProbability) {
    return fullProbability <= 0.5L ? 1.0L - fullProbability : notFullProbability;
}

// (n-1)! (n-a)^2, the divisor of the closed form's queue length, as a double product.
double QueueLengthDivisor(std::int64_t n, double a) {
    return Factorial(n - 1) * Power(2, Stored(static_cast<long double>(n) - a));
}

bool ClosedFormFits(const QsLoad& load, const Capacity& capacity) {
    if (!DoubleFormFits(capacity.Channels, load.OfferedLoad)) return false;
    if (capacity.WaitingPlaces == 0) return true;
    // With some 170 channels the divisor leaves the range of a double while the queue does not.
    return load.LoadFactor <= ClosedFormLoadLimit &&
           capacity.WaitingPlaces <= ClosedFormPlacesLimit &&
           std::isfinite(Power(capacity.WaitingPlaces + 1, load.LoadFactor)) &&
           std::isfinite(QueueLengthDivisor(capacity.Channels, load.OfferedLoad));
}

// P0 = 1 / (sum of a^i/i! for i < n + a^n/n! * (1 - rho^(K+1)) / (1 - a/n)) and
// Lq = a^(n+1) / ((n-1)! (n-a)^2) * ((1 - rho^(K+1)) - rho^K (1 - rho)(K+1)) * P0, in doubles.
BoundedCore ClosedFormCore(const QsLoad& load, const Capacity& capacity) {
    const std::int64_t n = capacity.Channels;
    const std::int64_t K = capacity.WaitingPlaces;
    const double a = load.OfferedLoad;
    const double rho = load.LoadFactor;
    const DoubleFormHead head = SumDoubleFormHead(n, a);
    const long double tail =
        K == 0 ? static_cast<long double>(head.PowerN) / head.FactorialN
               : head.PowerN * (1.0L - Power(K + 1, rho)) / (head.FactorialN * load.FreeShare());
    const double sum = Stored(head.Sum + tail);
    BoundedCore core;
    core.IdleProbability = Stored(1.0L / sum);
    if (K > 0) {
        const long double x = Power(n + 1, a) / QueueLengthDivisor(n, a);
        const long double y = (1.0L - Power(K + 1, rho)) -
                              Power(K, rho) * (1.0L - rho) * static_cast<long double>(K + 1);
        core.QueueLength = Stored(x * y * core.IdleProbability);
    }
    const long double full = static_cast<long double>(core.IdleProbability) * head.PowerN /
                             head.FactorialN * Power(K, rho);
    // With waiting places rho <= 15/16 keeps P_m below 1/2. Without, the QS may be nearly always
    // full, and the states below m are the head of the sum.
    core.AdmittedShare =
        K > 0 ? 1.0L - full : AdmittedShare(full, head.Sum / static_cast<long double>(sum));
    core.FullProbability = full;
    return core;
}

// The same from the birth-death terms, without cancellation and without leaving the range.
BoundedCore ScaledFormCore(const QsLoad& load, const Capacity& capacity) {
    const ErlangTerms terms = SumErlangTerms(load.OfferedLoad, capacity.Channels);
    const GeometricMoments queue =
        SumGeometricMoments(load.OfferedLoad, load.Channels, capacity.WaitingPlaces);
    const ScaledNumber sum = terms.HeadSum + terms.Top * queue.Sum;
    BoundedCore core;
    core.IdleProbability = Stored((ScaledNumber(1.0L) / sum).ToLongDouble());
    core.QueueLength = Stored((terms.Top * queue.Weighted / sum).ToLongDouble());
    core.FullProbability = (terms.Top * queue.Last / sum).ToLongDouble();
    core.AdmittedShare =
        AdmittedShare(core.FullProbability,
                      ((terms.HeadSum + terms.Top * queue.BeforeLast) / sum).ToLongDouble());
    return core;
}

}  // namespace

QueueFigures BoundedQueue(const QsLoad& load, std::int32_t places) {
    const Capacity capacity{std::min<std::int64_t>(load.Channels, places),
                            std::max<std::int64_t>(places - load.Channels, 0)};
    const BoundedCore core = ClosedFormFits(load, capacity) ? ClosedFormCore(load, capacity)
                                                            : ScaledFormCore(load, capacity);
    // Requests that find the QS full are lost: only lambda * (1 - P_m) enter it.
    const long double admitted = core.AdmittedShare;
    QueueFigures figures;
    figures.IdleProbability = core.IdleProbability;
    figures.QueueLength = core.QueueLength;
    figures.InSystem = Stored(core.QueueLength + load.OfferedLoad * admitted);
    figures.WaitTime =
        core.QueueLength == 0 ? 0.0 : Stored(core.QueueLength / (load.ArrivalRate * admitted));
    figures.SojournTime = Stored(static_cast<long double>(figures.WaitTime) + load.ServiceTime);
    figures.LossProbability = Stored(core.FullProbability);
    figures.ServedShare = Stored(admitted);
    return figures;
}

}  // namespace qnetica
