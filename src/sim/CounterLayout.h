#pragma once

#include <cstddef>
#include <vector>

#include "sim/SimulationNetwork.h"

namespace qnetica::sim {

// Where each running total of a replication sits in its flat array of counters. Every figure
// is a ratio of two such totals, so the totals at batch boundaries are all the statistics need.
namespace counter {
// The network's own, at the start of the array.
inline constexpr std::size_t Time = 0;
inline constexpr std::size_t Entries = 1;
inline constexpr std::size_t Exits = 2;        // left through node 0 or lost
inline constexpr std::size_t ExitTimeSum = 3;  // sum of their times in the network
inline constexpr std::size_t NetworkLost = 4;
inline constexpr std::size_t PopulationArea = 5;  // integral of the requests in the network
inline constexpr std::size_t NetworkCount = 6;

// Each QS's block, at offset QsBase(k).
inline constexpr std::size_t Arrivals = 0;
inline constexpr std::size_t Lost = 1;
inline constexpr std::size_t Starts = 2;  // services begun
inline constexpr std::size_t WaitSum = 3;
inline constexpr std::size_t Departures = 4;
inline constexpr std::size_t SojournSum = 5;
inline constexpr std::size_t BusyArea = 6;      // integrals over time of the busy channels,
inline constexpr std::size_t WaitingArea = 7;   // of the waiting requests
inline constexpr std::size_t InSystemArea = 8;  // and of both together
inline constexpr std::size_t QsCount = 9;

// Each class of a priority QS, at ClassBase(k) + 2 * (class - 1).
inline constexpr std::size_t ClassStarts = 0;
inline constexpr std::size_t ClassWaitSum = 1;
inline constexpr std::size_t ClassCount = 2;
}  // namespace counter

class CounterLayout {
  public:
    explicit CounterLayout(const SimulationNetwork& network);

    static std::size_t QsBase(int k) {
        return counter::NetworkCount + static_cast<std::size_t>(k - 1) * counter::QsCount;
    }
    std::size_t ClassBase(int k) const { return classBase_[k]; }
    std::size_t Width() const { return width_; }

  private:
    std::vector<std::size_t> classBase_;  // index k; 0 for a QS without classes
    std::size_t width_ = 0;
};

}  // namespace qnetica::sim
