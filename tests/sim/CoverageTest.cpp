#include <gtest/gtest.h>

#include <functional>

#include "SimTestSupport.h"
#include "sim/Simulator.h"

namespace qnetica::sim {
namespace {

using test::SimNetworkSketch;

struct CoverageCase {
    const char* Name;
    SimulationNetwork Network;
    std::function<Estimate(const SimulationResult&)> Figure;
    long double Exact;
};

// 100 short runs with seeds 1..100 at 90 %: the number of intervals that contain the exact
// value is binomial(100, 0.9) when the intervals are right, 90 +- 3. The band takes in what
// that gives but for one chance in a few hundred, and leaves out intervals that are too narrow
// (a wrong variance or quantile, a warm-up left in) or too wide.
TEST(CoverageTest, NinetyPercentIntervalsContainTheExactValueNinetyTimesInAHundred) {
    const CoverageCase cases[] = {
        {"M/M/1 waiting time", test::SingleQs(SimNetworkSketch(0.5).Plain(1.0)),
         [](const SimulationResult& r) { return r.Qs[0].WaitTime; },
         test::ErlangC(0.5, 1.0, 1).WaitTime},
        {"M/M/2/5 loss probability", test::SingleQs(SimNetworkSketch(1.5).Bounded(1.0, 2, 5)),
         [](const SimulationResult& r) { return r.Qs[0].LossProbability; },
         test::BirthDeath(1.5, 1.0, 2, 5).LossProbability},
    };
    for (const CoverageCase& c : cases) {
        int contained = 0;
        for (std::uint64_t seed = 1; seed <= 100; ++seed) {
            SimulationOptions options = test::TestOptions(seed, 0, 0.90, 4 * 16384);
            options.Replications = 4;
            const SimulationResult result = Simulate(c.Network, options);
            ASSERT_EQ(result.End, SimulationEnd::EventBudget);
            if (c.Figure(result).Contains(static_cast<double>(c.Exact))) ++contained;
        }
        EXPECT_GE(contained, 82) << c.Name;
        EXPECT_LE(contained, 97) << c.Name;
        std::cout << c.Name << ": " << contained << " of 100 intervals contain the exact value\n";
    }
}

}  // namespace
}  // namespace qnetica::sim
