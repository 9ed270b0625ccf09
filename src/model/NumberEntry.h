#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qnetica {

// A number the user typed into a named field: "," and "." both stand before the decimals. A text
// that is no number is refused with a message that names the field and quotes the text, e.g.
// «Время обслуживания: "abc" не является числом», so that nothing is ever kept as 0 because it
// could not be read.
struct NumberEntry {
    double Value = 0;
    std::string Text;     // as the model keeps it: "." before the decimals, no blanks around
    std::string Refusal;  // empty when the text was taken
    bool Taken() const { return Refusal.empty(); }
    bool Empty() const { return Taken() && Text.empty(); }
};

// Whether a field may be left empty (an empty matrix cell means no transfer).
enum class EmptyEntry { Refused, Allowed };

NumberEntry ReadNumberEntry(std::string_view field, std::string_view typed, EmptyEntry empty);

// A whole number typed into a named field; never empty.
struct IntegerEntry {
    std::int32_t Value = 0;
    std::string Refusal;  // empty when the text was taken
    bool Taken() const { return Refusal.empty(); }
};

IntegerEntry ReadIntegerEntry(std::string_view field, std::string_view typed);

}  // namespace qnetica
