#include "editor/MovingNodeRedraw.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "editor/EditorTestSupport.h"
#include "editor/SchemeSurface.h"
#include "model/GenerateModel.h"
#include "model/RandomFill.h"

namespace qnetica {
namespace {

// The pixel where the surface first differs from the other image, for the message.
QString FirstDifference(const QImage& a, const QImage& b) {
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return QStringLiteral("(%1, %2): %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(a.pixel(x, y), 8, 16)
                    .arg(b.pixel(x, y), 8, 16);
    return {};
}

QImage FreshDrawing(const NetworkModel& model) {
    SchemeSurface fresh(model);
    fresh.DrawScheme();
    return fresh.Image();
}

void SetCorner(NetworkModel& model, int node, QPoint corner) {
    if (node == 0) {
        model.SetSourcePos(corner.x(), corner.y());
        return;
    }
    model.Qs(node).PosX = corner.x();
    model.Qs(node).PosY = corner.y();
}

// Links both ways, loops at S0 and at the moved node, symbols on top of each other, and a node
// far off the surface.
void BuildCrowdedNetwork(NetworkModel& model) {
    model.SetSourcePos(40, 40);
    test::AddPlacedQs(model, {{200, 200}, {215, 210}, {600, 90}, {90, 700}, {-5000, 300}});
    for (auto [from, to] : std::vector<std::pair<int, int>>{{0, 0},
                                                            {0, 1},
                                                            {1, 0},
                                                            {1, 2},
                                                            {2, 1},
                                                            {2, 2},
                                                            {2, 3},
                                                            {3, 2},
                                                            {4, 2},
                                                            {2, 5},
                                                            {5, 4}})
        model.Matrix().SetCell(from, to, "0.5");
}

void BuildRandomNetwork(NetworkModel& model) {
    while (model.AddNode()) {
    }
    RandomGenerator random;
    RandomFill(model, random, SchemeSurface::Width, SchemeSurface::Height);
}

void BuildGeneratedNetwork(NetworkModel& model) {
    GenerationRequest request{"1", "0.1", "1", "7", 1200, 900};
    GenerateModel(model, request, nullptr);
}

struct MoveCase {
    const char* Name;
    std::function<void(NetworkModel&)> Build;
    int Node;
    std::vector<QPoint> Path;  // the symbol's corner, step by step
};

void PrintTo(const MoveCase& c, std::ostream* out) {
    *out << c.Name;
}

class MovingNodeRedrawTest : public ::testing::TestWithParam<MoveCase> {};

// After every step the surface is byte for byte what a full drawing of the model gives.
TEST_P(MovingNodeRedrawTest, EveryStepLeavesTheFullDrawingsPixels) {
    const MoveCase& c = GetParam();
    NetworkModel model;
    c.Build(model);
    SchemeSurface surface(model);
    surface.DrawScheme();
    surface.BeginMove(c.Node);
    for (const QPoint& corner : c.Path) {
        SetCorner(model, c.Node, corner);
        surface.TakeChangedArea();
        surface.RedrawMovedNode();
        const QRect changed = surface.TakeChangedArea();
        const QImage expected = FreshDrawing(model);
        ASSERT_TRUE(surface.Image() == expected)
            << "at " << corner.x() << ", " << corner.y() << ": "
            << FirstDifference(surface.Image(), expected).toStdString();
        // Nothing changed outside the area reported for the repaint.
        if (!changed.isEmpty()) {
            EXPECT_TRUE(surface.Image().rect().contains(changed));
        }
    }
    surface.EndMove();
    EXPECT_FALSE(surface.Moving());
}

const std::vector<QPoint> Wander = {{210, 205},  {300, 260}, {600, 95}, {-10, -12}, {1840, 1320},
                                    {1900, 700}, {40, 40},   {89, 701}, {200, 200}, {200, 200}};

INSTANTIATE_TEST_SUITE_P(
    Networks, MovingNodeRedrawTest,
    ::testing::Values(MoveCase{"CrowdedQsWithLoop", BuildCrowdedNetwork, 2, Wander},
                      MoveCase{"CrowdedOutsideNode", BuildCrowdedNetwork, 0, Wander},
                      MoveCase{"CrowdedLowerOfTwoOverlapping", BuildCrowdedNetwork, 1, Wander},
                      MoveCase{"RandomFirstQs", BuildRandomNetwork, 1, Wander},
                      MoveCase{"RandomMiddleQs", BuildRandomNetwork, 75, Wander},
                      MoveCase{"RandomLastQs", BuildRandomNetwork, 150, Wander},
                      MoveCase{"GeneratedOutsideNode", BuildGeneratedNetwork, 0, Wander}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qnetica
