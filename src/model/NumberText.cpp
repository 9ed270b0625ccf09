#include "model/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

#include "model/Error.h"
#include "model/TextConcat.h"

namespace qnetica {
namespace {

// Wide enough for the fixed form of the largest double.
constexpr std::size_t FixedBufferSize = 400;
// The lenient reader takes the point and the comma alike before the decimals.
constexpr std::string_view AnySeparator = ".,";

std::optional<std::string> NonFiniteText(double value) {
    if (std::isnan(value)) return std::string("NAN");
    if (std::isinf(value)) return std::string(value < 0 ? "-INF" : "INF");
    return std::nullopt;
}

std::string FormatWithDecimals(double value, int decimals) {
    if (auto text = NonFiniteText(value)) return *text;
    if (value == 0) value = 0;  // no sign for a negative zero
    char buffer[FixedBufferSize];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

// The pieces of a decimal number found by the scanner, without separators.
struct DecimalText {
    bool Negative = false;
    std::string_view IntegerDigits;
    std::string_view FractionDigits;
    bool HasExponent = false;
    bool ExponentNegative = false;
    std::string_view ExponentDigits;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string_view TakeDigits(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return text.substr(start, pos - start);
}

// Scans sign, digits, separator, digits and exponent; the whole text must be consumed. Any one
// of the separators may stand before the decimals.
std::optional<DecimalText> ScanDecimal(std::string_view text, std::string_view separators) {
    DecimalText number;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        number.Negative = text[pos] == '-';
        ++pos;
    }
    number.IntegerDigits = TakeDigits(text, pos);
    if (pos < text.size() && separators.find(text[pos]) != std::string_view::npos) {
        ++pos;
        number.FractionDigits = TakeDigits(text, pos);
    }
    if (number.IntegerDigits.empty() && number.FractionDigits.empty()) return std::nullopt;
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        number.HasExponent = true;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            number.ExponentNegative = text[pos] == '-';
            ++pos;
        }
        number.ExponentDigits = TakeDigits(text, pos);
        if (number.ExponentDigits.empty()) return std::nullopt;
    }
    if (pos != text.size()) return std::nullopt;
    return number;
}

// True when a number whose conversion is out of range is too large rather than too small.
bool IsOverflow(const DecimalText& number) {
    const auto first = number.IntegerDigits.find_first_not_of('0');
    long long magnitude = 0;
    if (first != std::string::npos) {
        magnitude = static_cast<long long>(number.IntegerDigits.size() - first);
    } else {
        const auto firstFraction = number.FractionDigits.find_first_not_of('0');
        magnitude = -static_cast<long long>(firstFraction);
    }
    // Only the sign of the exponent and whether it is long matter here.
    long long exponent = 0;
    if (number.ExponentDigits.size() > 9)
        exponent = 1000000000LL;
    else
        for (char digit : number.ExponentDigits) exponent = exponent * 10 + (digit - '0');
    if (number.ExponentNegative) exponent = -exponent;
    return magnitude + exponent > 0;
}

// Short plain decimals (every matrix cell the program writes) need no general conversion: the
// digits and the power of ten are both exact doubles, so one division rounds correctly.
std::optional<double> ExactShortDecimal(const DecimalText& number) {
    constexpr std::size_t MaxExactDigits = 15;  // below 2^53
    constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (number.HasExponent) return std::nullopt;
    if (number.IntegerDigits.size() + number.FractionDigits.size() > MaxExactDigits)
        return std::nullopt;
    std::int64_t mantissa = 0;
    for (char digit : number.IntegerDigits) mantissa = mantissa * 10 + (digit - '0');
    for (char digit : number.FractionDigits) mantissa = mantissa * 10 + (digit - '0');
    const double value = static_cast<double>(mantissa) / PowersOfTen[number.FractionDigits.size()];
    return number.Negative ? -value : value;
}

// Converts scanned pieces into a double; nullopt when the value is too large for a double.
std::optional<double> ToDouble(const DecimalText& number) {
    if (auto exact = ExactShortDecimal(number)) return exact;
    std::string plain;
    plain.reserve(number.IntegerDigits.size() + number.FractionDigits.size() +
                  number.ExponentDigits.size() + 4);
    plain += number.IntegerDigits.empty() ? std::string_view("0") : number.IntegerDigits;
    if (!number.FractionDigits.empty()) {
        plain += '.';
        plain += number.FractionDigits;
    }
    if (number.HasExponent) {
        plain += number.ExponentNegative ? "e-" : "e";
        plain += number.ExponentDigits;
    }
    double value = 0;
    auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (IsOverflow(number)) return std::nullopt;
        value = 0;
    } else if (result.ec != std::errc() || result.ptr != plain.data() + plain.size()) {
        return std::nullopt;
    }
    return number.Negative ? -value : value;
}

