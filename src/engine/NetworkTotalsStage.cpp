#include "engine/NetworkTotalsStage.h"

#include "engine/ErlangMath.h"

namespace qnetica {
namespace {

// Sum over the QS of term(k, results), rounded to a double after each addition.
template <typename Term>
double SumOverQs(const NetworkModel& model, Term term) {
    double sum = 0.0;
    for (int k = 1; k < model.NodeCount(); ++k) sum = Stored(sum + term(k, model.Qs(k).Results));
    return sum;
}

}  // namespace

NetworkTotals FormNetworkTotals(const NetworkModel& model, const StepLosses* losses) {
    using R = const QsResults&;
    // The visits per request of the input flow that a QS's times count for.
    const auto visits = [&model, losses](int k, R r) -> long double {
        if (losses && model.Qs(k).BoundedQueue && model.InputRate() != 0)
            return static_cast<long double>((*losses)[k].ServedRate) / model.InputRate();
        return r.TransferCoefficient;
    };
    NetworkTotals totals;
    totals.QueuedTotal =
        SumOverQs(model, [](int, R r) { return static_cast<long double>(r.QueueLength); });
    totals.InNetworkTotal =
        SumOverQs(model, [](int, R r) { return static_cast<long double>(r.InSystem); });
    totals.NetworkWaitTime =
        SumOverQs(model, [&](int k, R r) { return r.WaitTime * visits(k, r); });
    totals.NetworkSojournTime =
        SumOverQs(model, [&](int k, R r) { return r.SojournTime * visits(k, r); });
    return totals;
}

}  // namespace qnetica
