#pragma once

#include <span>

#include "engine/EngineTypes.h"
#include "engine/QueueFigures.h"

namespace qnetica {

// An n-channel QS serving K classes with relative (non-preemptive) priority; the last class
// is the most urgent. shares[k-1] is the share of class k in the QS's input flow.
struct PriorityFigures {
    QueueFigures Queue;
    double LoadFactor = 0;  // the classes' loads together, per channel
};

// 1 - sigma(1), where sigma(1) is the load per channel of all classes together, formed as the
// waiting-time recursion forms its divisors; the recursion needs it above 0.
long double FreeShareOfClasses(const QsLoad& load, std::span<const double> shares);

// Fills the first K entries of every array of the record, class 1 first, and yields the QS's
// own characteristics. Needs a < n and FreeShareOfClasses above 0.
PriorityFigures PriorityQueue(const QsLoad& load, std::span<const double> shares,
                              ClassResults& record);

}  // namespace qnetica
