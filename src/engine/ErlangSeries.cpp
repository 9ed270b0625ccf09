#include "engine/ErlangSeries.h"

#include <algorithm>
#include <cmath>

#include "engine/ErlangWindow.h"
#include "engine/GeometricClosedForm.h"

namespace qnetica {
namespace {

// Once the terms fall, a term below 2^-1400 of the sum is below half its last bit, and so is every
// later one: the sum is what the whole loop would make it. a^n/n! is then taken as 0: no figure
// stored as a double can tell, since the largest factor that any of them multiplies it by,
// (K+1)^2 for the queue of a bounded QS or 1/(1 - rho)^2 for a plain one, is below 2^128.
constexpr long double NegligibleShare = 0x1p-1400L;

// Beyond this many steps the terms are summed near their largest one instead (ErlangWindow.h):
// some millisecond. The sums of smaller QS are the term-by-term ones, bit for bit as before.
constexpr long double TermByTermLimit = 0x1p17L;
// Up to this load the loop takes at most some 80000 steps anyway.
constexpr long double WindowLoad = 0x1p16L;

// The running terms are moved down by this power of two before they could leave the range.
constexpr int RescaleExponent = 8000;
constexpr long double RescaleThreshold = 0x1p8000L;

// The rounding of rho^L grows with L in the doubling below, to some L units of the last place;
// beyond this many places the closed form keeps to a few.
constexpr std::int64_t DoublingPlacesLimit = 1 << 16;

// A run of consecutive states j = first..first+length-1 of a geometric sequence, relative to
// its first state: Power = rho^length, Sum = sum of rho^i, Weighted = sum of i * rho^i, i < length.
struct GeometricRun {
    ScaledNumber Power{1.0L};
    ScaledNumber Sum;
    ScaledNumber Weighted;
    std::int64_t Length = 0;
};

// The run of `first` followed by the run of `second`.
GeometricRun Join(const GeometricRun& first, const GeometricRun& second) {
    const ScaledNumber shift(static_cast<long double>(first.Length));
    return {first.Power * second.Power, first.Sum + first.Power * second.Sum,
            first.Weighted + first.Power * (second.Weighted + shift * second.Sum),
            first.Length + second.Length};
}

// The first `length` states, by doubling: a logarithmic number of joins of positive terms.
GeometricRun RunOfLength(long double rho, std::int64_t length) {
    GeometricRun result;
    GeometricRun piece{ScaledNumber(rho), ScaledNumber(1.0L), ScaledNumber(), 1};
    while (length > 0) {
        if (length & 1) result = Join(result, piece);
        length >>= 1;
        if (length > 0) piece = Join(piece, piece);
    }
    return result;
}

// From this load on, the sum starts SkippedDeviations standard deviations of the Poisson terms
// below the largest term it takes: the terms left out are below e^-800 of that one and cannot
// change the sum, while running through them would take one step per channel.
constexpr long double SkipLoad = 1e5L;
constexpr long double SkippedDeviations = 40;

struct FirstTerm {
    std::int64_t Index = 0;
    long double Mantissa = 1.0L;  // a^Index / Index! = Mantissa * 2^Scale
    std::int64_t Scale = 0;
};

// Only the idle probability depends on this term's own rounding, and when a term is skipped more
// than 12000 terms precede the largest one, which puts the idle probability below e^-12000, far
// out of a double's range: it is 0 either way. Every other figure is a ratio of sums that all
// carry this term as a common factor.
FirstTerm FirstTermOfSum(long double a, std::int64_t n) {
    if (!(a >= SkipLoad)) return {};
    const long double peak = std::min(a, static_cast<long double>(n));
    const long double first = std::floor(peak - SkippedDeviations * std::sqrt(a));
    if (first <= 0) return {};
    const long double log2Term = (first * std::log(a) - std::lgamma(first + 1)) / std::log(2.0L);
    const long double scale = std::floor(log2Term);
    return {static_cast<std::int64_t>(first), std::exp2(log2Term - scale),
            static_cast<std::int64_t>(scale)};
}

// The loop rises to the largest term, at a or n, and goes on until the terms are negligible, some
// 44 standard deviations sqrt(a) beyond.
bool TermByTermIsLong(long double a, std::int64_t n, const FirstTerm& first) {
    if (!(a >= WindowLoad)) return false;
    const long double last = std::min(static_cast<long double>(n), a + 45 * std::sqrt(a));
    return last - static_cast<long double>(first.Index) > TermByTermLimit;
}

}  // namespace

ErlangTerms SumErlangTerms(long double a, std::int64_t n) {
    const FirstTerm first = FirstTermOfSum(a, n);
    if (TermByTermIsLong(a, n, first)) return SumErlangTermsNearPeak(a, n);
    long double term = first.Mantissa;
    long double sum = 0.0L;
    std::int64_t scale = first.Scale;
    for (std::int64_t i = first.Index; i < n; ++i) {
        // Once a term has fallen below the range every later one is 0 as well, and the sum
        // stays as it is: stopping here spares a QS with millions of channels the rest.
        if (term == 0.0L) break;
        if (static_cast<long double>(i) + 1 > a && term < sum * NegligibleShare)
            return {ScaledNumber(sum, scale), ScaledNumber()};
        sum += term;
        term = term * a / static_cast<long double>(i + 1);
        if (std::fabs(term) > RescaleThreshold || std::fabs(sum) > RescaleThreshold) {
            term = std::ldexp(term, -RescaleExponent);
            sum = std::ldexp(sum, -RescaleExponent);
            scale += RescaleExponent;
        }
    }
    return {ScaledNumber(sum, scale), ScaledNumber(term, scale)};
}

GeometricMoments SumGeometricMoments(long double a, std::int64_t n, std::int64_t K) {
    const long double rho = a / static_cast<long double>(n);
    if (K > DoublingPlacesLimit && rho > 0) return GeometricMomentsInClosedForm(a, n, K);
    const GeometricRun run = RunOfLength(rho, K);  // states 0..K-1; state K added below
    const ScaledNumber lastIndex(static_cast<long double>(K));
    return {run.Sum + run.Power, run.Weighted + lastIndex * run.Power, run.Power, run.Sum};
}

}  // namespace qnetica
