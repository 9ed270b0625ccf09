#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "sim/AliasTable.h"
#include "sim/Mser.h"
#include "sim/RandomStream.h"
#include "sim/RateTree.h"
#include "sim/StudentT.h"

namespace qnetica::sim {
namespace {

TEST(BuildingBlocksTest, StudentQuantilesMatchTheTablesAndTheClosedForms) {
    struct Case {
        double Probability;
        int Freedom;
        double Expected;
        double Tolerance;
    };
    const double pi = std::numbers::pi;
    const auto twoDegrees = [](double p) { return (2 * p - 1) / std::sqrt(2 * p * (1 - p)); };
    const Case cases[] = {
        // Printed tables, four decimals.
        {0.975, 5, 2.5706, 1e-4},
        {0.975, 15, 2.1314, 1e-4},
        {0.95, 10, 1.8125, 1e-4},
        {0.995, 9, 3.2498, 1e-4},
        {0.995, 30, 2.7500, 1e-4},
        {0.975, 120, 1.9799, 1e-4},
        {0.9, 4, 1.5332, 1e-4},
        {0.975, 1000000, 1.959966, 1e-5},  // the normal quantile
        // One degree is Cauchy's distribution, two have a closed form.
        {0.975, 1, std::tan(pi * 0.475), 1e-9},
        {0.995, 1, std::tan(pi * 0.495), 1e-9},
        {0.95, 2, twoDegrees(0.95), 1e-12},
        {0.9995, 2, twoDegrees(0.9995), 1e-12},
        {0.025, 2, -twoDegrees(0.975), 1e-12},
    };
    for (const Case& c : cases) {
        const double t = StudentQuantile(c.Probability, c.Freedom);
        EXPECT_NEAR(t, c.Expected, c.Tolerance * std::fabs(c.Expected))
            << c.Probability << ", " << c.Freedom << " degrees";
        EXPECT_NEAR(StudentDistribution(t, c.Freedom), c.Probability, 1e-12);
    }
}

TEST(BuildingBlocksTest, MserCutsTheTransientAndNothingOfAStationarySeries) {
    const double gap = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> stationary;
    for (int j = 0; j < 40; ++j) stationary.push_back(j % 2 ? 0.1 : -0.1);
    std::vector<double> transient = {10, 8, 6, 4, 2, 1};
    transient.insert(transient.end(), stationary.begin(), stationary.end());
    std::vector<double> withGaps = transient;
    withGaps[20] = withGaps[31] = gap;
    EXPECT_EQ(MserTruncation(stationary), 0u);
    EXPECT_EQ(MserTruncation(transient), 6u);
    EXPECT_EQ(MserTruncation(withGaps), 6u);
    // Never more than half: a series still drifting at its end keeps its second half.
    std::vector<double> drifting;
    for (int j = 0; j < 20; ++j) drifting.push_back(20 - j);
    EXPECT_LE(MserTruncation(drifting), 10u);
    EXPECT_EQ(MserTruncation({}), 0u);
}

// The exact chance of every outcome, read off the draw itself: the high half of the word
// picks one of the C columns, and within a column the low half below a threshold gives the
// column's own outcome, above it the alias; the threshold is found by bisection.
std::vector<long double> DrawChances(const AliasTable& table, std::size_t columns,
                                     std::size_t outcomes) {
    constexpr long double Half = 4294967296.0L;
    std::vector<long double> chance(outcomes, 0);
    for (std::size_t c = 0; c < columns; ++c) {
        const std::uint64_t high = ((std::uint64_t{c} << 32) + columns - 1) / columns;
        const auto draw = [&](std::uint64_t low) { return table.Draw(high << 32 | low); };
        const std::int32_t own = draw(0);
        const std::int32_t alias = draw(0xFFFFFFFF);
        std::uint64_t below = 0, above = 1ull << 32;  // own below `below`, alias from `above`
        while (above - below > 1) {
            const std::uint64_t middle = (below + above) / 2;
            (draw(middle) == own ? below : above) = middle;
        }
        const std::uint64_t threshold = own == alias ? (1ull << 32) : above;
        chance[own] += threshold / Half / columns;
        chance[alias] += ((1ull << 32) - threshold) / Half / columns;
    }
    return chance;
}

TEST(BuildingBlocksTest, AliasDrawsHaveTheChancesOfTheWeights) {
    RandomStream random(9, 0);
    std::vector<double> many(151);
    for (std::size_t i = 0; i < many.size(); ++i) many[i] = i % 3 ? random.Uniform() : 0.0;
    const std::vector<std::vector<double>> cases = {
        {1}, {0, 0, 2}, {1, 1}, {0.1, 0.2, 0.7}, {1e-9, 1, 0, 3}, {0.3, 0.3, 0.3, 0.1}, many};
    for (const std::vector<double>& weights : cases) {
        std::vector<WeightedOutcome> outcomes;
        long double total = 0;
        std::size_t positive = 0;
        for (std::size_t i = 0; i < weights.size(); ++i) {
            outcomes.push_back({static_cast<std::int32_t>(i), weights[i]});
            total += weights[i];
            positive += weights[i] > 0;
        }
        const AliasTable table(outcomes);
        const std::vector<long double> chance = DrawChances(table, positive, weights.size());
        for (std::size_t i = 0; i < weights.size(); ++i)
            EXPECT_NEAR(static_cast<double>(chance[i]), static_cast<double>(weights[i] / total),
                        1e-9)
                << "outcome " << i << " of " << weights.size();
    }
}

TEST(BuildingBlocksTest, RateTreeFindsTheLeafOfEveryPoint) {
    RateTree tree(6);
    const double rates[] = {2, 0, 3, 0, 0, 5};
    for (std::size_t leaf = 0; leaf < 6; ++leaf) tree.Set(leaf, rates[leaf]);
    ASSERT_EQ(tree.Total(), 10);
    struct Case {
        double Point;
        std::size_t Leaf;
        double Offset;
    };
    // The total itself, which rounding can produce, stays in the last leaf with a rate.
    const Case cases[] = {{0, 0, 0}, {1.5, 0, 1.5}, {2, 2, 0}, {4.5, 2, 2.5},
                          {5, 5, 0}, {9.5, 5, 4.5}, {10, 5, 5}};
    for (const Case& c : cases) {
        double point = c.Point;
        EXPECT_EQ(tree.Find(point), c.Leaf) << c.Point;
        EXPECT_EQ(point, c.Offset) << c.Point;
    }
    tree.Set(5, 0);
    double point = tree.Total();
    EXPECT_EQ(tree.Find(point), 2u);
}

}  // namespace
}  // namespace qnetica::sim
