#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <limits>
#include <thread>

#include "SimTestSupport.h"
#include "model/Error.h"
#include "sim/Simulator.h"

namespace qnetica::sim {
namespace {

using test::SimNetworkSketch;

// A network with every kind of QS, feedback and a bounded QS feeding a priority one.
SimulationNetwork MixedNetwork() {
    SimNetworkSketch sketch(0.9);
    sketch.Plain(0.4, 2).Bounded(0.8, 1, 3).Priority(0.5, 1, {0.2, 0.3, 0.5}).Plain(0.3);
    sketch.Link(0, 1, 0.6).Link(0, 2, 0.4).Link(1, 2, 0.3).Link(1, 3, 0.5).Link(1, 0, 0.2);
    sketch.Link(2, 3, 0.7).Link(2, 0, 0.3).Link(3, 4, 0.5).Link(3, 1, 0.1).Link(3, 0, 0.4);
    sketch.Link(4, 0, 1);
    return sketch.Network();
}

std::vector<Estimate> AllEstimates(const SimulationResult& result) {
    std::vector<Estimate> all;
    for (const QsEstimates& qs : result.Qs) {
        all.insert(all.end(), {qs.ArrivalRate, qs.LoadFactor, qs.QueueLength, qs.InSystem,
                               qs.WaitTime, qs.SojournTime, qs.LossProbability});
        all.insert(all.end(), qs.ClassWaitTimes.begin(), qs.ClassWaitTimes.end());
    }
    all.insert(all.end(), {result.Network.InNetworkTotal, result.Network.NetworkSojournTime,
                           result.Network.LossProbability});
    return all;
}

// Bit for bit: the threads only share out the replications.
TEST(RunControlTest, TheSameSeedGivesTheSameFiguresOnOneAndOnTwoThreads) {
    std::vector<SimulationResult> results;
    for (int threads : {1, 2, 2}) {
        SimulationOptions options = test::TestOptions(42, 0.05, 0.95, 2'000'000);
        options.Threads = threads;
        results.push_back(Simulate(MixedNetwork(), options));
    }
    for (const SimulationResult& result : {results[1], results[2]}) {
        EXPECT_EQ(result.Events, results[0].Events);
        EXPECT_EQ(result.Rounds, results[0].Rounds);
        const auto one = AllEstimates(results[0]);
        const auto other = AllEstimates(result);
        ASSERT_EQ(one.size(), other.size());
        for (std::size_t i = 0; i < one.size(); ++i) {
            EXPECT_EQ(one[i].Mean, other[i].Mean) << i;
            EXPECT_EQ(one[i].HalfWidth, other[i].HalfWidth) << i;
            EXPECT_EQ(one[i].Samples, other[i].Samples) << i;
        }
    }
    EXPECT_EQ(results[0].Threads, 1);
    EXPECT_EQ(results[1].Threads, 2);
    SimulationOptions options = test::TestOptions(43, 0.05, 0.95, 2'000'000);
    EXPECT_NE(Simulate(MixedNetwork(), options).Network.InNetworkTotal.Mean,
              results[0].Network.InNetworkTotal.Mean);
}

// Records what the run reports and cancels it from the reporting thread's side: the flag is
// set by another thread once the run is under way.
class ProgressLog : public SimulationProgress {
  public:
    void Report(const ProgressReport& report) override {
        reports.push_back(report);
        started = true;
    }
    std::vector<ProgressReport> reports;
    std::atomic<bool> started{false};
};

// The wait bound only detects a hang; it is not a timing requirement.
constexpr auto HangBound = std::chrono::seconds(60);

TEST(RunControlTest, ACancelFromAnotherThreadEndsTheRun) {
    std::atomic<bool> cancel{false};
    ProgressLog progress;
    SimulationOptions options =
        test::TestOptions(1, 0, 0.95, std::numeric_limits<std::int64_t>::max());
    options.MaxSeconds = 1e9;
    auto run = std::async(std::launch::async,
                          [&] { return Simulate(MixedNetwork(), options, &progress, &cancel); });
    std::thread canceller([&] {
        while (!progress.started) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        cancel = true;
    });
    const bool ended = run.wait_for(HangBound) == std::future_status::ready;
    if (!ended) cancel = true;  // lets the thread end before the test fails
    canceller.join();
    ASSERT_TRUE(ended) << "the run did not stop after the cancel";
    const SimulationResult result = run.get();
    EXPECT_EQ(result.End, SimulationEnd::Cancelled);
    EXPECT_GT(result.Events, 0);
    // The last report comes at the end and counts every event.
    ASSERT_FALSE(progress.reports.empty());
    EXPECT_EQ(progress.reports.back().Events, result.Events);
}

// Each budget and the population limit end a run that would otherwise go on for ever: no
// precision to reach, or an overloaded QS whose queue only grows.
TEST(RunControlTest, EveryRunEndsAtABudgetOrAtThePopulationLimit) {
    struct Case {
        const char* Name;
        SimulationNetwork Network;
        std::int64_t MaxEvents;
        double MaxSeconds;
        SimulationEnd End;
    };
    const Case cases[] = {
        {"events", MixedNetwork(), 500'000, 1e9, SimulationEnd::EventBudget},
        {"seconds", MixedNetwork(), std::numeric_limits<std::int64_t>::max(), 0.2,
         SimulationEnd::TimeBudget},
        {"overload", test::SingleQs(SimNetworkSketch(40).Plain(1.0)),
         std::numeric_limits<std::int64_t>::max(), 1e9, SimulationEnd::PopulationLimit},
    };
    for (const Case& c : cases) {
        SimulationOptions options = test::TestOptions(5, 0, 0.95, c.MaxEvents);
        options.MaxSeconds = c.MaxSeconds;
        options.Replications = 2;
        auto run = std::async(std::launch::async, [&] { return Simulate(c.Network, options); });
        ASSERT_EQ(run.wait_for(HangBound), std::future_status::ready) << c.Name;
        const SimulationResult result = run.get();
        EXPECT_EQ(result.End, c.End) << c.Name;
        if (c.End == SimulationEnd::EventBudget) {
            EXPECT_EQ(result.Events, c.MaxEvents) << c.Name;
        }
        if (c.End == SimulationEnd::PopulationLimit) {
            EXPECT_EQ(result.CrowdedQs, 1);
        }
    }
}

TEST(RunControlTest, OptionsOutOfRangeAreRefused) {
    const SimulationNetwork network = test::SingleQs(SimNetworkSketch(0.5).Plain(1.0));
    const std::function<void(SimulationOptions&)> wrong[] = {
        [](SimulationOptions& o) { o.Precision = -0.01; },
        [](SimulationOptions& o) { o.Confidence = 1; },
        [](SimulationOptions& o) { o.Confidence = 0; },
        [](SimulationOptions& o) { o.MaxEvents = 0; },
        [](SimulationOptions& o) { o.MaxSeconds = 0; },
        [](SimulationOptions& o) { o.Replications = 1; },
        [](SimulationOptions& o) { o.Threads = -1; },
    };
    for (const auto& change : wrong) {
        SimulationOptions options;
        change(options);
        EXPECT_THROW(Simulate(network, options), Error);
    }
}

}  // namespace
}  // namespace qnetica::sim
