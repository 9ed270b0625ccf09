#include "engine/ErlangWindow.h"

#include <algorithm>
#include <cmath>

namespace qnetica {
namespace {

// Terms below e^-54 of the largest are left out. Beyond the window they fall off at least
// geometrically, and with some 2^31 states at most some e^9 of them follow before the fall
// steepens, so all left out together stay below e^-45 of the sum, under half its last bit.
constexpr long double WindowDepth = 54;
// Each run of the window starts from a term of its own formula and takes this many more by the
// recurrence: the rounding of the recurrence grows to at most 4096 * 1.5 units of the last place.
constexpr std::int64_t RunLength = 4096;

// x ln(x/y) + y - x, which is 0 at x = y. Near y its terms cancel, so there it is the series in
// v = (x - y)/(x + y), (x - y) v + 2x (v^3/3 + v^5/5 + ...), whose terms are all of one sign.
long double Deviance(long double x, long double y) {
    const long double v = (x - y) / (x + y);
    if (std::fabs(v) > 0.1L) return x * std::log1p((x - y) / y) + y - x;
    const long double square = v * v;
    long double power = v;
    long double series = 0;
    for (int k = 3;; k += 2) {
        power *= square;
        const long double term = power / k;
        series += term;
        if (std::fabs(term) <= std::fabs(series) * 0x1p-66L) break;
    }
    return (x - y) * v + 2 * x * series;
}

// ln x! - ((x + 1/2) ln x - x + ln(2 pi)/2), by Stirling's series from x = 64 on.
long double StirlingRemainder(long double x) {
    constexpr long double HalfLnTwoPi = 0.918938533204672741780329736405617640L;
    if (x < 64) return std::lgamma(x + 1) - ((x + 0.5L) * std::log(x) - x + HalfLnTwoPi);
    const long double y = 1 / (x * x);
    return (1.0L / 12 - y * (1.0L / 360 - y * (1.0L / 1260 - y * (1.0L / 1680 - y / 1188)))) / x;
}

// The terms a^i/i! relative to the largest one, a^p/p!, as
// -ln(term_x / term_p) = (p - x) ln(a/p) + x ln(x/p) + p - x + ln(x/p)/2 + the difference of the
// Stirling remainders, Stirling's formula for ln(p!/x!) arranged so that no part is larger than
// the result where it matters: the peak's ln(a/p) is small unless the terms fall off steeply.
class PeakDistance {
  public:
    PeakDistance(long double a, std::int64_t peak)
        : peak_(static_cast<long double>(peak)),
          logLoadOverPeak_(std::log1p((a - peak_) / peak_)),
          peakRemainder_(StirlingRemainder(peak_)) {}

    long double operator()(std::int64_t index) const {
        const long double x = static_cast<long double>(index);
        return (peak_ - x) * logLoadOverPeak_ + Deviance(x, peak_) + 0.5L * std::log(x / peak_) +
               (StirlingRemainder(x) - peakRemainder_);
    }

  private:
    long double peak_;
    long double logLoadOverPeak_;
    long double peakRemainder_;
};

// The lowest index in [1, peak] whose term is within the window (0 when index 1 is): the terms
// rise up to the peak, so the distance falls.
std::int64_t WindowStart(const PeakDistance& distance, std::int64_t peak) {
    if (distance(1) <= WindowDepth) return 0;
    std::int64_t outside = 1;
    std::int64_t inside = peak;
    while (inside - outside > 1) {
        const std::int64_t middle = outside + (inside - outside) / 2;
        (distance(middle) <= WindowDepth ? inside : outside) = middle;
    }
    return inside;
}

// The highest index in [peak, last] whose term is within the window: beyond the peak they fall.
std::int64_t WindowEnd(const PeakDistance& distance, std::int64_t peak, std::int64_t last) {
    if (distance(last) <= WindowDepth) return last;
    std::int64_t inside = peak;
    std::int64_t outside = last;
    while (outside - inside > 1) {
        const std::int64_t middle = inside + (outside - inside) / 2;
        (distance(middle) <= WindowDepth ? inside : outside) = middle;
    }
    return inside;
}

// Sum of the relative terms from `top` down to `bottom`, term_(i-1) = term_i * i / a.
long double SumRunDown(long double topTerm, std::int64_t top, std::int64_t bottom,
                       long double reciprocalLoad) {
    long double term = topTerm;
    long double sum = term;
    for (long double i = static_cast<long double>(top); i > bottom; i -= 1) {
        term *= i * reciprocalLoad;
        sum += term;
    }
    return sum;
}

}  // namespace

ErlangTerms SumErlangTermsNearPeak(long double a, std::int64_t n) {
    const std::int64_t peak =
        a >= static_cast<long double>(n) ? n : static_cast<std::int64_t>(std::floor(a));
    const PeakDistance distance(a, peak);
    const std::int64_t start = WindowStart(distance, peak);
    const std::int64_t end = peak == n ? n - 1 : WindowEnd(distance, peak, n - 1);
    const long double reciprocalLoad = 1 / a;
    long double sum = 0;
    for (std::int64_t bottom = start; bottom <= end; bottom += RunLength) {
        const std::int64_t top = std::min(end, bottom + RunLength - 1);
        sum += SumRunDown(std::exp(-distance(top)), top, bottom, reciprocalLoad);
    }
    const long double peakLog = static_cast<long double>(peak) * std::log(a) -
                                std::lgamma(static_cast<long double>(peak) + 1);
    const ScaledNumber peakTerm = ScaledExp(peakLog);
    const ScaledNumber top = peak == n ? peakTerm : peakTerm * ScaledExp(-distance(n));
    return {peakTerm * ScaledNumber(sum), top};
}

}  // namespace qnetica
