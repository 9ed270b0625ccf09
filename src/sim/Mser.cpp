#include "sim/Mser.h"

#include <cmath>
#include <limits>

namespace qnetica::sim {

// One pass from the end with running sums, taken about the last value to keep the difference
// of the sums free of cancellation.
std::size_t MserTruncation(const std::vector<double>& groupMeans) {
    const std::size_t m = groupMeans.size();
    std::vector<long double> statistic(m / 2 + 1, std::numeric_limits<long double>::infinity());
    long double origin = 0;
    for (std::size_t j = m; j-- > 0;)
        if (!std::isnan(groupMeans[j])) {
            origin = groupMeans[j];
            break;
        }
    long double sum = 0, squares = 0;
    std::size_t count = 0;
    for (std::size_t d = m; d-- > 0;) {
        if (!std::isnan(groupMeans[d])) {
            const long double z = groupMeans[d] - origin;
            sum += z;
            squares += z * z;
            ++count;
        }
        if (d <= m / 2 && count >= 2)
            statistic[d] =
                (squares - sum * sum / count) / (static_cast<long double>(count) * count);
    }
    std::size_t best = 0;
    for (std::size_t d = 1; d < statistic.size(); ++d)
        if (statistic[d] < statistic[best]) best = d;
    return best;
}

}  // namespace qnetica::sim
