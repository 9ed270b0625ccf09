#include "sim/NetworkFlows.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace qnetica::sim {
namespace {

using Matrix = std::vector<std::vector<long double>>;

bool Linked(const SimulationNetwork& network, int from, int to) {
    return network.Transfer[from][to] > 0;
}

// Marks every node that `start` leads to (forward) or that leads to `start` (backward).
std::vector<bool> Closure(const SimulationNetwork& network, bool forward) {
    const int n = network.NodeCount();
    std::vector<bool> marked(n, false);
    marked[0] = true;
    std::vector<int> pending = {0};
    while (!pending.empty()) {
        const int node = pending.back();
        pending.pop_back();
        for (int other = 0; other < n; ++other) {
            const bool linked =
                forward ? Linked(network, node, other) : Linked(network, other, node);
            if (marked[other] || !linked) continue;
            marked[other] = true;
            pending.push_back(other);
        }
    }
    return marked;
}

// Solves a x = b in place by elimination with partial pivoting; false when a pivot is zero.
bool SolveInPlace(Matrix& a, std::vector<long double>& b) {
    const std::size_t n = b.size();
    for (std::size_t column = 0; column < n; ++column) {
        std::size_t pivot = column;
        for (std::size_t row = column + 1; row < n; ++row)
            if (std::fabs(a[row][column]) > std::fabs(a[pivot][column])) pivot = row;
        if (a[pivot][column] == 0) return false;
        std::swap(a[pivot], a[column]);
        std::swap(b[pivot], b[column]);
        for (std::size_t row = column + 1; row < n; ++row) {
            const long double factor = a[row][column] / a[column][column];
            if (factor == 0) continue;
            for (std::size_t c = column; c < n; ++c) a[row][c] -= factor * a[column][c];
            b[row] -= factor * b[column];
        }
    }
    for (std::size_t row = n; row-- > 0;) {
        long double sum = b[row];
        for (std::size_t c = row + 1; c < n; ++c) sum -= a[row][c] * b[c];
        b[row] = sum / a[row][row];
    }
    return true;
}

}  // namespace

std::vector<bool> ReachedNodes(const SimulationNetwork& network) {
    return Closure(network, true);
}

std::vector<bool> NodesWithWayOut(const SimulationNetwork& network) {
    return Closure(network, false);
}

std::vector<double> FlowsWithoutLosses(const SimulationNetwork& network) {
    const std::vector<bool> reached = ReachedNodes(network);
    std::vector<int> qs;  // the reached QS, in network order
    for (int k = 1; k < network.NodeCount(); ++k)
        if (reached[k]) qs.push_back(k);
    // Equation of QS j: lambda_j - sum over i of lambda_i p(i, j) = lambda_0 p(0, j).
    Matrix a(qs.size(), std::vector<long double>(qs.size(), 0));
    std::vector<long double> b(qs.size(), 0);
    for (std::size_t row = 0; row < qs.size(); ++row) {
        const int j = qs[row];
        b[row] = static_cast<long double>(network.InputRate) * network.Transfer[0][j];
        for (std::size_t column = 0; column < qs.size(); ++column)
            a[row][column] = (row == column ? 1.0L : 0.0L) - network.Transfer[qs[column]][j];
    }
    if (!SolveInPlace(a, b)) return {};
    std::vector<double> flows(network.NodeCount(), 0.0);
    flows[0] = network.InputRate;
    for (std::size_t i = 0; i < qs.size(); ++i) flows[qs[i]] = static_cast<double>(b[i]);
    return flows;
}

}  // namespace qnetica::sim
