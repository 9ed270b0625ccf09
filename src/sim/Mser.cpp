#include "sim/Mser.h"

#include <cmath>
#include <limits>

namespace qnetica::sim {

std::size_t MserTruncation(const std::vector<double>& groupMeans) {
    const std::size_t m = groupMeans.size();
    std::size_t best = 0;
    long double bestStatistic = std::numeric_limits<long double>::infinity();
    for (std::size_t d = 0; d <= m / 2; ++d) {
        long double sum = 0;
        std::size_t count = 0;
        for (std::size_t j = d; j < m; ++j)
            if (!std::isnan(groupMeans[j])) {
                sum += groupMeans[j];
                ++count;
            }
        if (count < 2) break;
        const long double mean = sum / count;
        long double squares = 0;
        for (std::size_t j = d; j < m; ++j)
            if (!std::isnan(groupMeans[j]))
                squares += (groupMeans[j] - mean) * (groupMeans[j] - mean);
        const long double statistic = squares / (static_cast<long double>(count) * count);
        if (statistic < bestStatistic) {
            bestStatistic = statistic;
            best = d;
        }
    }
    return best;
}

}  // namespace qnetica::sim
