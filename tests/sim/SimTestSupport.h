#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "ExactQueues.h"
#include "sim/SimulationNetwork.h"
#include "sim/SimulationOptions.h"
#include "sim/SimulationResult.h"

namespace qnetica::sim::test {

// Builds simulation networks: QS are added with their parameters, links by probability.
class SimNetworkSketch {
  public:
    explicit SimNetworkSketch(double inputRate) { network_.InputRate = inputRate; }

    SimNetworkSketch& Plain(double serviceTime, int channels = 1) {
        return Add({serviceTime, channels, QsKind::Plain, 0, {}});
    }
    SimNetworkSketch& Bounded(double serviceTime, int channels, int places) {
        return Add({serviceTime, channels, QsKind::Bounded, places, {}});
    }
    SimNetworkSketch& Priority(double serviceTime, int channels, std::vector<double> shares) {
        return Add({serviceTime, channels, QsKind::Priority, 0, std::move(shares)});
    }
    SimNetworkSketch& Link(int from, int to, double probability) {
        network_.Transfer[from][to] = probability;
        return *this;
    }
    const SimulationNetwork& Network() const { return network_; }

  private:
    SimNetworkSketch& Add(SimulationQs qs) {
        network_.Qs.push_back(std::move(qs));
        const int n = network_.NodeCount();
        network_.Transfer.resize(n);
        for (auto& row : network_.Transfer) row.resize(n, 0.0);
        return *this;
    }
    SimulationNetwork network_{0, {}, {{0.0}}};
};

// One QS between the outside and the outside.
inline SimulationNetwork SingleQs(SimNetworkSketch qs) {
    return qs.Link(0, 1, 1).Link(1, 0, 1).Network();
}

inline SimulationOptions TestOptions(std::uint64_t seed, double precision, double confidence,
                                     std::int64_t maxEvents) {
    SimulationOptions options;
    options.Seed = seed;
    options.Precision = precision;
    options.Confidence = confidence;
    options.MaxEvents = maxEvents;
    options.Threads = 2;
    return options;
}

// A simulated figure beside its exact value.
struct FigureCheck {
    std::string Name;
    Estimate Simulated;
    long double Exact;
};

inline std::vector<FigureCheck> QsChecks(const QsEstimates& qs, const ExactQs& exact,
                                         const std::string& prefix) {
    std::vector<FigureCheck> checks = {
        {prefix + " arrival rate", qs.ArrivalRate, exact.ArrivalRate},
        {prefix + " load factor", qs.LoadFactor, exact.LoadFactor},
        {prefix + " queue length", qs.QueueLength, exact.QueueLength},
        {prefix + " in system", qs.InSystem, exact.InSystem},
        {prefix + " wait time", qs.WaitTime, exact.WaitTime},
        {prefix + " sojourn time", qs.SojournTime, exact.SojournTime},
    };
    if (qs.Kind == QsKind::Bounded)
        checks.push_back({prefix + " loss probability", qs.LossProbability, exact.LossProbability});
    EXPECT_EQ(qs.ClassWaitTimes.size(), exact.ClassWaitTimes.size()) << prefix;
    for (std::size_t c = 0; c < exact.ClassWaitTimes.size() && c < qs.ClassWaitTimes.size(); ++c)
        checks.push_back({prefix + " wait of class " + std::to_string(c + 1), qs.ClassWaitTimes[c],
                          exact.ClassWaitTimes[c]});
    return checks;
}

inline std::string Describe(const FigureCheck& check) {
    return check.Name + ": exact " + std::to_string(static_cast<double>(check.Exact)) +
           ", simulated " + std::to_string(check.Simulated.Mean) + " +- " +
           std::to_string(check.Simulated.HalfWidth);
}

// Counts, per figure, the runs whose interval missed the exact value. With intervals of 99 %
// and three seeds, a figure that misses twice is wrong with near certainty (chance: 3 in
// 10,000), while one miss among the dozens of intervals of a table is what 99 % allows.
class MissTally {
  public:
    void Add(const std::vector<FigureCheck>& checks) {
        for (const FigureCheck& check : checks) {
            int& misses = misses_[check.Name];
            if (check.Simulated.Contains(static_cast<double>(check.Exact))) continue;
            ++misses;
            notes_ += Describe(check) + "\n";
        }
    }
    void ExpectAtMostOneMissEach() const {
        for (const auto& [name, misses] : misses_) EXPECT_LE(misses, 1) << name << "\n" << notes_;
    }

  private:
    std::map<std::string, int> misses_;
    std::string notes_;
};

}  // namespace qnetica::sim::test
