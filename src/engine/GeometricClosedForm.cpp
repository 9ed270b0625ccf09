#include "engine/GeometricClosedForm.h"

#include <cmath>

namespace qnetica {
namespace {

// ln(a/n); next to 1 from (a - n)/n, whose rounding is relative to a - n, which is exact there.
long double LogOfLoad(long double a, std::int64_t n) {
    const long double channels = static_cast<long double>(n);
    const long double rho = a / channels;
    return rho > 0.5L && rho < 2 ? std::log1p((a - channels) / channels) : std::log(rho);
}

// B(x) = 1/(1 - e^-x) - 1/x, 1/2 at x = 0; near 0 from its series, whose coefficients are the
// Bernoulli numbers B_2k / (2k)!, elsewhere directly (losing at most 5 bits at |x| = 1/16).
long double ExcessOverReciprocal(long double x) {
    if (std::fabs(x) >= 0.0625L) return -1 / std::expm1(-x) - 1 / x;
    const long double y = x * x;
    return 0.5L +
           x * (1.0L / 12 -
                y * (1.0L / 720 -
                     y * (1.0L / 30240 - y * (1.0L / 1209600 - y * (1.0L / 47900160 -
                                                                    y * 691.0L / 1307674368000)))));
}

// sum of e^(j s) for j = 0..count-1, s <= 0.
long double GeometricSum(std::int64_t count, long double s) {
    if (s == 0) return static_cast<long double>(count);
    return std::expm1(static_cast<long double>(count) * s) / std::expm1(s);
}

// The mean of j over j = 0..K weighted by e^(j s), s <= 0. Below s = -1 the weights fall off so
// fast that the poles cancel badly; there the mean is e^s/(1 - e^s) - N e^(Ns)/(1 - e^(Ns)),
// whose second part is at most 0.54 of the first.
long double GeometricMean(std::int64_t K, long double s) {
    const long double count = static_cast<long double>(K) + 1;
    if (s < -1) {
        return std::exp(s) / -std::expm1(s) - count * std::exp(count * s) / -std::expm1(count * s);
    }
    return count * ExcessOverReciprocal(count * s) - ExcessOverReciprocal(s);
}

}  // namespace

GeometricMoments GeometricMomentsInClosedForm(long double a, std::int64_t n, std::int64_t K) {
    const long double s = LogOfLoad(a, n);
    const long double places = static_cast<long double>(K);
    if (s <= 0) {
        const long double sum = GeometricSum(K + 1, s);
        return {ScaledNumber(sum), ScaledNumber(sum * GeometricMean(K, s)), ScaledExp(places * s),
                ScaledNumber(GeometricSum(K, s))};
    }
    // rho^j = rho^K sigma^(K-j) with sigma = 1/rho < 1.
    const long double fall = -s;
    const ScaledNumber last = ScaledExp(places * s);
    const long double sum = GeometricSum(K + 1, fall);
    const long double weighted = sum * (places - GeometricMean(K, fall));
    const long double beforeLast = std::exp(fall) * GeometricSum(K, fall);
    return {last * ScaledNumber(sum), last * ScaledNumber(weighted), last,
            last * ScaledNumber(beforeLast)};
}

}  // namespace qnetica
