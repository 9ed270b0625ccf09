#include "model/NumberEntry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace qnetica {
namespace {

// What a field does with each text a user may type: the number and the text the model keeps, or
// the refusal. Never a silent 0.
struct EntryCase {
    const char* typed;
    std::optional<double> value;  // nullopt: refused
    const char* kept;             // the model's text of a taken number
};

const EntryCase EntryCases[] = {
    {"0,2", 0.2, "0.2"},         {"0.2", 0.2, "0.2"},
    {" 0,2 ", 0.2, "0.2"},       {"1e-3", 0.001, "1e-3"},
    {"1,5e2", 150, "1.5e2"},     {"abc", std::nullopt, ""},
    {"0,2,3", std::nullopt, ""}, {"0.3333333333", 0.3333333333, "0.3333333333"},
    {"-7,25", -7.25, "-7.25"},   {"1e400", std::nullopt, ""},
    {"0,5 x", std::nullopt, ""},
};

TEST(NumberEntryTest, TakesBothSeparatorsAndRefusesWhatIsNoNumber) {
    for (const auto& c : EntryCases) {
        for (EmptyEntry empty : {EmptyEntry::Refused, EmptyEntry::Allowed}) {
            const NumberEntry entry = ReadNumberEntry("Время обслуживания", c.typed, empty);
            SCOPED_TRACE(c.typed);
            EXPECT_EQ(entry.Taken(), c.value.has_value());
            if (c.value) {
                EXPECT_EQ(entry.Value, *c.value);
                EXPECT_EQ(entry.Text, c.kept);
                EXPECT_FALSE(entry.Empty());
            } else {
                EXPECT_EQ(entry.Refusal, std::string("Время обслуживания: \"") + c.typed +
                                             "\" не является числом");
            }
        }
    }
}

TEST(NumberEntryTest, AnEmptyFieldIsRefusedOrLeftEmpty) {
    for (const char* typed : {"", "   "}) {
        const NumberEntry required = ReadNumberEntry("Число", typed, EmptyEntry::Refused);
        EXPECT_EQ(required.Refusal, "Число: значение не указано");
        const NumberEntry optional = ReadNumberEntry("Число", typed, EmptyEntry::Allowed);
        EXPECT_TRUE(optional.Taken());
        EXPECT_TRUE(optional.Empty());
        EXPECT_EQ(optional.Text, "");
    }
}

TEST(NumberEntryTest, WholeNumbersHaveDigitsOnly) {
    const struct {
        const char* typed;
        std::optional<int> value;
    } cases[] = {
        {"3", 3},
        {" 3 ", 3},
        {"-2", -2},
        {"+4", 4},
        {"0,2", {}},
        {"0.2", {}},
        {" 0,2 ", {}},
        {"1e-3", {}},
        {"1,5e2", {}},
        {"abc", {}},
        {"0,2,3", {}},
        {"3.0", {}},
        {"2147483647", 2147483647},
        {"2147483648", {}},
    };
    for (const auto& c : cases) {
        const IntegerEntry entry = ReadIntegerEntry("Число каналов", c.typed);
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(entry.Taken(), c.value.has_value());
        if (c.value)
            EXPECT_EQ(entry.Value, *c.value);
        else
            EXPECT_EQ(entry.Refusal,
                      std::string("Число каналов: \"") + c.typed + "\" не является целым числом");
    }
    EXPECT_EQ(ReadIntegerEntry("Число мест", "").Refusal, "Число мест: значение не указано");
}

}  // namespace
}  // namespace qnetica
