#include "engine/ScaledNumber.h"

#include <cmath>

namespace qnetica {
namespace {

// Beyond this difference of exponents the smaller addend is below half an ulp of the larger.
constexpr std::int64_t NegligibleExponentGap = 70;
// Exponents beyond which a long double is certainly infinite or zero.
constexpr std::int64_t LongDoubleExponentLimit = 16500;

}  // namespace

ScaledNumber::ScaledNumber(long double mantissa, std::int64_t exponent) {
    if (mantissa == 0 || !std::isfinite(mantissa)) {
        mantissa_ = mantissa;
        return;
    }
    int shift = 0;
    mantissa_ = std::frexp(mantissa, &shift);
    exponent_ = exponent + shift;
}

ScaledNumber operator*(const ScaledNumber& a, const ScaledNumber& b) {
    return ScaledNumber(a.mantissa_ * b.mantissa_, a.exponent_ + b.exponent_);
}

ScaledNumber operator/(const ScaledNumber& a, const ScaledNumber& b) {
    return ScaledNumber(a.mantissa_ / b.mantissa_, a.exponent_ - b.exponent_);
}

ScaledNumber operator+(const ScaledNumber& a, const ScaledNumber& b) {
    if (a.IsZero()) return b;
    if (b.IsZero()) return a;
    const ScaledNumber& larger = a.exponent_ >= b.exponent_ ? a : b;
    const ScaledNumber& smaller = a.exponent_ >= b.exponent_ ? b : a;
    const std::int64_t gap = larger.exponent_ - smaller.exponent_;
    if (gap > NegligibleExponentGap) return larger;
    return ScaledNumber(larger.mantissa_ + std::ldexp(smaller.mantissa_, static_cast<int>(-gap)),
                        larger.exponent_);
}

long double ScaledNumber::ToLongDouble() const {
    if (IsZero() || !std::isfinite(mantissa_)) return mantissa_;
    if (exponent_ > LongDoubleExponentLimit) return mantissa_ * HUGE_VALL;
    if (exponent_ < -LongDoubleExponentLimit) return mantissa_ * 0.0L;
    return std::ldexp(mantissa_, static_cast<int>(exponent_));
}

ScaledNumber ScaledExp(long double x) {
    constexpr long double Ln2 = 0.693147180559945309417232121458176568L;
    const long double binary = x / Ln2;
    const long double whole = std::floor(binary);
    return ScaledNumber(std::exp2(binary - whole), static_cast<std::int64_t>(whole));
}

}  // namespace qnetica
