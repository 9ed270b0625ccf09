#pragma once

namespace qnetica {

// The user's decimal separator, for the numbers written in the locale's form (the class shares,
// the class lines of a varied run's report, the generator's input rate). One outside ASCII cannot
// appear in the core's number texts, so "." stands in for it.
char SystemDecimalSeparator();

}  // namespace qnetica
