#include "engine/CompensatedNumber.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace qnetica {
namespace {

// Splits a significand into two halves whose products are exact: 2^32 + 1 for the 64 bits of
// the extended format.
constexpr int HalfDigits = (std::numeric_limits<long double>::digits + 1) / 2;
constexpr long double SplitFactor = static_cast<long double>(std::uint64_t{1} << HalfDigits) + 1;

struct Halves {
    long double High;
    long double Low;
};

Halves Split(long double x) {
    const long double scaled = SplitFactor * x;
    const long double high = scaled - (scaled - x);
    return {high, x - high};
}

}  // namespace

CompensatedNumber CompensatedNumber::Sum(long double x, long double y) {
    const long double sum = x + y;
    if (!std::isfinite(sum)) return {sum, 0.0L};
    const long double back = sum - x;
    return {sum, (x - (sum - back)) + (y - back)};
}

CompensatedNumber CompensatedNumber::Product(long double x, long double y) {
    const long double product = x * y;
    if (!std::isfinite(product)) return {product, 0.0L};
    const Halves a = Split(x);
    const Halves b = Split(y);
    const long double error =
        ((a.High * b.High - product) + a.High * b.Low + a.Low * b.High) + a.Low * b.Low;
    return {product, error};
}

CompensatedNumber CompensatedNumber::operator*(long double factor) const {
    const CompensatedNumber product = Product(high_, factor);
    return Sum(product.high_, product.low_ + low_ * factor);
}

CompensatedNumber CompensatedNumber::operator-(const CompensatedNumber& other) const {
    const CompensatedNumber difference = Sum(high_, -other.high_);
    return Sum(difference.high_, difference.low_ + (low_ - other.low_));
}

}  // namespace qnetica
