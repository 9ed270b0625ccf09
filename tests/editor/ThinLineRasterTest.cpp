#include "editor/ThinLineRaster.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "editor/EditorTestSupport.h"
#include "editor/SchemeSurface.h"
#include "model/RandomFill.h"

namespace qnetica {
namespace {

constexpr QRgb Ink = 0xff000000;

struct LineCase {
    const char* name;
    QPoint from;
    QPoint to;
};

const LineCase Lines[] = {
    {"Point", {40, 40}, {40, 40}},           {"Horizontal", {10, 20}, {90, 20}},
    {"Vertical", {30, 90}, {30, 5}},         {"Diagonal", {5, 5}, {75, 75}},
    {"ShallowRight", {2, 2}, {97, 31}},      {"ShallowLeft", {97, 31}, {2, 2}},
    {"SteepDown", {50, 2}, {61, 97}},        {"SteepUp", {61, 97}, {50, 2}},
    {"FallingShallow", {3, 80}, {96, 50}},   {"FallingSteep", {70, 95}, {90, 3}},
    {"LeavesTheImage", {50, 50}, {250, 90}}, {"EntersFromOutside", {-80, -30}, {60, 40}},
};

class ThinLineTest : public ::testing::TestWithParam<LineCase> {};

// Every column (or row, for steep lines) between the ends holds exactly one pixel of the line,
// less than a pixel from the exact line, and both ends are drawn. Like QPainter, the raster takes
// the pixel the exact line passes through, counting a pixel's top or left edge as its own, not
// the nearest one.
TEST_P(ThinLineTest, OnePixelPerStepOnTheExactLine) {
    const LineCase& c = GetParam();
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    ASSERT_TRUE(ThinLineRaster(image).Draw(c.from, c.to, Ink));

    const QPoint d = c.to - c.from;
    const bool steep = std::abs(d.y()) > std::abs(d.x());
    const int major = steep ? d.y() : d.x();
    int expected = 0;
    for (int i = 0; i <= std::abs(major); ++i) {
        const double t = major == 0 ? 0 : static_cast<double>(i) / std::abs(major);
        const double x = c.from.x() + t * d.x(), y = c.from.y() + t * d.y();
        const int px = static_cast<int>(std::lround(x)), py = static_cast<int>(std::lround(y));
        if (!image.rect().contains(px, py)) continue;
        ++expected;
        int hits = 0;
        for (int off = -1; off <= 1; ++off) {
            const QPoint p = steep ? QPoint(px + off, py) : QPoint(px, py + off);
            if (image.rect().contains(p) && image.pixel(p) == Ink) {
                ++hits;
                EXPECT_LT(std::abs((steep ? p.x() - x : p.y() - y)), 1.0) << c.name;
            }
        }
        EXPECT_EQ(hits, 1) << c.name << " step " << i;
    }
    EXPECT_EQ(test::CountPixels(image, image.rect(), Ink), expected) << c.name;
    for (const QPoint& end : {c.from, c.to}) {
        if (image.rect().contains(end)) {
            EXPECT_EQ(image.pixel(end), Ink) << c.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, ThinLineTest, ::testing::ValuesIn(Lines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ThinLineRasterTest, EndsFarOutsideAreLeftToThePainter) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    ThinLineRaster raster(image);
    EXPECT_FALSE(raster.Draw({10, 10}, {INT_MAX, INT_MAX}, Ink));
    EXPECT_FALSE(raster.Draw({-1000000, 5}, {50, 50}, Ink));
    EXPECT_TRUE(test::AllWhite(image, image.rect()));
}

// Erasing paints over exactly what drawing painted: a full scheme of 150 QS drawn and erased
// leaves the surface white, lines, marks, symbols and labels alike.
TEST(ThinLineRasterTest, ErasingTheLargestSchemeLeavesTheSurfaceWhite) {
    NetworkModel model;
    while (model.AddNode()) {
    }
    RandomGenerator random;
    RandomFill(model, random, SchemeSurface::Width, SchemeSurface::Height);
    SchemeSurface surface(model);
    surface.DrawScheme();
    EXPECT_GT(test::CountPixels(surface.Image(), surface.Image().rect(), test::Black), 100000);
    surface.EraseScheme();
    EXPECT_TRUE(test::AllWhite(surface.Image(), surface.Image().rect()));
}

// Positions a file may hold anywhere: drawing links to them ends and leaves the surface sane.
TEST(ThinLineRasterTest, LinksToPositionsAtTheEndsOfTheIntegerAreDrawn) {
    NetworkModel model;
    model.SetSourcePos(100, 100);
    test::AddPlacedQs(model, {{INT_MAX, INT_MAX}, {INT_MIN, 200}});
    model.Matrix().SetCell(0, 1, "0.5");
    model.Matrix().SetCell(0, 2, "0.5");
    model.Matrix().SetCell(1, 2, "1");
    SchemeSurface surface(model);
    surface.DrawScheme();
    EXPECT_EQ(test::PixelAt(surface.Image(), 100, 115), test::Black);  // S0's outline
}

}  // namespace
}  // namespace qnetica
