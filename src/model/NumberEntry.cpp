#include "model/NumberEntry.h"

#include "model/NumberText.h"
#include "model/TextConcat.h"

namespace qnetica {
namespace {

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string NoValueMessage(std::string_view field) {
    return Concat({field, ": значение не указано"});
}

std::string Refusal(std::string_view field, std::string_view typed, std::string_view what) {
    return Concat({field, ": \"", typed, "\" не является ", what});
}

}  // namespace

NumberEntry ReadNumberEntry(std::string_view field, std::string_view typed, EmptyEntry empty) {
    NumberEntry entry;
    if (IsBlank(typed)) {
        if (empty == EmptyEntry::Refused) entry.Refusal = NoValueMessage(field);
        return entry;
    }
    const ParsedNumber parsed = ParseNumberChecked(typed);
    if (!parsed.IsNumber) {
        entry.Refusal = Refusal(field, typed, "числом");
        return entry;
    }
    entry.Value = parsed.Value;
    entry.Text = WithDecimalSeparator(typed, '.');
    return entry;
}

IntegerEntry ReadIntegerEntry(std::string_view field, std::string_view typed) {
    IntegerEntry entry;
    if (IsBlank(typed)) {
        entry.Refusal = NoValueMessage(field);
        return entry;
    }
    const ParsedInteger parsed = ParseIntegerChecked(typed);
    if (!parsed.IsNumber) {
        entry.Refusal = Refusal(field, typed, "целым числом");
        return entry;
    }
    entry.Value = parsed.Value;
    return entry;
}

}  // namespace qnetica
