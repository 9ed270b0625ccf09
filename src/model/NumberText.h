#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qnetica {

// Plain decimal notation with "." and exactly 10 (FormatFixed) or 5 (FormatFixed5) decimals.
std::string FormatFixed(double value);
std::string FormatFixed5(double value);

// The lenient reader used for every number of the model: blanks around the text are skipped,
// "." or "," stands before the decimals (so a cell saved as "0,5" is 0.5), an empty text is 0.
// A text outside the syntax reads as 0 and is no number.
struct ParsedNumber {
    double Value = 0;
    bool IsNumber = true;  // false for a non-empty text outside the syntax
};
ParsedNumber ParseNumberChecked(std::string_view text);
double ParseNumber(std::string_view text);

// A number text of the lenient reader with the given separator before its decimals and without
// the blanks around it, its digits as they were: "0,3333333333" with '.' gives "0.3333333333".
// An empty text and a text that is no number come back unchanged.
std::string WithDecimalSeparator(std::string_view text, char separator);

// The whole-number form of the lenient reader (blanks, optional sign, decimal digits).
struct ParsedInteger {
    std::int32_t Value = 0;
    bool IsNumber = true;
};
ParsedInteger ParseIntegerChecked(std::string_view text);
std::int32_t ParseInteger(std::string_view text);

// The locale form: general format with up to 15 significant digits and the user's decimal
// separator. The strict readers throw qnetica::Error with the run-time library's message.
std::string FormatLocale(double value, char decimalSeparator);
double ParseLocaleStrict(std::string_view text, char decimalSeparator);
std::string FormatInteger(std::int64_t value);
std::int32_t ParseIntegerStrict(std::string_view text);

}  // namespace qnetica
