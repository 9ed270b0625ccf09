#pragma once

#include <cstdint>

namespace qnetica {

// The queueing formulas are evaluated in extended precision and rounded to an 8-byte double
// whenever a value is stored; this names that rounding where it happens.
inline double Stored(long double value) {
    return static_cast<double>(value);
}

// x to the integer power k, rounded to a double after every multiplication; 1 for k <= 0.
double Power(std::int64_t k, double x);

// k! formed as a double (exact up to 22!, infinite from 171! on); 1 for k <= 0.
double Factorial(std::int64_t k);

// The largest n for which n! is a finite double.
inline constexpr int LargestFiniteFactorial = 170;

// The double form of the Erlang sums (powers and factorials as doubles) serves while a^(n+1)
// and n! are finite; beyond that the scaled form of ErlangSeries.h takes over.
bool DoubleFormFits(std::int64_t n, double a);

// The double form's first n terms: Sum = sum of Power(i, a) / Factorial(i) for i = 0..n-1,
// rounded to a double after each addition, with Power(n, a) and Factorial(n) beside it.
struct DoubleFormHead {
    double Sum = 0;
    double PowerN = 1;
    double FactorialN = 1;
};
DoubleFormHead SumDoubleFormHead(std::int64_t n, double a);

}  // namespace qnetica
