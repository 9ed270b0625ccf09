#pragma once

#include <cstdint>

#include "engine/ErlangSeries.h"

namespace qnetica {

// The moments of the queue states of SumGeometricMoments in closed form, for any number of places
// at a load rho = a/n > 0: with s = ln rho, Sum = (e^((K+1)s) - 1)/(e^s - 1) through expm1, and
// Weighted = Sum times the mean place, (K+1) B((K+1)s) - B(s) with B(x) = 1/(1 - e^-x) - 1/x,
// whose poles 1/s cancel exactly, so that rho at or next to 1 costs no precision. Above rho = 1
// the places are counted from the last one, where the weights fall off instead. The error is
// some units of the last place of long double times K |s|, the condition of rho^K itself; s is
// formed from a and n, as the rounding of a/n alone would be multiplied by K.
GeometricMoments GeometricMomentsInClosedForm(long double a, std::int64_t n, std::int64_t K);

}  // namespace qnetica