std::optional<std::int32_t> ToInt32(std::string_view text) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::string_view digits = TakeDigits(text, pos);
    if (digits.empty() || pos != text.size()) return std::nullopt;
    long long value = 0;
    for (char digit : digits) {
        value = value * 10 + (digit - '0');
        if (value > 2147483648LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string Quoted(std::string_view text) {
    return Concat({"'", text, "'"});
}

}  // namespace

std::string FormatFixed(double value) {
    return FormatWithDecimals(value, 10);
}

std::string FormatFixed5(double value) {
    return FormatWithDecimals(value, 5);
}

ParsedNumber ParseNumberChecked(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) return {};
    auto scanned = ScanDecimal(text, AnySeparator);
    if (!scanned) return {0, false};
    auto value = ToDouble(*scanned);
    if (!value) return {0, false};
    return {*value, true};
}

double ParseNumber(std::string_view text) {
    return ParseNumberChecked(text).Value;
}

std::string WithDecimalSeparator(std::string_view text, char separator) {
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.empty() || !ParseNumberChecked(trimmed).IsNumber) return std::string(text);
    std::string changed(trimmed);
    for (char& c : changed)
        if (AnySeparator.find(c) != std::string_view::npos) c = separator;
    return changed;
}

ParsedInteger ParseIntegerChecked(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) return {};
    auto value = ToInt32(text);
    if (!value) return {0, false};
    return {*value, true};
}

std::int32_t ParseInteger(std::string_view text) {
    return ParseIntegerChecked(text).Value;
}

std::string FormatLocale(double value, char decimalSeparator) {
    if (auto text = NonFiniteText(value)) return *text;
    if (value == 0) return "0";
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string scientific(buffer, result.ptr);  // [-]d.ddddddddddddddde[+-]xx
    const bool negative = scientific[0] == '-';
    const auto ePos = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, ePos))
        if (IsDigit(c)) digits += c;
    const int exponent = std::stoi(scientific.substr(ePos + 1));
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string text = negative ? "-" : "";
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            text += "0";
            text += decimalSeparator;
            text += std::string(-exponent - 1, '0') + digits;
        } else {
            const std::size_t integerCount = exponent + 1;
            if (digits.size() < integerCount) digits.append(integerCount - digits.size(), '0');
            text += digits.substr(0, integerCount);
            if (digits.size() > integerCount) {
                text += decimalSeparator;
                text += digits.substr(integerCount);
            }
        }
        return text;
    }
    text += digits.substr(0, 1);
    if (digits.size() > 1) {
        text += decimalSeparator;
        text += digits.substr(1);
    }
    return Concat({text, "E", std::to_string(exponent)});
}

double ParseLocaleStrict(std::string_view text, char decimalSeparator) {
    auto scanned = ScanDecimal(TrimBlanks(text), std::string_view(&decimalSeparator, 1));
    std::optional<double> value;
    if (scanned) value = ToDouble(*scanned);
    if (!value) throw Error(Quoted(text) + " is not a valid floating point value");
    return *value;
}

std::string FormatInteger(std::int64_t value) {
    return std::to_string(value);
}

std::int32_t ParseIntegerStrict(std::string_view text) {
    std::string_view body = text;
    while (!body.empty() && body.front() == ' ') body.remove_prefix(1);
    auto value = ToInt32(body);
    if (!value) throw Error(Quoted(text) + " is not a valid integer value");
    return *value;
}

}  // namespace qnetica
