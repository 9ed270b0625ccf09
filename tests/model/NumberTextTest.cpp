#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "model/Error.h"
#include "model/NumberText.h"

namespace qnetica {
namespace {

struct FixedCase {
    double value;
    const char* ten;
    const char* five;
};

TEST(FormatFixedTest, WritesPlainDecimalsWithPoint) {
    const FixedCase cases[] = {
        {0.5, "0.5000000000", "0.50000"},
        {17, "17.0000000000", "17.00000"},
        {-0.25, "-0.2500000000", "-0.25000"},
        {2, "2.0000000000", "2.00000"},
        {0, "0.0000000000", "0.00000"},
        {-0.0, "0.0000000000", "0.00000"},
        {1e15, "1000000000000000.0000000000", "1000000000000000.00000"},
        {-1e-11, "-0.0000000000", "-0.00000"},
        {1.0 / 3, "0.3333333333", "0.33333"},
        {2.0 / 3, "0.6666666667", "0.66667"},
        {123456.789, "123456.7890000000", "123456.78900"},
        {1e20, "100000000000000000000.0000000000", "100000000000000000000.00000"},
        {0.000012345, "0.0000123450", "0.00001"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFixed(c.value), c.ten) << c.value;
        EXPECT_EQ(FormatFixed5(c.value), c.five) << c.value;
    }
}

TEST(FormatFixedTest, NonFiniteValuesAreNamed) {
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FormatFixed5(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(FormatFixedTest, DoesNotFollowTheProcessLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(FormatFixed(0.5), "0.5000000000");
    EXPECT_EQ(ParseNumber("0.25"), 0.25);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

struct ParseCase {
    const char* text;
    double value;
    bool isNumber;
};

TEST(ParseNumberTest, LenientReaderTable) {
    const ParseCase cases[] = {
        {".5", 0.5, true},
        {"5.", 5, true},
        {"2.5E-1", 0.25, true},
        {"2.5e-1", 0.25, true},
        {" 0.25", 0.25, true},
        {"0.25 ", 0.25, true},
        {"  0.25  ", 0.25, true},
        {"0.25", 0.25, true},
        {"-0.25", -0.25, true},
        {"+0.25", 0.25, true},
        {"1e15", 1e15, true},
        {"-1e-11", -1e-11, true},
        {"1E+2", 100, true},
        {"007", 7, true},
        {"", 0, true},
        {"   ", 0, true},
        {"0,5", 0.5, true},
        {"abc", 0, false},
        {"0.5 x", 0, false},
        {".", 0, false},
        {"-", 0, false},
        {"1e", 0, false},
        {"1e+", 0, false},
        {"e5", 0, false},
        {"1.2.3", 0, false},
        {"0,2,3", 0, false},
        {"0,2.3", 0, false},
        {",", 0, false},
        {"1,e5", 1e5, true},
        {"0x10", 0, false},
        {"inf", 0, false},
        {"nan", 0, false},
        {"1e400", 0, false},
        {"1e-400", 0, true},
        {"\t1", 0, false},
        {"1 000", 0, false},
        {"0.1", 0.1, true},
        {"0.3333333333", 0.3333333333, true},
    };
    for (const auto& c : cases) {
        const ParsedNumber parsed = ParseNumberChecked(c.text);
        EXPECT_EQ(parsed.Value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(parsed.IsNumber, c.isNumber) << '"' << c.text << '"';
        EXPECT_EQ(ParseNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

// A comma before the decimals reads as the point does, whatever follows: the same text with a
// point, read by the C library in the "C" locale, is the oracle.
TEST(ParseNumberTest, CommaReadsAsThePoint) {
    const char* commaTexts[] = {"0,2",
                                " 0,2 ",
                                "1,5e2",
                                "-0,25",
                                ",5",
                                "5,",
                                "0,3333333333",
                                "2,5E-1",
                                "1,7976931348623157e308",
                                "0,1000000000000000055511151231257827",
                                "+12345678901234567890,5"};
    for (const char* text : commaTexts) {
        std::string pointed(text);
        std::replace(pointed.begin(), pointed.end(), ',', '.');
        const ParsedNumber comma = ParseNumberChecked(text);
        EXPECT_TRUE(comma.IsNumber) << text;
        EXPECT_EQ(comma.Value, std::strtod(pointed.c_str(), nullptr)) << text;
        EXPECT_EQ(comma.Value, ParseNumber(pointed)) << text;
    }
}

struct SeparatorCase {
    const char* text;
    char separator;
    const char* changed;
};

// The digits stay as typed; only the separator and the blanks around the number change.
TEST(WithDecimalSeparatorTest, ChangesOnlyTheSeparatorOfANumber) {
    const SeparatorCase cases[] = {
        {"0,3333333333", '.', "0.3333333333"},
        {"0.3333333333", ',', "0,3333333333"},
        {" 0,2 ", '.', "0.2"},
        {"1,5e2", '.', "1.5e2"},
        {"1E-3", ',', "1E-3"},
        {"-,5", '.', "-.5"},
        {"+7,", '.', "+7."},
        {"0.5", '.', "0.5"},
        {"", ',', ""},
        {"   ", ',', "   "},  // empty: as it was
        {"abc", ',', "abc"},  // no number: as it was
        {"0,2,3", '.', "0,2,3"},
        {"1.5 x", ',', "1.5 x"},
        {"NAN", ',', "NAN"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithDecimalSeparator(c.text, c.separator), c.changed) << '"' << c.text << '"';
        // The changed text of a number reads as the text did.
        const ParsedNumber before = ParseNumberChecked(c.text);
        const ParsedNumber after = ParseNumberChecked(WithDecimalSeparator(c.text, c.separator));
        EXPECT_EQ(after.IsNumber, before.IsNumber) << c.text;
        EXPECT_EQ(after.Value, before.Value) << c.text;
    }
}

TEST(ParseNumberTest, ReadsBackEveryFixedText) {
    for (double value : {0.0, 0.5, 1.0 / 3, 17.25, -3.75, 49999.0, 1e-10}) {
        const double back = ParseNumber(FormatFixed(value));
        EXPECT_NEAR(back, value, 5e-11) << value;
    }
}

struct IntegerCase {
    const char* text;
    int value;
    bool isNumber;
};

TEST(ParseIntegerTest, LenientIntegerTable) {
    const IntegerCase cases[] = {
        {"5", 5, true},
        {" 12", 12, true},
        {"12 ", 12, true},
        {"-3", -3, true},
        {"+4", 4, true},
        {"", 0, true},
        {"  ", 0, true},
        {"2.5", 0, false},
        {"abc", 0, false},
        {"2147483647", 2147483647, true},
        {"-2147483648", -2147483647 - 1, true},
        {"2147483648", 0, false},
        {"99999999999999999999", 0, false},
    };
    for (const auto& c : cases) {
        const ParsedInteger parsed = ParseIntegerChecked(c.text);
        EXPECT_EQ(parsed.Value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(parsed.IsNumber, c.isNumber) << '"' << c.text << '"';
    }
}

struct LocaleCase {
    double value;
    const char* comma;
};

TEST(LocaleFormTest, GeneralFormatWithFifteenDigits) {
    const LocaleCase cases[] = {
        {1.0 / 3, "0,333333333333333"},
        {0.5, "0,5"},
        {0.9, "0,9"},
        {0.4 + 0.5, "0,9"},
        {2, "2"},
        {-0.25, "-0,25"},
        {0, "0"},
        {100, "100"},
        {123456789012345, "123456789012345"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {0.00001, "0,00001"},
        {0.000001, "1E-6"},
        {-2.5e-7, "-2,5E-7"},
        {2.0 / 3, "0,666666666666667"},
        {1.5e300, "1,5E300"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatLocale(c.value, ','), c.comma) << c.value;
    EXPECT_EQ(FormatLocale(1.0 / 3, '.'), "0.333333333333333");
}

TEST(LocaleFormTest, StrictReaderAcceptsOnlyTheGivenSeparator) {
    EXPECT_EQ(ParseLocaleStrict("0,5", ','), 0.5);
    EXPECT_EQ(ParseLocaleStrict(" 0,25 ", ','), 0.25);
    EXPECT_EQ(ParseLocaleStrict("1E-6", ','), 1e-6);
    EXPECT_EQ(ParseLocaleStrict("0.5", '.'), 0.5);
    EXPECT_EQ(ParseLocaleStrict(FormatLocale(1.0 / 3, ','), ','), 0.333333333333333);
    for (const char* bad : {"0.5", "", "abc", "0,5x", "1e400"}) {
        try {
            ParseLocaleStrict(bad, ',');
            ADD_FAILURE() << "accepted " << bad;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()),
                      "'" + std::string(bad) + "' is not a valid floating point value");
        }
    }
}

TEST(StrictIntegerTest, FailsWithTheLibraryMessage) {
    EXPECT_EQ(ParseIntegerStrict("42"), 42);
    EXPECT_EQ(ParseIntegerStrict(" -7"), -7);
    for (const char* bad : {"", "4.5", "x", "12 ", "3000000000"}) {
        try {
            ParseIntegerStrict(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()),
                      "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}

}  // namespace
}  // namespace qnetica

namespace qnetica {
namespace {

// Short decimals take a quicker road than long ones; both must give the nearest double.
TEST(ParseNumberTest, ShortAndLongDecimalsRoundToTheNearestDouble) {
    const char* texts[] = {"0.1",
                           "0.0113487201",
                           "0.9999999999",
                           "123456789012345",
                           "1.7976931348",
                           "0.000000000000001",
                           "-0.3",
                           "0.30000000000000004",
                           "1234567890.12345",
                           "12345678901234567890",
                           "3.14159265358979323846"};
    for (const char* text : texts) {
        EXPECT_EQ(ParseNumber(text), std::strtod(text, nullptr)) << text;
        EXPECT_EQ(ParseNumber(std::string(text) + "e0"), std::strtod(text, nullptr)) << text;
    }
}

}  // namespace
}  // namespace qnetica
