#pragma once

#include <QString>
#include <string>

namespace qnetica {

// The user's decimal separator (of the default locale), for the numbers written in the locale's
// form (the class shares, the class lines of a varied run's report). One outside ASCII cannot
// appear in the core's number texts, so "." stands in for it.
char SystemDecimalSeparator();

// The separator the windows show before the decimals of every number: the user's when it is a
// comma, otherwise the point. Whatever is shown, both are taken when the user types a number.
char ShownDecimalSeparator();

// A number text of the model (a cell, the input rate, a result) as the windows show it: the
// shown separator before its decimals. Texts that are no numbers are shown as they are; the
// model and the files keep theirs.
QString ShownNumber(const std::string& modelText, char separator = ShownDecimalSeparator());
// A number in the fixed form with ten decimals, as the windows show it.
QString ShownFixed(double value, char separator = ShownDecimalSeparator());
// A number with at most `digits` significant digits (a chart's mark, a tooltip), as shown.
QString ShownGeneral(double value, int digits, char separator = ShownDecimalSeparator());

}  // namespace qnetica
