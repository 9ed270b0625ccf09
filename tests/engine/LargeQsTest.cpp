#include <gtest/gtest.h>

#include <cstdint>

#include "EngineTestSupport.h"
#include "engine/BoundedQueue.h"
#include "engine/PlainQueue.h"

namespace qnetica {
namespace {

using test::MakeLoad;
using test::RelativeError;

// Erlang's loss formula by its recursion B(k) = a B(k-1) / (k + a B(k-1)), which takes every
// channel in turn and so is independent of the engine's shortcut past the negligible terms.
long double ErlangB(long double a, std::int64_t channels) {
    long double b = 1;
    for (std::int64_t k = 1; k <= channels; ++k) b = a * b / (k + a * b);
    return b;
}

// From a load of 1e5 on the engine starts its Erlang sums near their largest terms; the figures
// must be those of the whole sums: the queue of an M/M/n QS through the probability of waiting
// C = B / (1 - rho (1 - B)), Lq = C rho / (1 - rho), Wq = C t / (n (1 - rho)).
TEST(LargeQsTest, HundredsOfThousandsOfChannelsAgreeWithErlangsFormulas) {
    for (int n : {200000, 1000000}) {
        for (double rho : {0.5, 0.9, 0.995}) {
            SCOPED_TRACE("n = " + std::to_string(n) + ", rho = " + std::to_string(rho));
            const double t = 2.0;
            const QsLoad load = MakeLoad(rho * n / t, t, n);
            const long double r = static_cast<long double>(load.OfferedLoad) / n;
            const long double b = ErlangB(load.OfferedLoad, n);
            const long double c = b / (1 - r * (1 - b));
            const QueueFigures figures = PlainQueue(load);
            EXPECT_EQ(figures.IdleProbability, 0.0);
            EXPECT_LT(RelativeError(figures.QueueLength, c * r / (1 - r)), 1e-10);
            EXPECT_LT(RelativeError(figures.WaitTime, c * t / (n * (1 - r))), 1e-10);
        }
    }
}

// A bounded QS with fewer places than channels and than its load is a loss system of m
// servers: L = a (1 - B(m)), no queue.
TEST(LargeQsTest, LossSystemWithHundredsOfThousandsOfPlacesAgreesWithErlangB) {
    const int places = 200000;
    const QsLoad load = MakeLoad(250000, 1.0, 300000);
    const QueueFigures figures = BoundedQueue(load, places);
    const long double b = ErlangB(load.OfferedLoad, places);
    EXPECT_EQ(figures.QueueLength, 0.0);
    EXPECT_EQ(figures.IdleProbability, 0.0);
    EXPECT_LT(RelativeError(figures.InSystem, load.OfferedLoad * (1 - b)), 1e-10);
}

}  // namespace
}  // namespace qnetica
