#pragma once

#include <cstdint>

#include "engine/ErlangSeries.h"

namespace qnetica {

// The Erlang terms of a QS of n > 2^17 channels and a load a of 2^16 or more (below, the term by
// term sum is quick, and its bits are kept), taken only where they count:
// from the largest term down and up to where they fall below e^-54 of it, some 21 sqrt(a) steps
// however many channels there are, and a^n/n! by a formula when n lies beyond. The sums agree
// with the term-by-term ones to about 1e-17; the scale they share is only approximate, which
// only the idle probability would show, and that is below e^-65000 wherever this serves.
ErlangTerms SumErlangTermsNearPeak(long double a, std::int64_t n);

}  // namespace qnetica
