#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "engine/PlainQueue.h"
#include "engine/RelativePriority.h"

namespace qnetica {
namespace {

using test::MakeLoad;
using test::RelativeError;

TEST(RelativePriorityTest, TwoEqualClassesOnOneChannel) {
    for (double t : {1.0, 2.0}) {
        SCOPED_TRACE(t);
        const std::vector<double> shares = {0.5, 0.5};
        ClassResults record;
        const PriorityFigures figures = PriorityQueue(MakeLoad(0.5 / t, t, 1), shares, record);
        EXPECT_DOUBLE_EQ(record.ClassWaitTime[0], 4.0 / 3 * t);  // class 1 is served last
        EXPECT_DOUBLE_EQ(record.ClassWaitTime[1], 2.0 / 3 * t);
        EXPECT_DOUBLE_EQ(figures.Queue.WaitTime, t);
        EXPECT_DOUBLE_EQ(figures.Queue.SojournTime, 2 * t);
        EXPECT_DOUBLE_EQ(figures.Queue.QueueLength, 0.5);
        EXPECT_DOUBLE_EQ(figures.Queue.InSystem, 1.0);
        EXPECT_DOUBLE_EQ(figures.Queue.IdleProbability, 0.5);
        EXPECT_DOUBLE_EQ(figures.LoadFactor, 0.5);
        EXPECT_DOUBLE_EQ(record.ClassQueueLength[0], 1.0 / 3);
        EXPECT_DOUBLE_EQ(record.ClassQueueLength[1], 1.0 / 6);
        EXPECT_DOUBLE_EQ(record.ClassSojournTime[0], 7.0 / 3 * t);
        EXPECT_DOUBLE_EQ(record.ClassSojournTime[1], 5.0 / 3 * t);
        EXPECT_DOUBLE_EQ(record.ClassInSystem[0], 7.0 / 12);
        EXPECT_DOUBLE_EQ(record.ClassInSystem[1], 5.0 / 12);
        for (int k = 0; k < 2; ++k) {
            EXPECT_DOUBLE_EQ(record.ClassArrivalRate[k], 0.25 / t);
            EXPECT_EQ(record.ClassServiceTime[k], t);
            EXPECT_DOUBLE_EQ(record.ClassLoad[k], 0.25);
        }
    }
}

TEST(RelativePriorityTest, OneClassIsTheSingleChannelQueue) {
    const double a = 0.6;
    ClassResults record;
    const PriorityFigures figures = PriorityQueue(MakeLoad(a, 1, 1), std::vector{1.0}, record);
    EXPECT_DOUBLE_EQ(figures.Queue.WaitTime, a / (1 - a));
    EXPECT_DOUBLE_EQ(figures.Queue.QueueLength, a * a / (1 - a));
    EXPECT_DOUBLE_EQ(record.ClassWaitTime[0], a / (1 - a));
}

// The probability of waiting in M/M/n, from the Erlang B recursion.
long double WaitProbability(long double a, int n) {
    long double b = 1;
    for (int k = 1; k <= n; ++k) b = a * b / (k + a * b);
    return b / (1 - a / n * (1 - b));
}

// Cobham's waiting times for n identical exponential channels, class K most urgent:
// W_k = (C t / n) / ((1 - sigma_above) (1 - sigma_above - r_k)), r = lambda_k t / n.
std::vector<long double> Cobham(long double lambda, long double t, int n,
                                const std::vector<double>& shares) {
    const long double residual = WaitProbability(lambda * t, n) * t / n;
    std::vector<long double> wait(shares.size());
    long double above = 0;
    for (std::size_t k = shares.size(); k-- > 0;) {
        const long double r = lambda * shares[k] * t / n;
        wait[k] = residual / ((1 - above) * (1 - above - r));
        above += r;
    }
    return wait;
}

// Priorities only reorder the queue: with identical service the share-weighted wait is the
// first-come wait of M/M/n (the conservation law), and each class meets Cobham's formula.
TEST(RelativePriorityTest, MeetsConservationLawAndCobham) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> uniform(0.05, 1.0);
    for (int n = 1; n <= 5; ++n)
        for (int classes : {1, 2, 3, 5, 50})
            for (double rho : {0.3, 0.7, 0.95})
                for (double t : {0.5, 2.0}) {
                    SCOPED_TRACE("n = " + std::to_string(n) + ", K = " + std::to_string(classes) +
                                 ", rho = " + std::to_string(rho) + ", t = " + std::to_string(t));
                    std::vector<double> shares(classes);
                    double total = 0;
                    for (double& share : shares) total += share = uniform(random);
                    for (double& share : shares) share /= total;
                    const QsLoad load = MakeLoad(rho * n / t, t, n);
                    ClassResults record;
                    const PriorityFigures figures = PriorityQueue(load, shares, record);

                    const long double a = load.OfferedLoad;
                    const long double firstCome = WaitProbability(a, n) * t / (n * (1 - a / n));
                    EXPECT_LT(RelativeError(figures.Queue.WaitTime, firstCome), 1e-12);
                    const auto expected = Cobham(load.ArrivalRate, t, n, shares);
                    for (int k = 0; k < classes; ++k)
                        EXPECT_LT(RelativeError(record.ClassWaitTime[k], expected[k]), 1e-12)
                            << "class " << k + 1;
                    EXPECT_LT(
                        RelativeError(figures.Queue.QueueLength, load.ArrivalRate * firstCome),
                        1e-12);
                    EXPECT_LT(
                        RelativeError(figures.Queue.InSystem, load.ArrivalRate * firstCome + a),
                        1e-12);
                    EXPECT_LT(RelativeError(figures.LoadFactor, rho), 1e-14);
                }
}

using test::Quad;
using test::QuadRelativeError;

// The probability of waiting in M/M/n in quadruple precision, from Erlang's loss recursion.
Quad QuadWaitProbability(Quad a, int n) {
    Quad b = 1;
    for (int k = 1; k <= n; ++k) b = a * b / (k + a * b);
    return b / (1 - a / n * (1 - b));
}

// The larger relative error of the plain QS's queue length and wait, against M/M/n in
// quadruple precision: what the same load costs a QS without classes.
double PlainQueueError(const QsLoad& load) {
    const Quad a = static_cast<Quad>(load.ArrivalRate) * load.ServiceTime;
    const Quad rho = a / load.Channels;
    const Quad c = QuadWaitProbability(a, load.Channels);
    const QueueFigures plain = PlainQueue(load);
    return std::max(
        QuadRelativeError(plain.QueueLength, c * rho / (1 - rho)),
        QuadRelativeError(plain.WaitTime, c * load.ServiceTime / (load.Channels * (1 - rho))));
}

// Cobham's waits from the exact class loads r_k = lambda s_k t / n in quadruple precision:
// W_k = (C t / n) / ((1 - sigma(k+1)) (1 - sigma(k))).
std::vector<Quad> QuadCobham(const QsLoad& load, const std::vector<double>& shares) {
    const Quad a = static_cast<Quad>(load.ArrivalRate) * load.ServiceTime;
    const Quad residual = QuadWaitProbability(a, load.Channels) * load.ServiceTime / load.Channels;
    std::vector<Quad> wait(shares.size());
    Quad above = 0;
    for (std::size_t k = shares.size(); k-- > 0;) {
        const Quad r =
            static_cast<Quad>(load.ArrivalRate) * shares[k] * load.ServiceTime / load.Channels;
        wait[k] = residual / ((1 - above) * (1 - above - r));
        above += r;
    }
    return wait;
}

// Near full load 1 - sigma(k) is a small difference of nearly equal numbers; the priority QS
// must stay within a hundred times the error that the plain QS makes at the same load.
TEST(RelativePriorityTest, NearFullLoadAsExactAsThePlainQs) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> uniform(0.05, 1.0);
    std::vector<std::vector<double>> shareSets = {
        {1.0}, {0.2, 0.3, 0.5}, {1.0 / 3, 1.0 / 3, 1.0 / 3}};
    for (int classes : {5, 50}) {
        std::vector<double> shares(classes);
        double total = 0;
        for (double& share : shares) total += share = uniform(random);
        for (double& share : shares) share /= total;
        shareSets.push_back(shares);
    }
    for (int n = 1; n <= 5; ++n)
        for (double rho : {1 - 1e-3, 1 - 1e-6, 1 - 1e-9})
            for (const std::vector<double>& shares : shareSets) {
                SCOPED_TRACE("n = " + std::to_string(n) + ", 1 - rho = " + std::to_string(1 - rho) +
                             ", K = " + std::to_string(shares.size()));
                const double t = 0.5;  // a power of 2: a = lambda t is exact
                const QsLoad load = MakeLoad(rho * n / t, t, n);
                const double tolerance = 100 * std::max(PlainQueueError(load), 0x1p-52);
                ClassResults record;
                const PriorityFigures figures = PriorityQueue(load, shares, record);
                const std::vector<Quad> expected = QuadCobham(load, shares);
                Quad weighted = 0, shareSum = 0, queue = 0;
                for (std::size_t k = 0; k < shares.size(); ++k) {
                    EXPECT_LE(QuadRelativeError(record.ClassWaitTime[k], expected[k]), tolerance)
                        << "class " << k + 1;
                    weighted += shares[k] * expected[k];
                    shareSum += shares[k];
                    queue += static_cast<Quad>(load.ArrivalRate) * shares[k] * expected[k];
                }
                EXPECT_LE(QuadRelativeError(figures.Queue.WaitTime, weighted / shareSum),
                          tolerance);
                EXPECT_LE(QuadRelativeError(figures.Queue.QueueLength, queue), tolerance);
            }
}

TEST(RelativePriorityTest, FreeShareOfClassesIsOneMinusTheirLoadPerChannel) {
    const QsLoad load = MakeLoad(1.5, 1, 2);  // a / n = 0.75
    EXPECT_DOUBLE_EQ(FreeShareOfClasses(load, std::vector{0.5, 0.5}), 0.25);
    EXPECT_DOUBLE_EQ(FreeShareOfClasses(load, std::vector{1.0, 1.0}), -0.5);
}

}  // namespace
}  // namespace qnetica
