#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "sim/BatchSeries.h"
#include "sim/CompiledNetwork.h"
#include "sim/RandomStream.h"
#include "sim/RateTree.h"
#include "sim/RequestQueue.h"

namespace qnetica::sim {

// One independent run of the network from empty, as a continuous-time Markov chain: the next
// event is drawn among the external arrivals and the services in progress by their rates, and
// a completed service belongs to a request chosen uniformly among those in service, which is
// exact because every service time is exponential. Requests live in flat arrays; nothing is
// allocated per event.
class Replication {
  public:
    // More requests than this in the network at once means that some QS is overloaded.
    static constexpr std::uint32_t PopulationLimit = 1u << 18;

    Replication(const CompiledNetwork& network, std::uint64_t seed, std::uint64_t index,
                std::size_t batchCapacity, std::int64_t firstBatchEvents);

    // Simulates until `events` events have happened since the start, `stop` is set, or the
    // population limit is hit. Adds the events simulated to `progress` every few thousand.
    void RunUntil(std::int64_t events, const std::atomic<bool>& stop,
                  std::atomic<std::int64_t>& progress);

    std::int64_t Events() const { return events_; }
    bool Overflowed() const { return overflowed_; }
    int CrowdedQs() const;  // the QS holding the most requests now
    const BatchSeries& Series() const { return series_; }

  private:
    struct Request {
        double Entry = 0;  // arrival in the network
        double Visit = 0;  // arrival at the current QS
        std::uint32_t Class = 0;
    };
    struct QsState {
        std::int32_t Busy = 0;
        std::int32_t Waiting = 0;
        double LastChange = 0;
        std::uint64_t WaitingClasses = 0;  // bit c: class c has a waiting request
        std::vector<std::uint32_t> InService;
        std::vector<RequestQueue> Queues;  // one per class, the most urgent last
    };

    void Step();
    void ArriveFromOutside();
    void Route(int from, std::uint32_t request);
    void Arrive(int k, std::uint32_t request);
    void Depart(int k, double offset);
    void StartService(int k, std::size_t slot, std::uint32_t request);
    std::uint32_t NextWaiting(QsState& qs);
    void Leave(std::uint32_t request);
    void Accumulate(QsState& qs, double* totals);
    void RecordBoundary();
    double* QsTotals(int k) { return totals_.data() + CounterLayout::QsBase(k); }

    const CompiledNetwork& network_;
    RandomStream random_;
    RateTree rates_;
    std::vector<QsState> qs_;  // index 0 unused
    std::vector<Request> requests_;
    std::vector<std::uint32_t> freeRequests_;
    std::uint32_t population_ = 0;
    double now_ = 0;
    std::int64_t events_ = 0;
    bool overflowed_ = false;
    std::vector<double> totals_;
    BatchSeries series_;
};

}  // namespace qnetica::sim
