#include "formats/CellNumberText.h"

#include <cmath>
#include <cstdint>

#include "model/NumberText.h"

namespace qnetica {
namespace {

constexpr double PlainDigitsBelow = 1e15;

bool IsPlainWholeNumber(double value) {
    return std::trunc(value) == value && std::fabs(value) < PlainDigitsBelow &&
           !(value == 0 && std::signbit(value));
}

}  // namespace

std::string CellTextOfNumber(double value) {
    if (IsPlainWholeNumber(value)) return std::to_string(static_cast<std::int64_t>(value));
    return nlohmann::json(value).dump();
}

std::optional<nlohmann::ordered_json> NumberOfCellText(const std::string& text) {
    const ParsedNumber parsed = ParseNumberChecked(text);
    if (text.empty() || !parsed.IsNumber || !std::isfinite(parsed.Value)) return std::nullopt;
    if (CellTextOfNumber(parsed.Value) != text) return std::nullopt;
    if (IsPlainWholeNumber(parsed.Value))
        return nlohmann::ordered_json(static_cast<std::int64_t>(parsed.Value));
    return nlohmann::ordered_json(parsed.Value);
}

}  // namespace qnetica
