#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace qnetica::sim::test {

// Exact figures of one QS in steady state, as the simulator reports them: the times per
// visit of a request that entered, the rates per arrival (lost ones too).
struct ExactQs {
    long double ArrivalRate = 0, LoadFactor = 0, QueueLength = 0, InSystem = 0, WaitTime = 0,
                SojournTime = 0, LossProbability = 0;
    std::vector<long double> ClassWaitTimes;
};

// M/M/n by the Erlang C formula.
inline ExactQs ErlangC(long double lambda, long double t, int n) {
    const long double a = lambda * t;
    const long double rho = a / n;
    long double term = 1;
    long double sum = 0;
    for (int i = 0; i < n; ++i) {
        sum += term;
        term *= a / (i + 1);
    }
    const long double tail = term / (1 - rho);  // a^n / n! / (1 - rho)
    const long double waitProbability = tail / (sum + tail);
    ExactQs exact;
    exact.ArrivalRate = lambda;
    exact.LoadFactor = rho;
    exact.QueueLength = waitProbability * rho / (1 - rho);
    exact.InSystem = exact.QueueLength + a;
    exact.WaitTime = exact.QueueLength / lambda;
    exact.SojournTime = exact.WaitTime + t;
    return exact;
}

// M/M/n/m from its birth-death chain: p_i proportional to the product of lambda / (min(i, n)
// mu) up to state i, i = 0..m; a request that finds m requests is lost.
inline ExactQs BirthDeath(long double lambda, long double t, int n, int m) {
    std::vector<long double> p(m + 1, 1);
    for (int i = 1; i <= m; ++i) p[i] = p[i - 1] * lambda * t / std::min(i, n);
    long double total = 0;
    for (long double w : p) total += w;
    ExactQs exact;
    exact.ArrivalRate = lambda;
    for (int i = 0; i <= m; ++i) {
        p[i] /= total;
        exact.LoadFactor += std::min(i, n) * p[i] / n;
        exact.QueueLength += std::max(i - n, 0) * p[i];
        exact.InSystem += i * p[i];
    }
    exact.LossProbability = p[m];
    const long double entering = lambda * (1 - p[m]);
    exact.WaitTime = exact.QueueLength / entering;
    exact.SojournTime = exact.InSystem / entering;
    return exact;
}

// M/M/n with non-preemptive priority classes of equal service time, the last class the most
// urgent (Cobham): W_k = W0 / ((1 - s_(k+1)) (1 - s_k)), with s_k the load per channel of
// classes k..K and W0 = C t / n the work a request waits for when all channels are busy.
// The number in the QS is that of M/M/n, so the QS's own figures are Erlang C's.
inline ExactQs CobhamPriority(long double lambda, long double t, int n,
                              const std::vector<long double>& shares) {
    ExactQs exact = ErlangC(lambda, t, n);
    const long double rho = lambda * t / n;
    const long double c = exact.QueueLength * (1 - rho) / rho;  // probability of waiting
    const long double w0 = c * t / n;
    long double above = 0;  // s_(k+1)
    exact.ClassWaitTimes.assign(shares.size(), 0);
    for (std::size_t k = shares.size(); k-- > 0;) {
        const long double from = above + shares[k] * rho;
        exact.ClassWaitTimes[k] = w0 / ((1 - above) * (1 - from));
        above = from;
    }
    return exact;
}

}  // namespace qnetica::sim::test
