#include <gtest/gtest.h>

#include "model/NumberText.h"
#include "model/RandomFill.h"

namespace qnetica {
namespace {

TEST(RandomGeneratorTest, FollowsTheLinearCongruence) {
    RandomGenerator random;
    const std::uint32_t expected[] = {1u, 134775814u, 3698175007u};
    for (std::uint32_t state : expected) {
        random.NextReal();
        EXPECT_EQ(random.State(), state);
    }
    RandomGenerator ints;
    EXPECT_EQ(ints.NextInt(50000), 0);  // state 1
    EXPECT_EQ(ints.NextInt(100), static_cast<int>((134775814ull * 100) >> 32));
}

TEST(RandomFillTest, FirstFillAfterStartUpHasInputRateOne) {
    NetworkModel model;
    RandomGenerator random;
    RandomFill(model, random, 1858, 1334);
    EXPECT_EQ(model.InputRate(), 1);
    EXPECT_EQ(model.InputRateText(), "1.0000000000");
    EXPECT_TRUE(model.Modified());
    EXPECT_EQ(model.Matrix().Cell(0, 0), "1.0000000000");  // one node: its row takes all
}

TEST(RandomFillTest, RowsOfUsedNodesSumToOneAndOthersAreUntouched) {
    NetworkModel model;
    model.AddNode();
    model.AddNode();
    model.Matrix().SetCell(3, 0, "keep");
    model.Matrix().SetCell(0, 3, "keep");
    RandomGenerator random;
    for (int fill = 0; fill < 20; ++fill) {
        RandomFill(model, random, 1858, 1334);
        for (int from = 0; from < 3; ++from) {
            double sum = 0;
            for (int to = 0; to < 3; ++to) {
                const ParsedNumber cell = ParseNumberChecked(model.Matrix().Cell(from, to));
                ASSERT_TRUE(cell.IsNumber);
                EXPECT_GE(cell.Value, 0);
                sum += cell.Value;
            }
            EXPECT_NEAR(sum, 1, 2e-10);
        }
        EXPECT_EQ(model.Matrix().Cell(3, 0), "keep");
        EXPECT_EQ(model.Matrix().Cell(0, 3), "keep");
        for (int k = 1; k <= 3; ++k) {
            const QsParams& slot = model.Qs(k);
            EXPECT_GE(slot.Channels, 1);
            EXPECT_LE(slot.Channels, 15);
            EXPECT_GE(slot.PosX, 0);
            EXPECT_LT(slot.PosX, 1858);
            EXPECT_GE(slot.PosY, 0);
            EXPECT_LT(slot.PosY, 1334);
            EXPECT_GE(slot.ServiceTime, 0);
            EXPECT_LT(slot.ServiceTime, 1.0 / model.InputRate());
        }
        EXPECT_GE(model.InputRate(), 1);
        EXPECT_LE(model.InputRate(), 50000);
    }
}

TEST(RandomFillTest, SameSequenceInEveryRun) {
    NetworkModel first, second;
    for (int i = 0; i < 5; ++i) {
        first.AddNode();
        second.AddNode();
    }
    RandomGenerator a, b;
    RandomFill(first, a, 1858, 1334);
    RandomFill(second, b, 1858, 1334);
    for (int from = 0; from < 6; ++from)
        for (int to = 0; to < 6; ++to)
            EXPECT_EQ(first.Matrix().Cell(from, to), second.Matrix().Cell(from, to));
    EXPECT_EQ(a.State(), b.State());
}

}  // namespace
}  // namespace qnetica
