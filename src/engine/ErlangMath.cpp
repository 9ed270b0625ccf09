#include "engine/ErlangMath.h"

#include <cmath>

namespace qnetica {

double Power(std::int64_t k, double x) {
    double result = 1.0;
    for (std::int64_t i = 0; i < k; ++i) result = Stored(static_cast<long double>(result) * x);
    return result;
}

double Factorial(std::int64_t k) {
    double result = 1.0;
    for (std::int64_t i = 2; i <= k; ++i) {
        result = Stored(static_cast<long double>(result) * static_cast<long double>(i));
        if (i > LargestFiniteFactorial) break;  // already infinite
    }
    return result;
}

}  // namespace qnetica

namespace qnetica {

bool DoubleFormFits(std::int64_t n, double a) {
    return n <= LargestFiniteFactorial && std::isfinite(Power(n + 1, a));
}

// Power(i, a) and Factorial(i) follow from their predecessors by one rounded multiplication,
// so the running values equal the functions' results without the quadratic work.
DoubleFormHead SumDoubleFormHead(std::int64_t n, double a) {
    DoubleFormHead head;
    for (std::int64_t i = 0; i < n; ++i) {
        head.Sum = Stored(head.Sum + static_cast<long double>(head.PowerN) / head.FactorialN);
        head.PowerN = Stored(static_cast<long double>(head.PowerN) * a);
        head.FactorialN = Stored(static_cast<long double>(head.FactorialN) * (i + 1));
    }
    return head;
}

}  // namespace qnetica
