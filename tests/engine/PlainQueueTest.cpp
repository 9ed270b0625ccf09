#include <gtest/gtest.h>

#include <cmath>

#include "EngineTestSupport.h"
#include "engine/ErlangMath.h"
#include "engine/PlainQueue.h"

namespace qnetica {
namespace {

using test::MakeLoad;
using test::RelativeError;

// The M/M/n figures of a textbook, computed independently of the engine: the Erlang B
// recursion B(k) = a B(k-1) / (k + a B(k-1)), which stays finite for any n, gives the
// probability of waiting C = B / (1 - rho (1 - B)).
struct Textbook {
    long double IdleProbability;
    long double QueueLength;
    long double WaitTime;
};

Textbook ErlangC(long double lambda, long double t, int n) {
    const long double a = lambda * t;
    const long double rho = a / n;
    long double b = 1;
    long double logTermRatio = 0;  // log(n! / a^n), accumulated
    for (int k = 1; k <= n; ++k) {
        b = a * b / (k + a * b);
        logTermRatio += std::log(static_cast<long double>(k)) - std::log(a);
    }
    const long double c = b / (1 - rho * (1 - b));
    // sum of a^k/k! for k < n plus a^n/(n!(1-rho)) equals a^n/n! * (1/B - 1 + 1/(1-rho)).
    const long double idle = std::exp(logTermRatio) / (1 / b - 1 + 1 / (1 - rho));
    return {idle, c * rho / (1 - rho), c * t / (n * (1 - rho))};
}

void ExpectMatchesErlangC(double lambda, double t, int n, double tolerance) {
    SCOPED_TRACE("n = " + std::to_string(n) + ", lambda = " + std::to_string(lambda));
    const QsLoad load = MakeLoad(lambda, t, n);
    const QueueFigures figures = PlainQueue(load);
    const Textbook expected = ErlangC(load.ArrivalRate, t, n);
    if (expected.IdleProbability > 1e-300L)
        EXPECT_LT(RelativeError(figures.IdleProbability, expected.IdleProbability), tolerance);
    else
        EXPECT_LE(figures.IdleProbability, 1e-300);
    EXPECT_LT(RelativeError(figures.QueueLength, expected.QueueLength), tolerance);
    EXPECT_LT(RelativeError(figures.WaitTime, expected.WaitTime), tolerance);
    EXPECT_LT(RelativeError(figures.InSystem, expected.QueueLength + load.OfferedLoad), tolerance);
    EXPECT_LT(RelativeError(figures.SojournTime, expected.WaitTime + t), tolerance);
}

TEST(PlainQueueTest, PowerAndFactorialAsDoubles) {
    EXPECT_EQ(Power(0, 0.0), 1.0);
    EXPECT_EQ(Power(-3, 2.0), 1.0);
    EXPECT_EQ(Power(10, 2.0), 1024.0);
    EXPECT_EQ(Power(2, 0.1), 0.1 * 0.1);
    EXPECT_EQ(Factorial(0), 1.0);
    EXPECT_EQ(Factorial(13), 6227020800.0);
    EXPECT_EQ(Factorial(22), 1124000727777607680000.0);
    EXPECT_TRUE(std::isfinite(Factorial(170)));
    EXPECT_TRUE(std::isinf(Factorial(171)));
}

TEST(PlainQueueTest, AgreesWithErlangCForUpToTwentyChannels) {
    for (int n = 1; n <= 20; ++n)
        for (double rho : {0.05, 0.3, 0.5, 0.8, 0.95, 0.999})
            for (double t : {1.0, 0.25, 3.0}) ExpectMatchesErlangC(rho * n / t, t, n, 1e-12);
}

// Near and beyond 170 channels the double powers and factorials overflow; the results must
// stay finite and right, on both sides of the switch to the scaled form.
TEST(PlainQueueTest, StaysRightForAThousandChannels) {
    for (int n : {100, 150, 170, 171, 200, 500, 1000, 5000})
        for (double rho : {0.2, 0.5, 0.66, 0.9, 0.999})
            ExpectMatchesErlangC(rho * n, 1.0, n, 1e-11);
}

TEST(PlainQueueTest, NoFlowLeavesAnEmptyQs) {
    const QueueFigures figures = PlainQueue(MakeLoad(0, 2.5, 3));
    EXPECT_EQ(figures.IdleProbability, 1.0);
    EXPECT_EQ(figures.QueueLength, 0.0);
    EXPECT_EQ(figures.WaitTime, 0.0);
    EXPECT_EQ(figures.InSystem, 0.0);
    EXPECT_EQ(figures.SojournTime, 2.5);
}

}  // namespace
}  // namespace qnetica
