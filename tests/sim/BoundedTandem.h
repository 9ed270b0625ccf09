#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <vector>

#include "ExactQueues.h"
#include "MarkovChain.h"
#include "model/NetworkModel.h"
#include "sim/SimulationNetwork.h"

namespace qnetica::sim::test {

// Two bounded QS in tandem with feedback: every request goes first to QS 1; from QS 1 on to
// QS 2 or out, from QS 2 back to QS 1 or out. A request that finds its QS full is lost.
struct BoundedTandem {
    long double InputRate = 1.2;
    long double ServiceTime[2] = {0.5, 1.0};
    int Channels[2] = {1, 2};
    int Places[2] = {4, 5};
    long double ToSecond = 0.7;  // QS 1 -> QS 2, else out
    long double Back = 0.4;      // QS 2 -> QS 1, else out

    SimulationNetwork Network() const {
        SimulationNetwork network;
        network.InputRate = static_cast<double>(InputRate);
        for (int q = 0; q < 2; ++q) {
            SimulationQs qs;
            qs.ServiceTime = static_cast<double>(ServiceTime[q]);
            qs.Channels = Channels[q];
            qs.Kind = QsKind::Bounded;
            qs.Places = Places[q];
            network.Qs.push_back(qs);
        }
        const double p12 = static_cast<double>(ToSecond);
        const double p21 = static_cast<double>(Back);
        network.Transfer = {{0, 1, 0}, {1 - p12, 0, p12}, {1 - p21, p21, 0}};
        return network;
    }

    // The same network as the program holds it, for the analysis.
    void Fill(NetworkModel& model) const {
        const SimulationNetwork network = Network();
        model.SetInputRate(network.InputRate);
        for (int q = 1; q <= 2; ++q) {
            model.AddNode();
            QsParams& params = model.Qs(q);
            params.ServiceTime = network.Qs[q - 1].ServiceTime;
            params.Channels = Channels[q - 1];
            params.BoundedQueue = true;
            params.QueuePlaces = Places[q - 1];
        }
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                if (network.Transfer[i][j] != 0) {
                    char text[40];
                    std::snprintf(text, sizeof text, "%.17g", network.Transfer[i][j]);
                    model.Matrix().SetCell(i, j, text);
                }
    }
};

// The exact figures of both QS and of the network, from the chain of the pairs (i, j) of
// requests in QS 1 and QS 2.
struct BoundedTandemExact {
    ExactQs Qs[2];
    long double InNetwork = 0, NetworkSojourn = 0, NetworkLoss = 0;
};

inline BoundedTandemExact SolveBoundedTandem(const BoundedTandem& net) {
    const int m1 = net.Places[0];
    const int m2 = net.Places[1];
    const auto state = [m2](int i, int j) { return static_cast<std::size_t>(i * (m2 + 1) + j); };
    const auto served = [&net](int q, int held) {
        return std::min(held, net.Channels[q]) / net.ServiceTime[q];
    };
    MarkovChain chain(static_cast<std::size_t>((m1 + 1) * (m2 + 1)));
    for (int i = 0; i <= m1; ++i)
        for (int j = 0; j <= m2; ++j) {
            if (i < m1) chain.AddRate(state(i, j), state(i + 1, j), net.InputRate);
            if (i > 0) {
                chain.AddRate(state(i, j), state(i - 1, std::min(j + 1, m2)),
                              served(0, i) * net.ToSecond);
                chain.AddRate(state(i, j), state(i - 1, j), served(0, i) * (1 - net.ToSecond));
            }
            if (j > 0) {
                chain.AddRate(state(i, j), state(std::min(i + 1, m1), j - 1),
                              served(1, j) * net.Back);
                chain.AddRate(state(i, j), state(i, j - 1), served(1, j) * (1 - net.Back));
            }
        }
    const std::vector<long double> pi = chain.Stationary();
    BoundedTandemExact exact;
    long double lost[2] = {0, 0};
    for (int i = 0; i <= m1; ++i)
        for (int j = 0; j <= m2; ++j) {
            const long double p = pi[state(i, j)];
            const long double into[2] = {net.InputRate + served(1, j) * net.Back,
                                         served(0, i) * net.ToSecond};
            const int held[2] = {i, j};
            for (int q = 0; q < 2; ++q) {
                ExactQs& e = exact.Qs[q];
                e.ArrivalRate += p * into[q];
                if (held[q] == net.Places[q]) lost[q] += p * into[q];
                e.LoadFactor += p * std::min(held[q], net.Channels[q]) / net.Channels[q];
                e.QueueLength += p * std::max(held[q] - net.Channels[q], 0);
                e.InSystem += p * held[q];
            }
            exact.InNetwork += p * (i + j);
        }
    for (int q = 0; q < 2; ++q) {
        ExactQs& e = exact.Qs[q];
        e.LossProbability = lost[q] / e.ArrivalRate;
        const long double entering = e.ArrivalRate - lost[q];
        e.WaitTime = e.QueueLength / entering;
        e.SojournTime = e.InSystem / entering;
    }
    exact.NetworkSojourn = exact.InNetwork / net.InputRate;  // Little, over every entry
    exact.NetworkLoss = (lost[0] + lost[1]) / net.InputRate;
    return exact;
}

}  // namespace qnetica::sim::test
