#pragma once

#include "engine/QueueFigures.h"

namespace qnetica {

// The unbounded n-channel QS with exponential service (M/M/n), for a < n.
QueueFigures PlainQueue(const QsLoad& load);

// What the other kinds share with it: the probability that the QS is empty and the
// probability that a request has to wait (the Erlang C formula).
struct UnboundedWaiting {
    double IdleProbability = 0;
    long double WaitProbability = 0;
};
UnboundedWaiting ComputeUnboundedWaiting(const QsLoad& load);

}  // namespace qnetica
