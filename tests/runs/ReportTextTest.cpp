#include <gtest/gtest.h>

#include <string>

#include "runs/ReportText.h"

namespace qnetica {
namespace {

TEST(PadCellTest, FillsToWidthPlusOneCountingCharactersNotBytes) {
    const struct {
        const char* cell;
        std::size_t width;
        const char* padded;
    } cases[] = {
        {"", 3, "    "},
        {"ab", 3, "ab  "},
        {"abc", 3, "abc "},
        {"abcd", 3, "abcd"},    // one longer: kept whole, no blank
        {"abcde", 3, "abcde"},  // longer still: pushes the line to the right
        {"СМО", 5, "СМО   "},
        {"Время обслуж. в СМО10", 21, "Время обслуж. в СМО10 "},
        {"Время обслуж. в СМО100", 21, "Время обслуж. в СМО100"},
    };
    for (const auto& c : cases) EXPECT_EQ(PadCell(c.cell, c.width), c.padded) << c.cell;
}

}  // namespace
}  // namespace qnetica
