#include <gtest/gtest.h>

#include <QPainter>
#include <functional>
#include <random>

#include "editor/SchemeDrawing.h"
#include "editor/SchemeSurface.h"
#include "editor/ThinLineRaster.h"
#include "model/RandomFill.h"

// The raster must put exactly the pixels QPainter puts for the same line, so that the editor's
// picture does not depend on which of the two drew a link.
namespace qnetica {
namespace {

using Rng = std::mt19937;

int Uniform(Rng& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

// One of -1, 0, the last pixel, one past it, two past it: the coordinates where clipping and
// the image's edges meet.
int EdgeValue(Rng& rng, int size) {
    const int choices[] = {-1, 0, size - 1, size, size + 1};
    return choices[Uniform(rng, 0, 4)];
}

struct LineFamily {
    const char* name;
    QSize image;
    std::function<std::pair<QPoint, QPoint>(Rng&, QSize)> line;
};

const LineFamily Families[] = {
    {"AllOctantsInside",
     {97, 61},
     [](Rng& r, QSize s) {
         return std::pair{QPoint(Uniform(r, 0, s.width() - 1), Uniform(r, 0, s.height() - 1)),
                          QPoint(Uniform(r, 0, s.width() - 1), Uniform(r, 0, s.height() - 1))};
     }},
    {"PartlyOrWhollyOutside",
     {97, 61},
     [](Rng& r, QSize s) {
         const auto p = [&] {
             return QPoint(Uniform(r, -300, s.width() + 300), Uniform(r, -300, s.height() + 300));
         };
         return std::pair{p(), p()};
     }},
    {"EndsOnTheEdges",
     {97, 61},
     [](Rng& r, QSize s) {
         const auto p = [&] {
             const bool onX = Uniform(r, 0, 1) == 1;
             return QPoint(onX ? EdgeValue(r, s.width()) : Uniform(r, -2, s.width() + 2),
                           onX ? Uniform(r, -2, s.height() + 2) : EdgeValue(r, s.height()));
         };
         return std::pair{p(), p()};
     }},
    {"HorizontalAndVertical",
     {97, 61},
     [](Rng& r, QSize s) {
         const QPoint a(Uniform(r, -3, s.width() + 2), Uniform(r, -3, s.height() + 2));
         const bool horizontal = Uniform(r, 0, 1) == 1;
         const QPoint b = horizontal ? QPoint(Uniform(r, -3, s.width() + 2), a.y())
                                     : QPoint(a.x(), Uniform(r, -3, s.height() + 2));
         return std::pair{a, b};
     }},
    {"ShortAndSinglePoints",
     {97, 61},
     [](Rng& r, QSize s) {
         const QPoint a(Uniform(r, -2, s.width() + 1), Uniform(r, -2, s.height() + 1));
         return std::pair{a, a + QPoint(Uniform(r, -2, 2), Uniform(r, -2, 2))};
     }},
    {"DiagonalsAndNearDiagonals",
     {97, 61},
     [](Rng& r, QSize s) {
         const QPoint a(Uniform(r, -10, s.width() + 10), Uniform(r, -10, s.height() + 10));
         const int d = Uniform(r, -80, 80), sign = Uniform(r, 0, 1) ? 1 : -1;
         return std::pair{a, a + QPoint(d, sign * d + Uniform(r, -1, 1))};
     }},
    {"AcrossTheSurface",
     {SchemeSurface::Width, SchemeSurface::Height},
     [](Rng& r, QSize s) {
         const auto p = [&] {
             return QPoint(Uniform(r, -2000, s.width() + 2000),
                           Uniform(r, -2000, s.height() + 2000));
         };
         return std::pair{p(), p()};
     }},
};

class ThinLineMatchesPainterTest : public ::testing::TestWithParam<LineFamily> {};

// Each line is drawn on a white image by both and compared, then painted white again by the
// painter on both images, which restores them only because the pixels were the same.
TEST_P(ThinLineMatchesPainterTest, SamePixelsAsThePainter) {
    const LineFamily& family = GetParam();
    QImage painted(family.image, QImage::Format_RGB32);
    painted.fill(Qt::white);
    QImage written = painted.copy();
    const bool large = family.image.width() > 1000;
    Rng rng(20261208);
    int drawn = 0;
    for (int i = 0; i < (large ? 400 : 4000); ++i) {
        const auto [from, to] = family.line(rng, family.image);
        ThinLineRaster raster(written);
        if (!raster.Draw(from, to, qRgb(0, 0, 0))) continue;
        ++drawn;
        QPainter painter(&painted);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(from, to);
        painter.end();
        ASSERT_EQ(written, painted) << family.name << ": " << from.x() << "," << from.y() << " -> "
                                    << to.x() << "," << to.y();
        for (QImage* image : {&painted, &written}) {
            QPainter eraser(image);
            eraser.setPen(QPen(Qt::white, 1));
            eraser.drawLine(from, to);
        }
    }
    EXPECT_GT(drawn, large ? 100 : 1000) << family.name;
}

INSTANTIATE_TEST_SUITE_P(Families, ThinLineMatchesPainterTest, ::testing::ValuesIn(Families),
                         [](const auto& info) { return std::string(info.param.name); });

// The random network of 150 QS, its positions moved by an offset: a full scheme drawn on the
// surface equals the one QPainter alone draws, lines, marks, symbols and crossings alike.
struct SchemeCase {
    const char* name;
    QPoint offset;
};

const SchemeCase Schemes[] = {
    {"InsideTheSurface", {0, 0}},
    {"PartlyLeftAndAbove", {-900, -700}},
    {"PartlyRightAndBelow", {900, 700}},
};

class SchemeMatchesPainterTest : public ::testing::TestWithParam<SchemeCase> {};

TEST_P(SchemeMatchesPainterTest, FullSchemeEqualsThePaintersDrawing) {
    const SchemeCase& c = GetParam();
    NetworkModel model;
    while (model.AddNode()) {
    }
    RandomGenerator random;
    RandomFill(model, random, SchemeSurface::Width, SchemeSurface::Height);
    model.SetSourcePos(model.SourcePosX() + c.offset.x(), model.SourcePosY() + c.offset.y());
    for (int qs = 1; qs < model.NodeCount(); ++qs) {
        model.Qs(qs).PosX += c.offset.x();
        model.Qs(qs).PosY += c.offset.y();
    }
    SchemeSurface surface(model);
    surface.DrawScheme();

    QImage expected(surface.Image().size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        SchemeDrawing(painter, model).DrawScheme();
    }
    EXPECT_EQ(surface.Image(), expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Schemes, SchemeMatchesPainterTest, ::testing::ValuesIn(Schemes),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qnetica
