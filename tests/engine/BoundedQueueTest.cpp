#include <gtest/gtest.h>
#include <quadmath.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "engine/BoundedQueue.h"
#include "engine/PlainQueue.h"

namespace qnetica {
namespace {

using test::MakeLoad;
using test::RelativeError;

struct Expected {
    long double IdleProbability, QueueLength, InSystem, WaitTime, SojournTime;
};

// The birth-death chain of M/M/n/m summed state by state: p_i proportional to the product of
// lambda / (min(i, n) mu) up to state i, for i = 0..m; lost requests do not enter.
Expected BirthDeath(long double lambda, long double t, int n, int m) {
    std::vector<long double> weight(m + 1);
    weight[0] = 1;
    for (int i = 1; i <= m; ++i) weight[i] = weight[i - 1] * lambda * t / std::min(i, n);
    long double total = 0;
    for (long double w : weight) total += w;
    long double queue = 0;
    long double inSystem = 0;
    for (int i = 0; i <= m; ++i) {
        const long double p = weight[i] / total;
        queue += std::max(i - n, 0) * p;
        inSystem += i * p;
    }
    const long double entering = lambda * (1 - weight[m] / total);
    const long double wait = queue == 0 ? 0 : queue / entering;
    return {1 / total, queue, inSystem, wait, wait + t};
}

void ExpectFigures(const QueueFigures& figures, const Expected& expected, double tolerance) {
    EXPECT_LT(RelativeError(figures.IdleProbability, expected.IdleProbability), tolerance);
    EXPECT_LT(RelativeError(figures.QueueLength, expected.QueueLength), tolerance);
    EXPECT_LT(RelativeError(figures.InSystem, expected.InSystem), tolerance);
    EXPECT_LT(RelativeError(figures.WaitTime, expected.WaitTime), tolerance);
    EXPECT_LT(RelativeError(figures.SojournTime, expected.SojournTime), tolerance);
}

TEST(BoundedQueueTest, FiguresOfOneChannel) {
    struct Case {
        int places;
        Expected expected;
    };
    const Case cases[] = {
        {2, {4.0L / 7, 1.0L / 7, 4.0L / 7, 1.0L / 3, 4.0L / 3}},
        {1, {2.0L / 3, 0, 1.0L / 3, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.places);
        ExpectFigures(BoundedQueue(MakeLoad(0.5, 1, 1), c.places), c.expected, 1e-15);
    }
}

TEST(BoundedQueueTest, NoFlowMeansNoQueueAndNoWait) {
    const QueueFigures figures = BoundedQueue(MakeLoad(0, 2, 2), 3);
    EXPECT_EQ(figures.IdleProbability, 1.0);
    EXPECT_EQ(figures.QueueLength, 0.0);
    EXPECT_EQ(figures.InSystem, 0.0);
    EXPECT_EQ(figures.WaitTime, 0.0);
    EXPECT_EQ(figures.SojournTime, 2.0);
}

// Below, at and above a load of 1 per channel, with fewer places than channels, none, a few
// and many waiting places; next to rho = 1 the closed forms would cancel completely.
TEST(BoundedQueueTest, AgreesWithTheBirthDeathChain) {
    const double loads[] = {0.05, 0.5, 0.9, 0.97, 1.0 - 0x1p-40, 1.0, 1.0 + 0x1p-52, 1.5, 4.0};
    for (int n : {1, 2, 3, 7, 20})
        for (int extra : {-2, 0, 1, 4, 40, 300})
            for (double rho : loads) {
                const int m = n + extra;
                if (m < 1) continue;
                SCOPED_TRACE("n = " + std::to_string(n) + ", m = " + std::to_string(m) +
                             ", rho = " + std::to_string(rho));
                const double t = 0.5;
                const QsLoad load = MakeLoad(rho * n / t, t, n);
                ExpectFigures(BoundedQueue(load, m), BirthDeath(load.ArrivalRate, t, n, m), 1e-12);
            }
}

// A million places: rho^m leaves every floating-point range above rho = 1.
TEST(BoundedQueueTest, StaysRightForAMillionPlaces) {
    const int m = 1000000;
    {
        SCOPED_TRACE("rho = 1: all states equally likely");
        const QueueFigures figures = BoundedQueue(MakeLoad(1, 1, 1), m);
        const long double states = m + 1.0L;
        EXPECT_LT(RelativeError(figures.IdleProbability, 1 / states), 1e-13);
        EXPECT_LT(RelativeError(figures.QueueLength, (m - 1.0L) * m / 2 / states), 1e-13);
        EXPECT_LT(RelativeError(figures.InSystem, m / 2.0L), 1e-13);
    }
    {
        SCOPED_TRACE("rho = 1.5: the QS is nearly always full");
        const QueueFigures figures = BoundedQueue(MakeLoad(3, 1, 2), m);
        const long double sigma = 1 / 1.5L;  // the empty places fall off geometrically
        const long double queue = (m - 2) - sigma / (1 - sigma);
        EXPECT_EQ(figures.IdleProbability, 0.0);
        EXPECT_LT(RelativeError(figures.QueueLength, queue), 1e-13);
        EXPECT_LT(RelativeError(figures.InSystem, queue + 2), 1e-13);
        EXPECT_LT(RelativeError(figures.WaitTime, queue / (3 * (1 - (1 - sigma)))), 1e-12);
    }
}

using test::Abs;
using test::Quad;

struct QuadFigures {
    Quad IdleProbability, QueueLength, InSystem, WaitTime, SojournTime, LossProbability;
};

// The states 0..m of M/M/n/m summed one by one in quadruple precision: p_i is proportional to
// the product of a / min(i, n) up to state i. Whenever a weight passes 2^8000 all weights so far
// are scaled down by 2^-8000, so that a thousand channels at any load stay in range.
QuadFigures QuadBirthDeath(double lambda, double t, int n, int m) {
    const Quad a = static_cast<Quad>(lambda) * t;
    const Quad large = static_cast<Quad>(0x1p8000L);
    const Quad scaleDown = static_cast<Quad>(0x1p-8000L);
    std::vector<Quad> weight(m + 1);
    weight[0] = 1;
    for (int i = 1; i <= m; ++i) {
        weight[i] = weight[i - 1] * a / std::min(i, n);
        if (weight[i] > large)
            for (int j = 0; j <= i; ++j) weight[j] *= scaleDown;
    }
    Quad total = 0, notFull = 0, queue = 0, inSystem = 0;
    for (int i = 0; i <= m; ++i) {
        total += weight[i];
        if (i < m) notFull += weight[i];
        queue += std::max(i - n, 0) * weight[i];
        inSystem += i * weight[i];
    }
    QuadFigures f;
    f.IdleProbability = weight[0] / total;
    f.QueueLength = queue / total;
    f.InSystem = inSystem / total;
    // Only the requests that find a free place enter: lambda (1 - P_m).
    f.WaitTime = queue == 0 ? 0 : f.QueueLength / (lambda * (notFull / total));
    f.SojournTime = f.WaitTime + t;
    f.LossProbability = weight[m] / total;
    return f;
}

void ExpectFiguresWithin(const QueueFigures& figures, const QuadFigures& expected, int m,
                         double tolerance) {
    using test::QuadRelativeError;
    EXPECT_LE(QuadRelativeError(figures.IdleProbability, expected.IdleProbability), tolerance);
    EXPECT_LE(QuadRelativeError(figures.QueueLength, expected.QueueLength), tolerance);
    EXPECT_LE(QuadRelativeError(figures.InSystem, expected.InSystem), tolerance);
    EXPECT_LE(QuadRelativeError(figures.WaitTime, expected.WaitTime), tolerance);
    EXPECT_LE(QuadRelativeError(figures.SojournTime, expected.SojournTime), tolerance);
    EXPECT_LE(QuadRelativeError(figures.LossProbability, expected.LossProbability), tolerance);
    EXPECT_LE(figures.InSystem, m);
}

// Every figure within `tolerance` of the quadruple-precision chain, and never more requests in
// the QS than it has places.
void ExpectQuadFigures(double rho, int n, int m, double tolerance) {
    SCOPED_TRACE("n = " + std::to_string(n) + ", m = " + std::to_string(m) +
                 ", rho = " + std::to_string(rho));
    const double t = 0.5;  // a power of 2: a = lambda t is exact
    const QsLoad load = MakeLoad(rho * n / t, t, n);
    ExpectFiguresWithin(BoundedQueue(load, m), QuadBirthDeath(load.ArrivalRate, t, n, m), m,
                        tolerance);
}

// From nearly no load to a load of 1e15 per channel, where the QS is full all but a 1e-15 part
// of the time: 1 - P(full) must not come from subtracting P(full) from 1.
TEST(BoundedQueueTest, AgreesWithQuadruplePrecisionAtAnyLoad) {
    const double loads[] = {1e-6, 1e-3, 0.3, 0.9, 0.9375, 0.95, 1.0, 1.2,
                            3.0,  10.0, 1e3, 1e6, 1e9,    1e12, 1e15};
    for (int n = 1; n <= 8; ++n)
        for (int m : {1, 2, 3, 4, 6, 9, 15, 25, 50})
            for (double rho : loads) ExpectQuadFigures(rho, n, m, 1e-12);
}

// With 170 channels (n-1)! (n-a)^2 leaves the range of a double while the queue, about 1e-220,
// does not; a thousand channels take the scaled sums throughout.
TEST(BoundedQueueTest, HundredsOfChannelsAgreeWithQuadruplePrecision) {
    for (int n : {170, 1000})
        for (int extra : {-2, 0, 1, 4, 50})
            for (double rho :
                 {1e-6, 0.01, 0.1, 0.2, 0.3, 0.37, 0.5, 0.9, 0.99, 1.0, 2.0, 1e3, 1e9, 1e15})
                ExpectQuadFigures(rho, n, n + extra, 1e-12);
}

// ln(e^x + e^y).
Quad LogSum(Quad x, Quad y) {
    if (x < y) std::swap(x, y);
    return isinfq(y) ? x : x + log1pq(expq(y - x));
}

// The states i < c = min(n, m), relative to the largest, p: Sum and Busy (the sum of i p_i) by the
// chain's recurrence p_i = p_(i-1) a / i from p outward until the states are below 1e-45 of the
// sum (beyond, they only fall), and ln p_p/p_0, ln p_c/p_p from lgamma.
struct QuadHead {
    Quad Sum = 0, Busy = 0, LogPeak, LogTop;
};

QuadHead QuadHeadStates(Quad a, long long c) {
    const long long p = a >= c ? c : static_cast<long long>(floorq(a));
    QuadHead head;
    head.LogPeak = p * logq(a) - lgammaq(p + 1);
    head.LogTop = (c - p) * logq(a) - (lgammaq(c + 1) - lgammaq(p + 1));
    const Quad negligible = 1e-45;
    Quad w = 1;
    for (long long i = p; i >= 0 && !(w < negligible * head.Sum); w = w * i-- / a) {
        if (i == c) continue;
        head.Sum += w;
        head.Busy += i * w;
    }
    w = 1;
    for (long long i = p + 1; i < c && !(w < negligible * head.Sum); ++i) {
        w = w * a / i;
        head.Sum += w;
        head.Busy += i * w;
    }
    return head;
}

// ln of sum rho^j, of sum j rho^j, of rho^K and of sum rho^j for j < K, j = 0..K, from the
// textbook closed forms; above rho = 1 counted from j = K with sigma = 1/rho.
struct QuadQueueStates {
    Quad LogSum, LogWeighted, LogLast, LogBeforeLast;
};

QuadQueueStates QuadGeometricStates(Quad rho, long long K) {
    if (rho == 1) return {logq(K + 1), logq(K * (K + 1) / 2), 0, logq(K)};
    const Quad r = rho < 1 ? rho : 1 / rho;
    const Quad power = powq(r, K);
    const Quad sum = (1 - power * r) / (1 - r);
    const Quad weighted = r * (1 - (K + 1) * power + K * power * r) / ((1 - r) * (1 - r));
    if (rho < 1) return {logq(sum), logq(weighted), logq(power), logq((1 - power) / (1 - r))};
    const Quad logLast = K * logq(rho);
    return {logLast + logq(sum), logLast + logq(K * sum - weighted), logLast,
            logLast + logq(r * (1 - power) / (1 - r))};
}

// M/M/n/m at any size in quadruple precision, in logarithms so that nothing leaves the range.
QuadFigures QuadCapacityChain(double lambda, double t, long long n, long long m) {
    const Quad a = static_cast<Quad>(lambda) * t;
    const long long c = std::min(n, m);
    const QuadHead head = QuadHeadStates(a, c);
    const QuadQueueStates queue = QuadGeometricStates(a / n, std::max(m - n, 0LL));
    const Quad logTotal = LogSum(logq(head.Sum), head.LogTop + queue.LogSum);
    const Quad busy =
        expq(LogSum(logq(head.Busy), logq(c) + head.LogTop + queue.LogSum) - logTotal);
    QuadFigures f;
    f.IdleProbability = expq(-head.LogPeak - logTotal);
    f.QueueLength = expq(head.LogTop + queue.LogWeighted - logTotal);
    f.InSystem = f.QueueLength + busy;
    f.LossProbability = expq(head.LogTop + queue.LogLast - logTotal);
    const Quad notFull = expq(LogSum(logq(head.Sum), head.LogTop + queue.LogBeforeLast) - logTotal);
    f.WaitTime = f.QueueLength == 0 ? 0 : f.QueueLength / (lambda * notFull);
    f.SojournTime = f.WaitTime + t;
    return f;
}

// The reference of the large QS below against the states summed one by one; its closed form of
// sum j rho^j cancels to some 1e-19 next to rho = 1, far below the engine's tolerance.
TEST(BoundedQueueTest, QuadReferenceAgreesWithTheStateByStateSum) {
    for (int n : {1, 3, 8, 1000})
        for (int m : {1000, 10000, 100000})
            for (double rho : {1e-12, 0.5, 1 - 1e-9, 1.0, 1 + 1e-9, 2.0, 1e6}) {
                SCOPED_TRACE("n = " + std::to_string(n) + ", m = " + std::to_string(m) +
                             ", rho = " + test::ExactText(rho));
                const double t = 0.5;
                const double lambda = rho * n / t;
                const QuadFigures direct = QuadBirthDeath(lambda, t, n, m);
                const QuadFigures chain = QuadCapacityChain(lambda, t, n, m);
                for (auto figure : {&QuadFigures::IdleProbability, &QuadFigures::QueueLength,
                                    &QuadFigures::InSystem, &QuadFigures::WaitTime,
                                    &QuadFigures::LossProbability}) {
                    const Quad expected = direct.*figure;
                    const Quad error =
                        Abs(expected == 0 ? chain.*figure : chain.*figure / expected - 1);
                    EXPECT_LE(static_cast<double>(error), 1e-18);
                }
            }
}

// Up to 2^31 - 1 places at loads next to 1, where rho^K neither vanishes nor explodes, and far
// from it, on a few channels and on millions, whose Erlang sums of millions of terms are taken
// near their largest term (from a load of some millions on) and a^c/c! beyond it by a formula.
TEST(BoundedQueueTest, BillionsOfPlacesAndChannelsAgreeWithQuadruplePrecision) {
    struct Case {
        int channels, places;
    };
    const Case cases[] = {
        {1, 1000},          {1, 100000},           {1, 10000000},         {1, 2147483647},
        {3, 1000000},       {3, 100000000},        {3, 2147483647},       {8, 10000},
        {8, 2147483647},    {100000, 2147483647},  {3000000, 1000000},    {3000000, 3000000},
        {3000000, 3001000}, {3000000, 2147483647}, {2147483647, 1 << 30}, {2147483647, 2147483647}};
    for (const Case& c : cases)
        for (double rho : {1e-12, 0.3, 0.5, 0.9999, 1 - 1e-9, 1.0, 1 + 1e-9, 1.0001, 2.0, 1e6}) {
            SCOPED_TRACE("n = " + std::to_string(c.channels) + ", m = " + std::to_string(c.places) +
                         ", rho = " + test::ExactText(rho));
            const double t = 0.5;
            const QsLoad load = MakeLoad(rho * c.channels / t, t, c.channels);
            ExpectFiguresWithin(BoundedQueue(load, c.places),
                                QuadCapacityChain(load.ArrivalRate, t, c.channels, c.places),
                                c.places, 1e-12);
        }
}

// The plain QS shares the Erlang sums: Lq = P_n rho/(1 - rho)^2 and Wq = P_n t/(n (1 - rho)^2) with
// P_n = (a^n/n!) / (sum of a^i/i! for i < n + a^n/n!/(1 - rho)), by the same reference. (Closer
// to rho = 1 the plain QS's 1 - a/n, formed from the rounded a/n, costs it u/(1 - rho).)
TEST(BoundedQueueTest, PlainQsOfMillionsOfChannelsAgreesWithQuadruplePrecision) {
    for (int n : {100000, 3000000, 2147483647})
        for (double rho : {0.3, 0.99, 0.9999, 0.999999}) {
            SCOPED_TRACE("n = " + std::to_string(n) + ", rho = " + test::ExactText(rho));
            const double t = 0.5;
            const QsLoad load = MakeLoad(rho * n / t, t, n);
            const Quad a = static_cast<Quad>(load.OfferedLoad);
            const Quad free = 1 - a / n;
            const QuadHead head = QuadHeadStates(a, n);
            const Quad pn = 1 / (head.Sum * expq(-head.LogTop) + 1 / free);
            const QueueFigures figures = PlainQueue(load);
            EXPECT_LE(test::QuadRelativeError(figures.QueueLength, pn * (a / n) / (free * free)),
                      1e-12);
            EXPECT_LE(test::QuadRelativeError(figures.WaitTime, pn * t / (n * free * free)), 1e-12);
        }
}

TEST(BoundedQueueTest, ManyPlacesApproachTheUnboundedQs) {
    const QsLoad load = MakeLoad(1.5, 1, 3);
    const QueueFigures bounded = BoundedQueue(load, 5000);
    const QueueFigures plain = PlainQueue(load);
    EXPECT_LT(RelativeError(bounded.IdleProbability, plain.IdleProbability), 1e-14);
    EXPECT_LT(RelativeError(bounded.QueueLength, plain.QueueLength), 1e-14);
    EXPECT_LT(RelativeError(bounded.WaitTime, plain.WaitTime), 1e-14);
    EXPECT_LT(RelativeError(bounded.SojournTime, plain.SojournTime), 1e-14);
}

}  // namespace
}  // namespace qnetica
