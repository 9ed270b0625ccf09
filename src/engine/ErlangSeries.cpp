#include "engine/ErlangSeries.h"

#include <cmath>

namespace qnetica {
namespace {

// The running terms are moved down by this power of two before they could leave the range.
constexpr int RescaleExponent = 8000;
constexpr long double RescaleThreshold = 0x1p8000L;

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

}  // namespace

ErlangTerms SumErlangTerms(long double a, std::int64_t n) {
    long double term = 1.0L;
    long double sum = 0.0L;
    std::int64_t scale = 0;
    for (std::int64_t i = 0; i < n; ++i) {
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

GeometricMoments SumGeometricMoments(long double rho, std::int64_t K) {
    const GeometricRun run = RunOfLength(rho, K);  // states 0..K-1; state K added below
    const ScaledNumber lastIndex(static_cast<long double>(K));
    return {run.Sum + run.Power, run.Weighted + lastIndex * run.Power, run.Power};
}

}  // namespace qnetica
