#pragma once

#include <cstdint>
#include <vector>

#include "sim/SimulationNetwork.h"

namespace qnetica::sim {

// A simulated figure: its estimate over all replications after the warm-up was cut, the
// half-width of its confidence interval, and how many observations it rests on (visits for the
// times, arrivals for the rates and the loss probability and for the time averages). The
// half-width is infinite while some replication has no observation of the figure.
struct Estimate {
    double Mean = 0;
    double HalfWidth = 0;
    std::int64_t Samples = 0;

    bool Contains(double value) const {
        return value >= Mean - HalfWidth && value <= Mean + HalfWidth;
    }
};

// Per QS. The times are per visit: WaitTime from arrival to the start of service, SojournTime
// from arrival to departure, over the requests that entered (a request lost at a full bounded
// QS has neither). ArrivalRate counts every arrival, the lost ones too. LoadFactor is the mean
// number of busy channels divided by the channels; QueueLength and InSystem are time averages
// of the waiting requests and of all requests in the QS.
struct QsEstimates {
    int Number = 0;
    QsKind Kind = QsKind::Plain;
    bool Reached = true;  // false: no request can reach it; every figure is 0, not estimated
    Estimate ArrivalRate, LoadFactor, QueueLength, InSystem, WaitTime, SojournTime;
    Estimate LossProbability;              // Bounded: share of the arrivals that found it full
    std::vector<Estimate> ClassWaitTimes;  // Priority: class 1 first, per visit of the class
};

// The network as a whole. A request leaves it through node 0 or when it is lost; the time in
// the network runs from its arrival from outside to either, so that InNetworkTotal equals the
// input rate times NetworkSojournTime (Little's law).
struct NetworkEstimates {
    Estimate InNetworkTotal;      // time average of the requests in the network
    Estimate NetworkSojournTime;  // per request that left
    Estimate LossProbability;     // share of the requests that left by being lost
};

enum class SimulationEnd {
    PrecisionReached,
    EventBudget,
    TimeBudget,
    Cancelled,
    PopulationLimit,  // some replication held too many requests: a QS is overloaded
};

// What a run measured. The figures are those of the last round that every replication
// completed; a run ended before the first round has none (all Samples 0). The precision rule:
// a figure is precise when its half-width is at most Precision times its scale, the scale
// being the mean itself, except for a waiting time (the mean plus the QS's service time, i.e.
// the sojourn it is part of), a queue length (the mean number in the QS) and a loss
// probability (the larger of it and its complement). QS that no request reaches do not count.
struct SimulationResult {
    std::uint64_t Seed = 0;
    std::int64_t Events = 0;  // simulated, over all replications
    double Seconds = 0;
    int Threads = 0;
    int Replications = 0;
    int Rounds = 0;  // completed
    double Confidence = 0;
    double Precision = 0;
    SimulationEnd End = SimulationEnd::EventBudget;
    double WidestRelativeHalfWidth = 0;
    int CrowdedQs = 0;            // PopulationLimit: the QS that held the most requests then
    std::vector<QsEstimates> Qs;  // QS k at index k - 1
    NetworkEstimates Network;
};

}  // namespace qnetica::sim
