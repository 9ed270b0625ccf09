#include "runs/DistinctNumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace qnetica {
namespace {

constexpr int MostDecimals = 10;
constexpr double EqualShare = 1e-9;
constexpr double ErrorShare = 0.25;  // of the smallest difference

// Locale-independent, and "-0.0" for a tiny negative value becomes "0.0".
std::string Fixed(double value, int decimals) {
    char buffer[400];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals)
            .ptr;
    std::string text(buffer, end);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

double Read(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Rounding keeps the order, so neighbours in sorted order are the only pairs to compare.
bool Fits(const std::vector<double>& sorted, int decimals, double tolerance, double error) {
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        const std::string text = Fixed(sorted[i], decimals);
        if (std::fabs(Read(text) - sorted[i]) > error) return false;
        if (i > 0 && sorted[i] - sorted[i - 1] > tolerance &&
            text == Fixed(sorted[i - 1], decimals))
            return false;
    }
    return true;
}

}  // namespace

int DistinctDecimals(std::span<const double> values) {
    std::vector<double> sorted;
    double largest = 0;
    for (double value : values) {
        if (!std::isfinite(value)) continue;
        sorted.push_back(value);
        largest = std::max(largest, std::fabs(value));
    }
    std::sort(sorted.begin(), sorted.end());
    const double tolerance = largest * EqualShare;
    double smallest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 1; i < sorted.size(); ++i)
        if (sorted[i] - sorted[i - 1] > tolerance)
            smallest = std::min(smallest, sorted[i] - sorted[i - 1]);
    const double error = std::isfinite(smallest) ? smallest * ErrorShare : tolerance;
    for (int decimals = 0; decimals < MostDecimals; ++decimals)
        if (Fits(sorted, decimals, tolerance, error)) return decimals;
    return MostDecimals;
}

std::vector<std::string> FormatDistinct(std::span<const double> values) {
    const int decimals = DistinctDecimals(values);
    std::vector<std::string> texts;
    texts.reserve(values.size());
    for (double value : values) texts.push_back(Fixed(value, decimals));
    return texts;
}

}  // namespace qnetica
