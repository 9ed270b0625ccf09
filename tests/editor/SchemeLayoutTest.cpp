#include "editor/SchemeLayout.h"

#include <gtest/gtest.h>

#include "editor/EditorTestSupport.h"

namespace qnetica {
namespace {

struct Hit {
    QPoint Point;
    int Node;
};

class FindNodeAtTest : public ::testing::Test {
  protected:
    FindNodeAtTest() {
        // S1 alone at (100, 100); S2 and S3 overlap at (300, 300) and (310, 310); S0 overlaps S4.
        test::AddPlacedQs(model, {{100, 100}, {300, 300}, {310, 310}, {500, 500}});
        model.SetSourcePos(510, 510);
    }
    int Find(QPoint point) const { return SchemeLayout(model).FindNodeAt(point); }

    NetworkModel model;
};

TEST_F(FindNodeAtTest, BoxEdgesAreInclusive) {
    const std::vector<Hit> hits = {
        {{100, 100}, 1}, {{130, 100}, 1},  {{100, 130}, 1}, {{130, 130}, 1},
        {{99, 115}, -1}, {{131, 115}, -1}, {{115, 99}, -1}, {{115, 131}, -1},
    };
    for (const Hit& hit : hits)
        EXPECT_EQ(Find(hit.Point), hit.Node) << hit.Point.x() << ", " << hit.Point.y();
}

TEST_F(FindNodeAtTest, HigherQsWinsAndTheOutsideNodeWinsOverAll) {
    EXPECT_EQ(Find({305, 305}), 2);
    EXPECT_EQ(Find({320, 320}), 3);  // both boxes hold it
    EXPECT_EQ(Find({340, 340}), 3);
    EXPECT_EQ(Find({505, 505}), 4);
    EXPECT_EQ(Find({520, 520}), 0);  // S0 and S4
    EXPECT_EQ(Find({540, 540}), 0);
}

TEST_F(FindNodeAtTest, RemovedQsAreNotFound) {
    model.RemoveLastNode();
    EXPECT_EQ(Find({505, 505}), -1);
    EXPECT_EQ(Find({520, 520}), 0);
}

TEST(SchemeLayoutTest, EveryCellWithANonZeroValueIsALink) {
    const std::vector<std::pair<std::string, bool>> cells = {
        {"", false},      {"0", false},           {"0.0", false}, {"  0.000 ", false},
        {"abc", false},   {"0,5,1", false},       {"0.5", true},  {"-0.25", true},
        {"1E-300", true}, {"0.0000000001", true},
    };
    NetworkModel model;
    model.AddNode();
    const SchemeLayout layout(model);
    for (const auto& [text, link] : cells) {
        model.Matrix().SetCell(1, 0, text);
        EXPECT_EQ(layout.LinkExists(1, 0), link) << "'" << text << "'";
    }
}

TEST(SchemeLayoutTest, PositionsComeFromTheModel) {
    NetworkModel model;
    model.SetSourcePos(-5, 7);
    test::AddPlacedQs(model, {{40, 50}});
    const SchemeLayout layout(model);
    EXPECT_EQ(layout.BoxCorner(0), QPoint(-5, 7));
    EXPECT_EQ(layout.Centre(0), QPoint(10, 22));
    EXPECT_EQ(layout.Centre(1), QPoint(55, 65));
    EXPECT_EQ(SchemeLayout::Label(12), "S12");
}

}  // namespace
}  // namespace qnetica
