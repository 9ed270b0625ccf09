#include "sim/Replication.h"

#include <algorithm>
#include <bit>

namespace qnetica::sim {
namespace {

// Events between looks at the stop flag: well under a millisecond even in a sanitized build.
constexpr std::int64_t EventsBetweenChecks = 4096;

}  // namespace

Replication::Replication(const CompiledNetwork& network, std::uint64_t seed, std::uint64_t index,
                         std::size_t batchCapacity, std::int64_t firstBatchEvents)
    : network_(network),
      random_(seed, index),
      rates_(network.NodeCount()),
      qs_(network.NodeCount()),
      totals_(network.Layout().Width(), 0.0),
      series_(network.Layout().Width(), batchCapacity, firstBatchEvents) {
    for (int k = 1; k < network.NodeCount(); ++k)
        qs_[k].Queues.resize(network.Reached()[k] ? network.Qs(k).Classes : 0);
    rates_.Set(0, network.InputRate());
}

void Replication::RunUntil(std::int64_t events, const std::atomic<bool>& stop,
                           std::atomic<std::int64_t>& progress) {
    while (events_ < events && !overflowed_) {
        const std::int64_t end =
            std::min({events, series_.NextBoundary(), events_ + EventsBetweenChecks});
        const std::int64_t start = events_;
        while (events_ < end && !overflowed_) {
            Step();
            ++events_;
        }
        if (events_ == series_.NextBoundary()) RecordBoundary();
        progress.fetch_add(events_ - start, std::memory_order_relaxed);
        if (stop.load(std::memory_order_relaxed)) return;
    }
}

int Replication::CrowdedQs() const {
    int crowded = 0;
    std::int32_t most = -1;
    for (int k = 1; k < static_cast<int>(qs_.size()); ++k) {
        const std::int32_t held = qs_[k].Busy + qs_[k].Waiting;
        if (held > most) {
            most = held;
            crowded = k;
        }
    }
    return crowded;
}

// The holding time of the state is exponential with the total rate; the population integral
// is advanced with it, the QS integrals only when their QS changes.
void Replication::Step() {
    const double total = rates_.Total();
    const double elapsed = random_.Exponential() / total;
    totals_[counter::PopulationArea] += population_ * elapsed;
    now_ += elapsed;
    double point = random_.Uniform() * total;
    const std::size_t source = rates_.Find(point);
    if (source == 0)
        ArriveFromOutside();
    else
        Depart(static_cast<int>(source), point);
}

void Replication::ArriveFromOutside() {
    if (population_ == PopulationLimit) {
        overflowed_ = true;
        return;
    }
    std::uint32_t request;
    if (freeRequests_.empty()) {
        request = static_cast<std::uint32_t>(requests_.size());
        requests_.emplace_back();
    } else {
        request = freeRequests_.back();
        freeRequests_.pop_back();
    }
    ++population_;
    requests_[request].Entry = now_;
    totals_[counter::Entries] += 1;
    Route(0, request);
}

void Replication::Route(int from, std::uint32_t request) {
    const int to = network_.Route(from).Draw(random_.Next());
    if (to == 0)
        Leave(request);
    else
        Arrive(to, request);
}

void Replication::Arrive(int k, std::uint32_t request) {
    QsState& qs = qs_[k];
    const CompiledQs& params = network_.Qs(k);
    double* totals = QsTotals(k);
    Accumulate(qs, totals);
    totals[counter::Arrivals] += 1;
    if (qs.Busy + qs.Waiting >= params.Capacity) {
        totals[counter::Lost] += 1;
        totals_[counter::NetworkLost] += 1;
        Leave(request);
        return;
    }
    Request& r = requests_[request];
    r.Visit = now_;
    r.Class = params.Priority ? network_.ClassDraw(k).Draw(random_.Next()) : 0;
    if (qs.Busy < params.Channels) {
        const std::size_t slot = static_cast<std::size_t>(qs.Busy++);
        if (slot == qs.InService.size()) qs.InService.push_back(0);
        StartService(k, slot, request);
        rates_.Set(k, qs.Busy * params.ServiceRate);
        return;
    }
    qs.Queues[r.Class].Push(request);
    qs.WaitingClasses |= std::uint64_t{1} << r.Class;
    ++qs.Waiting;
}

// `offset` lies in [0, Busy x rate): it picks the service that ends, uniformly.
void Replication::Depart(int k, double offset) {
    QsState& qs = qs_[k];
    const CompiledQs& params = network_.Qs(k);
    double* totals = QsTotals(k);
    Accumulate(qs, totals);
    const auto slot = std::min(static_cast<std::size_t>(offset * params.ServiceTime),
                               static_cast<std::size_t>(qs.Busy - 1));
    const std::uint32_t request = qs.InService[slot];
    totals[counter::Departures] += 1;
    totals[counter::SojournSum] += now_ - requests_[request].Visit;
    if (qs.Waiting > 0) {
        StartService(k, slot, NextWaiting(qs));
    } else {
        qs.InService[slot] = qs.InService[--qs.Busy];
        rates_.Set(k, qs.Busy * params.ServiceRate);
    }
    Route(k, request);
}

void Replication::StartService(int k, std::size_t slot, std::uint32_t request) {
    qs_[k].InService[slot] = request;
    const Request& r = requests_[request];
    const double wait = now_ - r.Visit;
    double* totals = QsTotals(k);
    totals[counter::Starts] += 1;
    totals[counter::WaitSum] += wait;
    if (!network_.Qs(k).Priority) return;
    double* classTotals =
        totals_.data() + network_.Layout().ClassBase(k) + counter::ClassCount * r.Class;
    classTotals[counter::ClassStarts] += 1;
    classTotals[counter::ClassWaitSum] += wait;
}

// The head of the most urgent class that waits.
std::uint32_t Replication::NextWaiting(QsState& qs) {
    const int urgent = 63 - std::countl_zero(qs.WaitingClasses);
    RequestQueue& queue = qs.Queues[urgent];
    const std::uint32_t request = queue.Pop();
    if (queue.Empty()) qs.WaitingClasses &= ~(std::uint64_t{1} << urgent);
    --qs.Waiting;
    return request;
}

void Replication::Leave(std::uint32_t request) {
    totals_[counter::Exits] += 1;
    totals_[counter::ExitTimeSum] += now_ - requests_[request].Entry;
    freeRequests_.push_back(request);
    --population_;
}

void Replication::Accumulate(QsState& qs, double* totals) {
    const double elapsed = now_ - qs.LastChange;
    totals[counter::BusyArea] += qs.Busy * elapsed;
    totals[counter::WaitingArea] += qs.Waiting * elapsed;
    totals[counter::InSystemArea] += (qs.Busy + qs.Waiting) * elapsed;
    qs.LastChange = now_;
}

void Replication::RecordBoundary() {
    for (int k = 1; k < static_cast<int>(qs_.size()); ++k) Accumulate(qs_[k], QsTotals(k));
    totals_[counter::Time] = now_;
    series_.Record(totals_);
}

}  // namespace qnetica::sim
