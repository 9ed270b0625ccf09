#pragma once

#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

namespace qnetica::sim::test {

// A finite continuous-time Markov chain given by its transition rates, and its stationary
// distribution: pi Q = 0 with the probabilities summing to 1, solved by Gaussian elimination
// with partial pivoting in extended precision (one balance equation is replaced by the sum).
class MarkovChain {
  public:
    explicit MarkovChain(std::size_t states) : rates_(states, std::vector<long double>(states)) {}

    void AddRate(std::size_t from, std::size_t to, long double rate) {
        if (from != to) rates_[from][to] += rate;
    }

    std::vector<long double> Stationary() const {
        const std::size_t n = rates_.size();
        // Row i of the system: the balance of state i, sum over j of pi_j q(j, i) = 0.
        std::vector<std::vector<long double>> a(n, std::vector<long double>(n + 1, 0));
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j) {
                a[i][j] += rates_[j][i];
                a[j][j] -= rates_[j][i];
            }
        for (std::size_t j = 0; j <= n; ++j) a[n - 1][j] = 1;
        for (std::size_t column = 0; column < n; ++column) {
            std::size_t pivot = column;
            for (std::size_t row = column + 1; row < n; ++row)
                if (std::fabs(a[row][column]) > std::fabs(a[pivot][column])) pivot = row;
            std::swap(a[pivot], a[column]);
            for (std::size_t row = 0; row < n; ++row) {
                if (row == column || a[row][column] == 0) continue;
                const long double factor = a[row][column] / a[column][column];
                for (std::size_t c = column; c <= n; ++c) a[row][c] -= factor * a[column][c];
            }
        }
        std::vector<long double> pi(n);
        for (std::size_t i = 0; i < n; ++i) pi[i] = a[i][n] / a[i][i];
        return pi;
    }

  private:
    std::vector<std::vector<long double>> rates_;
};

}  // namespace qnetica::sim::test
