#pragma once

#include <cstdint>

namespace qnetica {

// What the queue formulas of every kind of QS start from.
struct QsLoad {
    double ArrivalRate = 0;     // lambda
    double ServiceTime = 0;     // t
    std::int32_t Channels = 1;  // n, at least 1
    double OfferedLoad = 0;     // a = lambda * t, as stored
    double LoadFactor = 0;      // rho = a / n, as stored

    // 1 - a/n formed afresh in extended precision, not from the stored rho.
    long double FreeShare() const {
        return 1.0L - static_cast<long double>(OfferedLoad) / Channels;
    }
};

// The characteristics that the formulas of one kind of QS yield, as they are stored.
struct QueueFigures {
    double IdleProbability = 0;
    double QueueLength = 0;
    double InSystem = 0;
    double WaitTime = 0;
    double SojournTime = 0;
    // A bounded QS only: the share of the arrivals that find it full and are lost, and the
    // share that enters it and goes on.
    double LossProbability = 0;
    double ServedShare = 1;
};

}  // namespace qnetica
