#include "sim/StudentT.h"

#include <cmath>

namespace qnetica::sim {
namespace {

// The continued fraction of the regularized incomplete beta function I_x(a, b), evaluated by
// the modified Lentz method; it converges fast for x < (a + 1) / (a + b + 2).
long double BetaFraction(long double a, long double b, long double x) {
    constexpr long double Tiny = 1e-4000L;
    constexpr long double Tolerance = 1e-19L;
    long double c = 1;
    long double d = 1 - (a + b) * x / (a + 1);
    if (std::fabs(d) < Tiny) d = Tiny;
    d = 1 / d;
    long double result = d;
    for (int m = 1; m <= 10000; ++m) {
        for (int half = 0; half < 2; ++half) {
            const long double numerator =
                half == 0 ? m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m))
                          : -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1));
            d = 1 + numerator * d;
            if (std::fabs(d) < Tiny) d = Tiny;
            c = 1 + numerator / c;
            if (std::fabs(c) < Tiny) c = Tiny;
            d = 1 / d;
            result *= d * c;
            if (half == 1 && std::fabs(d * c - 1) < Tolerance) return result;
        }
    }
    return result;
}

// ln Gamma(x) for x > 0: the recurrence Gamma(x) = Gamma(x + 1) / x lifts x to 16 or more,
// where Stirling's series with five terms is exact to the last bit of a long double. (The
// library's lgamma writes a global sign, which two runs at once would share.)
long double LogGamma(long double x) {
    long double shift = 0;
    for (; x < 16; x += 1) shift -= std::log(x);
    const long double z = 1 / (x * x);
    const long double series =
        (1.0L / 12 - z * (1.0L / 360 - z * (1.0L / 1260 - z * (1.0L / 1680 - z / 1188)))) / x;
    const long double halfLogTwoPi = 0.918938533204672741780329736405617639861L;
    return shift + (x - 0.5L) * std::log(x) - x + halfLogTwoPi + series;
}

long double IncompleteBeta(long double a, long double b, long double x) {
    if (x <= 0) return 0;
    if (x >= 1) return 1;
    const long double front = std::exp(LogGamma(a + b) - LogGamma(a) - LogGamma(b) +
                                       a * std::log(x) + b * std::log1p(-x));
    if (x < (a + 1) / (a + b + 2)) return front * BetaFraction(a, b, x) / a;
    return 1 - front * BetaFraction(b, a, 1 - x) / b;
}

}  // namespace

double StudentDistribution(double t, int freedom) {
    const long double nu = freedom;
    const long double tail =
        IncompleteBeta(nu / 2, 0.5L, nu / (nu + static_cast<long double>(t) * t)) / 2;
    return static_cast<double>(t >= 0 ? 1 - tail : tail);
}

// Bisection: the distribution is increasing, and 200 halvings pin the quantile down to the
// last bit of a double.
double StudentQuantile(double probability, int freedom) {
    if (probability == 0.5) return 0;
    if (probability < 0.5) return -StudentQuantile(1 - probability, freedom);
    double low = 0;
    double high = 1;
    while (StudentDistribution(high, freedom) < probability) high *= 2;
    for (int i = 0; i < 200 && low < high; ++i) {
        const double middle = low + (high - low) / 2;
        if (middle == low || middle == high) break;
        (StudentDistribution(middle, freedom) < probability ? low : high) = middle;
    }
    return high;
}

}  // namespace qnetica::sim
