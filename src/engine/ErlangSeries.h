#pragma once

#include <cstdint>

#include "engine/ScaledNumber.h"

namespace qnetica {

// The terms of the birth-death probabilities of an n-channel QS with offered load a, in the
// scaled form that stays finite for any number of channels. The sum takes the terms one by one
// while that is quick, and those near the largest one (ErlangWindow.h) when it is not.
struct ErlangTerms {
    ScaledNumber HeadSum;  // sum of a^i / i! for i = 0..n-1
    ScaledNumber Top;      // a^n / n!
};
ErlangTerms SumErlangTerms(long double a, std::int64_t n);

// The queue states beyond the n channels of a QS with K waiting places, load a and rho = a/n:
// Sum = rho^0 + ... + rho^K, Weighted = sum of j * rho^j, Last = rho^K (0^0 counts as 1) and
// BeforeLast = rho^0 + ... + rho^(K-1), the states in which the QS is not full. Up to 65536
// places they are summed by doubling runs of states, beyond in closed form
// (GeometricClosedForm.h); neither cancels, so rho near or at 1 and any K are exact to rounding.
struct GeometricMoments {
    ScaledNumber Sum;
    ScaledNumber Weighted;
    ScaledNumber Last;
    ScaledNumber BeforeLast;
};
GeometricMoments SumGeometricMoments(long double a, std::int64_t n, std::int64_t K);

}  // namespace qnetica
