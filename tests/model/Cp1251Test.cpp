#include <gtest/gtest.h>

#include "model/Cp1251.h"

namespace qnetica {
namespace {

struct CodecCase {
    const char* utf8;
    std::string cp1251;
};

TEST(Cp1251Test, ConvertsBothWays) {
    const CodecCase cases[] = {
        {"", ""},
        {"S1 0.5", "S1 0.5"},
        {"СМО", "\xD1\xCC\xCE"},
        {"Ёё", "\xA8\xB8"},
        {"абвгдеж", "\xE0\xE1\xE2\xE3\xE4\xE5\xE6"},
        {"Яя", "\xDF\xFF"},
        {"№", "\xB9"},
        {"—€", "\x97\x88"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp1251(c.utf8), c.cp1251) << c.utf8;
        EXPECT_EQ(Cp1251ToUtf8(c.cp1251), c.utf8) << c.utf8;
    }
}

TEST(Cp1251Test, UnrepresentableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("a→b"), "a?b");
    EXPECT_EQ(Utf8ToCp1251("日本"), "??");
    EXPECT_EQ(Utf8ToCp1251("x\xFFy"), "x?y");  // not UTF-8 at all
    EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");      // cut sequence
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "?");      // undefined in the code page
}

TEST(Cp1251Test, CountsAndCutsCharactersNotBytes) {
    EXPECT_EQ(Utf8Length("Обслуживание"), 12u);
    EXPECT_EQ(Utf8Prefix("Обслуживание", 10), "Обслуживан");
    EXPECT_EQ(Utf8Prefix("abc", 10), "abc");
    EXPECT_EQ(Utf8Prefix("", 3), "");
}

}  // namespace
}  // namespace qnetica
