#include "engine/NetworkTotalsStage.h"

#include "engine/ErlangMath.h"

namespace qnetica {
namespace {

// Sum over the QS of term(results), rounded to a double after each addition.
template <typename Term>
double SumOverQs(const NetworkModel& model, Term term) {
    double sum = 0.0;
    for (int k = 1; k < model.NodeCount(); ++k) sum = Stored(sum + term(model.Qs(k).Results));
    return sum;
}

}  // namespace

NetworkTotals FormNetworkTotals(const NetworkModel& model) {
    using R = const QsResults&;
    NetworkTotals totals;
    totals.QueuedTotal =
        SumOverQs(model, [](R r) { return static_cast<long double>(r.QueueLength); });
    totals.InNetworkTotal =
        SumOverQs(model, [](R r) { return static_cast<long double>(r.InSystem); });
    totals.NetworkWaitTime = SumOverQs(
        model, [](R r) { return static_cast<long double>(r.WaitTime) * r.TransferCoefficient; });
    totals.NetworkSojournTime = SumOverQs(
        model, [](R r) { return static_cast<long double>(r.SojournTime) * r.TransferCoefficient; });
    return totals;
}

}  // namespace qnetica
