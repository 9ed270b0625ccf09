#pragma once

#include <cstdint>

namespace qnetica {

// An extended-precision number with an exponent of its own, mantissa * 2^exponent, for the
// quantities of large systems (a^n and n! for a thousand channels, rho^m for a long queue) that
// leave the range even of long double. Scaling by powers of two is exact, so the arithmetic
// rounds exactly as long double does.
class ScaledNumber {
  public:
    ScaledNumber() = default;
    explicit ScaledNumber(long double value) : ScaledNumber(value, 0) {}
    ScaledNumber(long double mantissa, std::int64_t exponent);

    friend ScaledNumber operator*(const ScaledNumber& a, const ScaledNumber& b);
    friend ScaledNumber operator/(const ScaledNumber& a, const ScaledNumber& b);
    friend ScaledNumber operator+(const ScaledNumber& a, const ScaledNumber& b);

    bool IsZero() const { return mantissa_ == 0; }
    // The value in long double; it overflows to infinity or underflows to zero only when the
    // number lies outside long double's range.
    long double ToLongDouble() const;

  private:
    long double mantissa_ = 0;  // 0.5 <= |mantissa| < 1, or 0
    std::int64_t exponent_ = 0;
};

// e^x for any finite x, e^-10^12 as well as e^10^12; its relative error is that of x times |x|.
ScaledNumber ScaledExp(long double x);

}  // namespace qnetica
