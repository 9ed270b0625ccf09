#pragma once

#include <cstddef>
#include <vector>

#include "sim/SimulationNetwork.h"

namespace qnetica::sim {

// What a figure's precision is measured against (see SimulationResult.h).
enum class ScaleRule {
    Mean,                // |mean|
    MeanPlusService,     // mean + ServiceTime: a waiting time against the sojourn it is part of
    Companion,           // the mean of another figure: a queue length against the number in the QS
    LargerOfComplement,  // max(p, 1 - p) for a probability
};

// One reported figure: Factor * (numerator total / denominator total) over a stretch of a
// replication; Count's total is the number of observations behind it.
struct FigureDefinition {
    std::size_t Numerator = 0;
    std::size_t Denominator = 0;
    std::size_t Count = 0;
    double Factor = 1;
    ScaleRule Scale = ScaleRule::Mean;
    double ServiceTime = 0;     // MeanPlusService
    std::size_t Companion = 0;  // Companion: index of the other figure
};

// Where a QS's figures sit in the list; `None` for a figure that the QS does not have.
struct QsFigureIndex {
    static constexpr std::size_t None = static_cast<std::size_t>(-1);
    std::size_t ArrivalRate = None, LoadFactor = None, QueueLength = None, InSystem = None,
                WaitTime = None, SojournTime = None, LossProbability = None;
    std::vector<std::size_t> ClassWaitTimes;
};

// Every figure of a run: those of each QS that requests reach, then the network's.
class FigureSet {
  public:
    explicit FigureSet(const SimulationNetwork& network);

    const std::vector<FigureDefinition>& Definitions() const { return definitions_; }
    const QsFigureIndex& Qs(int k) const { return qs_[k]; }  // k = 1..N
    std::size_t InNetworkTotal() const { return inNetwork_; }
    std::size_t NetworkSojournTime() const { return networkSojourn_; }
    std::size_t NetworkLossProbability() const { return networkLoss_; }

  private:
    std::size_t Add(const FigureDefinition& definition);
    void AddQs(const SimulationNetwork& network, int k, std::size_t classBase);

    std::vector<FigureDefinition> definitions_;
    std::vector<QsFigureIndex> qs_;
    std::size_t inNetwork_ = 0, networkSojourn_ = 0, networkLoss_ = 0;
};

}  // namespace qnetica::sim
