#pragma once

#include <cstdint>
#include <vector>

#include "sim/AliasTable.h"
#include "sim/CounterLayout.h"
#include "sim/SimulationNetwork.h"

namespace qnetica::sim {

// What every replication reads and none changes: the draws of the routing and of the classes,
// and the constants of each QS. Shared by all threads of a run.
struct CompiledQs {
    double ServiceRate = 1;
    double ServiceTime = 1;
    std::int32_t Channels = 1;
    std::int32_t Capacity = 0;  // the most requests the QS holds; no limit but memory otherwise
    std::int32_t Classes = 1;   // queues of the QS; a plain or bounded QS has one
    bool Priority = false;
};

class CompiledNetwork {
  public:
    explicit CompiledNetwork(const SimulationNetwork& network);

    int NodeCount() const { return static_cast<int>(routes_.size()); }
    const CompiledQs& Qs(int k) const { return qs_[k]; }  // k = 1..N
    const AliasTable& Route(int node) const { return routes_[node]; }
    const AliasTable& ClassDraw(int k) const { return classDraws_[k]; }
    const CounterLayout& Layout() const { return layout_; }
    const std::vector<bool>& Reached() const { return reached_; }
    double InputRate() const { return inputRate_; }

  private:
    std::vector<CompiledQs> qs_;  // index 0 unused
    std::vector<AliasTable> routes_;
    std::vector<AliasTable> classDraws_;
    CounterLayout layout_;
    std::vector<bool> reached_;
    double inputRate_;
};

}  // namespace qnetica::sim
