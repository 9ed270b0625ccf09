#include "sim/SimulationRun.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>
#include <utility>

#include "sim/ParallelFor.h"

namespace qnetica::sim {
namespace {

using Clock = std::chrono::steady_clock;

// Events of a replication in its first round, and the most it advances in one round: a round
// of the largest networks then lasts a fraction of a second, so the time budget and the
// progress display are never far behind.
constexpr std::int64_t FirstRoundEvents = 8192;
constexpr std::int64_t LargestRoundEvents = 1 << 18;
constexpr std::int64_t FirstBatchEvents = 64;
// Fewer rounds than this never stop for precision: the first intervals rest on little data.
constexpr int MinimumRounds = 3;
// The batch series of all replications together stay within this memory.
constexpr std::size_t SeriesBytes = 48u << 20;
constexpr std::size_t FewestBatches = 40;
constexpr std::size_t MostBatches = 320;
// Totals to read (counters x replications x batches) from which the statistics use threads.
constexpr std::size_t ParallelStatisticsWork = 1 << 18;
constexpr auto WorkerPoll = std::chrono::milliseconds(20);
constexpr auto ReportInterval = std::chrono::milliseconds(250);

constexpr double Infinite = std::numeric_limits<double>::infinity();

std::size_t BatchCapacity(std::size_t width, int replications) {
    const std::size_t fit = SeriesBytes / (sizeof(double) * width * replications);
    return std::clamp(fit, FewestBatches, MostBatches) / 10 * 10;
}

int ThreadCount(int asked, int replications) {
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return std::clamp(asked > 0 ? asked : cores, 1, replications);
}

}  // namespace

SimulationRun::SimulationRun(const SimulationNetwork& network, const SimulationOptions& options,
                             SimulationProgress* progress, const std::atomic<bool>* cancel)
    : network_(network),
      options_(options),
      progress_(progress),
      cancel_(cancel),
      compiled_(network),
      figures_(network),
      threads_(ThreadCount(options.Threads, options.Replications)),
      estimator_(figures_, static_cast<std::size_t>(options.Replications), options.Confidence),
      widest_(Infinite) {
    const std::size_t capacity = BatchCapacity(compiled_.Layout().Width(), options.Replications);
    for (int r = 0; r < options.Replications; ++r)
        replications_.push_back(std::make_unique<Replication>(
            compiled_, options.Seed, static_cast<std::uint64_t>(r), capacity, FirstBatchEvents));
}

SimulationResult SimulationRun::Run() {
    start_ = lastReport_ = Clock::now();
    const std::int64_t budget = options_.MaxEvents / options_.Replications;
    std::int64_t reached = 0;
    SimulationEnd end = SimulationEnd::EventBudget;
    while (true) {
        if (reached >= budget) break;
        if (Seconds() >= options_.MaxSeconds) {
            end = SimulationEnd::TimeBudget;
            break;
        }
        const std::int64_t target = std::min(budget, NextTarget(reached));
        if (!RunRound(target)) {
            end = cancelled_ ? SimulationEnd::Cancelled
                  : timeUp_  ? SimulationEnd::TimeBudget
                             : SimulationEnd::PopulationLimit;
            break;
        }
        reached = target;
        Evaluate();
        Report(false);
        if (rounds_ >= MinimumRounds && widest_ <= options_.Precision) {
            end = SimulationEnd::PrecisionReached;
            break;
        }
    }
    Report(true);
    return Result(end);
}

std::int64_t SimulationRun::NextTarget(std::int64_t reached) const {
    if (reached == 0) return FirstRoundEvents;
    return reached + std::clamp(reached / 4, FirstRoundEvents, LargestRoundEvents);
}

bool SimulationRun::RunRound(std::int64_t target) {
    std::atomic<std::size_t> next{0};
    finishedWorkers_ = 0;
    std::vector<std::thread> workers;
    for (int i = 0; i < threads_; ++i) workers.emplace_back([&] { Work(next, target); });
    WaitForWorkers(workers.size());
    for (std::thread& worker : workers) worker.join();
    const bool overflowed = std::any_of(replications_.begin(), replications_.end(),
                                        [](const auto& r) { return r->Overflowed(); });
    return !stop_.load() && !overflowed;
}

void SimulationRun::Work(std::atomic<std::size_t>& next, std::int64_t target) {
    for (std::size_t i = next++; i < replications_.size(); i = next++) {
        replications_[i]->RunUntil(target, stop_, events_);
        if (replications_[i]->Overflowed()) stop_ = true;
    }
    const std::lock_guard lock(mutex_);
    ++finishedWorkers_;
    workerDone_.notify_one();
}

// Wakes every few milliseconds to pass a cancel or the end of the time on to the workers and
// to report progress.
void SimulationRun::WaitForWorkers(std::size_t workers) {
    std::unique_lock lock(mutex_);
    while (finishedWorkers_ < workers) {
        workerDone_.wait_for(lock, WorkerPoll);
        if (cancel_ && cancel_->load()) cancelled_ = stop_ = true;
        if (Seconds() >= options_.MaxSeconds) timeUp_ = stop_ = true;
        lock.unlock();
        Report(false);
        lock.lock();
    }
}

// On several threads when there is enough to share (starting threads costs more than a small
// network's statistics): the replications' totals, then the figures, each by index.
void SimulationRun::Evaluate() {
    const std::size_t work =
        compiled_.Layout().Width() * replications_.size() * replications_.front()->Series().Count();
    const int threads = work >= ParallelStatisticsWork ? threads_ : 1;
    ParallelFor(threads, replications_.size(),
                [&](std::size_t r) { estimator_.Gather(r, replications_[r]->Series()); });
    estimator_.Pool();
    estimates_.assign(figures_.Definitions().size(), Estimate{});
    ParallelFor(threads, estimates_.size(),
                [&](std::size_t f) { estimates_[f] = estimator_.EstimateFigure(f); });
    widest_ = 0;
    for (std::size_t f = 0; f < estimates_.size(); ++f)
        widest_ = std::max(widest_, RelativeHalfWidth(figures_, estimates_, f));
    ++rounds_;
}

void SimulationRun::Report(bool always) {
    if (!progress_) return;
    const auto now = Clock::now();
    if (!always && now - lastReport_ < ReportInterval) return;
    lastReport_ = now;
    progress_->Report({events_.load(), Seconds(), widest_});
}

double SimulationRun::Seconds() const {
    return std::chrono::duration<double>(Clock::now() - start_).count();
}

SimulationResult SimulationRun::Result(SimulationEnd end) const {
    SimulationResult result;
    result.Seed = options_.Seed;
    for (const auto& replication : replications_) result.Events += replication->Events();
    result.Seconds = Seconds();
    result.Threads = threads_;
    result.Replications = options_.Replications;
    result.Rounds = rounds_;
    result.Confidence = options_.Confidence;
    result.Precision = options_.Precision;
    result.End = end;
    result.WidestRelativeHalfWidth = widest_;
    if (end == SimulationEnd::PopulationLimit)
        for (const auto& replication : replications_)
            if (replication->Overflowed()) {
                result.CrowdedQs = replication->CrowdedQs();
                break;
            }
    const std::vector<Estimate> none(figures_.Definitions().size(), Estimate{0, Infinite, 0});
    const std::vector<Estimate>& estimates = estimates_.empty() ? none : estimates_;
    const auto pick = [&](std::size_t figure) {
        return figure == QsFigureIndex::None ? Estimate{} : estimates[figure];
    };
    for (int k = 1; k < network_.NodeCount(); ++k) {
        const QsFigureIndex& index = figures_.Qs(k);
        QsEstimates qs;
        qs.Number = k;
        qs.Kind = network_.Qs[k - 1].Kind;
        qs.Reached = compiled_.Reached()[k];
        qs.ArrivalRate = pick(index.ArrivalRate);
        qs.LoadFactor = pick(index.LoadFactor);
        qs.QueueLength = pick(index.QueueLength);
        qs.InSystem = pick(index.InSystem);
        qs.WaitTime = pick(index.WaitTime);
        qs.SojournTime = pick(index.SojournTime);
        qs.LossProbability = pick(index.LossProbability);
        for (std::size_t figure : index.ClassWaitTimes) qs.ClassWaitTimes.push_back(pick(figure));
        if (!qs.Reached && qs.Kind == QsKind::Priority)
            qs.ClassWaitTimes.assign(network_.Qs[k - 1].ClassShares.size(), Estimate{});
        result.Qs.push_back(std::move(qs));
    }
    result.Network.InNetworkTotal = pick(figures_.InNetworkTotal());
    result.Network.NetworkSojournTime = pick(figures_.NetworkSojournTime());
    result.Network.LossProbability = pick(figures_.NetworkLossProbability());
    return result;
}

}  // namespace qnetica::sim
