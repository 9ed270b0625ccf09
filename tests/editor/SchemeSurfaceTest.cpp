#include "editor/SchemeSurface.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "editor/EditorTestSupport.h"
#include "model/GenerateModel.h"

namespace qnetica {
namespace {

using test::Black;
using test::PixelAt;
using test::Red;
using test::White;

class SchemeSurfaceTest : public ::testing::Test {
  protected:
    const QImage& Image() const { return surface.Image(); }

    NetworkModel model;
    SchemeSurface surface{model};
};

TEST_F(SchemeSurfaceTest, StartsWhiteAtItsFixedSize) {
    EXPECT_EQ(Image().size(), QSize(1858, 1334));
    EXPECT_TRUE(test::AllWhite(Image(), Image().rect()));
}

TEST_F(SchemeSurfaceTest, SymbolHasABlackOutlineAWhiteInteriorAndItsLabel) {
    test::AddPlacedQs(model, {{100, 100}});
    surface.DrawNodeSymbol(1);
    // The circle inscribed in the box from (100, 100) to (130, 130), right and bottom outside.
    EXPECT_EQ(PixelAt(Image(), 100, 115), Black);
    EXPECT_EQ(PixelAt(Image(), 129, 115), Black);
    EXPECT_EQ(PixelAt(Image(), 115, 100), Black);
    EXPECT_EQ(PixelAt(Image(), 115, 129), Black);
    EXPECT_EQ(PixelAt(Image(), 130, 115), White);
    EXPECT_EQ(PixelAt(Image(), 115, 130), White);
    EXPECT_TRUE(test::AllWhite(Image(), QRect(105, 121, 20, 5)));  // below the label
    // The label "S1" starts at (102, 108), readable: several pixels high and black.
    const QRect label(102, 108, 26, 13);
    EXPECT_GT(test::CountPixels(Image(), label, Black), 15);
    EXPECT_TRUE(test::AllWhite(Image(), QRect(108, 103, 14, 4)));  // nothing above it
}

// The label rows reach the outline on both sides: the outline must stay whole there.
TEST_F(SchemeSurfaceTest, LabelLeavesTheOutlineWhole) {
    model.SetSourcePos(200, 100);
    test::AddPlacedQs(model, std::vector<QPoint>(150, QPoint(100, 100)));
    for (int node : {0, 150}) {
        surface.DrawNodeSymbol(node);
        const QPoint corner = node == 0 ? QPoint(200, 100) : QPoint(100, 100);
        for (int y = corner.y() + 8; y <= corner.y() + 21; ++y) {
            EXPECT_GT(test::CountPixels(Image(), QRect(corner.x(), y, 3, 1), Black), 0)
                << "left, node " << node << ", row " << y;
            EXPECT_GT(test::CountPixels(Image(), QRect(corner.x() + 27, y, 3, 1), Black), 0)
                << "right, node " << node << ", row " << y;
        }
    }
}

TEST_F(SchemeSurfaceTest, DrawsOnlyBlackWhiteAndRed) {
    GenerationRequest request{"1", "1", "1", "3", 900, 700};
    GenerateModel(model, request, nullptr);
    surface.DrawScheme();
    const QImage& image = Image();
    int others = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = PixelAt(image, x, y);
            others += pixel != Black && pixel != White && pixel != Red;
        }
    EXPECT_EQ(others, 0);
    EXPECT_GT(test::CountPixels(image, image.rect(), Red), 100);
}

TEST_F(SchemeSurfaceTest, LinkIsRedNearItsTargetAndThinBlackNearItsSource) {
    test::AddPlacedQs(model, {{100, 100}, {300, 100}});
    model.Matrix().SetCell(1, 2, "0.5");
    surface.DrawScheme();
    // Centres (115, 115) and (315, 115); the red quarter runs from x = 265 to the target.
    for (int x = 140; x <= 255; x += 5) {
        EXPECT_EQ(PixelAt(Image(), x, 115), Black) << x;
        EXPECT_EQ(PixelAt(Image(), x, 114), White) << x;
        EXPECT_EQ(PixelAt(Image(), x, 116), White) << x;
    }
    for (int x = 268; x <= 298; x += 5) {
        EXPECT_EQ(PixelAt(Image(), x, 114), Red) << x;
        EXPECT_EQ(PixelAt(Image(), x, 115), Red) << x;
        EXPECT_EQ(PixelAt(Image(), x, 116), Red) << x;
    }
}

TEST_F(SchemeSurfaceTest, TheOppositeLinkHasItsRedQuarterAtTheOtherEnd) {
    test::AddPlacedQs(model, {{100, 100}, {300, 100}});
    model.Matrix().SetCell(2, 1, "1");
    surface.DrawScheme();
    EXPECT_EQ(PixelAt(Image(), 140, 115), Red);
    EXPECT_EQ(PixelAt(Image(), 290, 115), Black);
    EXPECT_EQ(PixelAt(Image(), 290, 116), White);
}

TEST_F(SchemeSurfaceTest, LoopIsACircleUpAndLeftOfTheSymbol) {
    test::AddPlacedQs(model, {{100, 100}});
    model.Matrix().SetCell(1, 1, "1");
    surface.DrawScheme();
    // Inscribed in the square from (80, 80) to the symbol's centre (115, 115).
    EXPECT_EQ(PixelAt(Image(), 80, 97), Black);
    EXPECT_EQ(PixelAt(Image(), 97, 80), Black);
    EXPECT_EQ(PixelAt(Image(), 79, 97), White);
    EXPECT_EQ(PixelAt(Image(), 90, 90), White);  // inside the loop, outside the symbol
    EXPECT_EQ(test::CountPixels(Image(), Image().rect(), Red), 0);
}

TEST_F(SchemeSurfaceTest, LoopAtTheOutsideNodeIsDrawnTheSameWay) {
    model.SetSourcePos(200, 300);
    model.Matrix().SetCell(0, 0, "1");
    surface.DrawScheme();
    EXPECT_EQ(PixelAt(Image(), 180, 297), Black);
    EXPECT_EQ(PixelAt(Image(), 197, 280), Black);
}

TEST_F(SchemeSurfaceTest, EraseSchemeLeavesEverythingWhite) {
    test::AddPlacedQs(model, {{100, 100}, {300, 160}, {180, 400}});
    model.SetSourcePos(20, 20);
    for (const auto& [from, to] : {std::pair{0, 1}, {1, 2}, {2, 1}, {2, 3}, {3, 3}, {3, 0}})
        model.Matrix().SetCell(from, to, "0.5");
    surface.DrawScheme();
    ASSERT_FALSE(test::AllWhite(Image(), Image().rect()));
    surface.EraseScheme();
    EXPECT_TRUE(test::AllWhite(Image(), Image().rect()));
}

TEST_F(SchemeSurfaceTest, EraseNodeSymbolPaintsItsCircleWhite) {
    test::AddPlacedQs(model, {{100, 100}});
    surface.DrawNodeSymbol(1);
    surface.EraseNodeSymbol(1);
    EXPECT_TRUE(test::AllWhite(Image(), test::SymbolBox(100, 100)));
}

TEST_F(SchemeSurfaceTest, RefreshSchemeRemovesTheArrowOfACellThatBecameZero) {
    test::AddPlacedQs(model, {{100, 100}, {300, 100}});
    model.Matrix().SetCell(1, 2, "0.5");
    surface.DrawScheme();
    model.Matrix().SetCell(1, 2, "0");
    surface.DrawScheme();
    ASSERT_EQ(PixelAt(Image(), 200, 115), Black);  // drawing alone removes nothing
    surface.RefreshScheme();
    EXPECT_EQ(PixelAt(Image(), 200, 115), White);
    EXPECT_EQ(test::CountPixels(Image(), Image().rect(), Red), 0);
    EXPECT_EQ(PixelAt(Image(), 100, 115), Black);  // the symbols are drawn again
    EXPECT_EQ(PixelAt(Image(), 300, 115), Black);
}

TEST_F(SchemeSurfaceTest, OfTwoSymbolsAtOnePlaceTheHigherNumberIsSeen) {
    test::AddPlacedQs(model, {{100, 100}, {100, 100}});
    surface.DrawScheme();
    const QImage both = Image().copy(test::SymbolBox(100, 100));

    SchemeSurface onlySecond(model);
    onlySecond.DrawNodeSymbol(2);
    SchemeSurface onlyFirst(model);
    onlyFirst.DrawNodeSymbol(1);
    EXPECT_EQ(both, onlySecond.Image().copy(test::SymbolBox(100, 100)));
    EXPECT_NE(both, onlyFirst.Image().copy(test::SymbolBox(100, 100)));
}

TEST_F(SchemeSurfaceTest, NetworkWithoutQsDrawsOnlyTheOutsideNode) {
    model.SetSourcePos(40, 50);
    model.Matrix().SetCell(0, 1, "1");  // a cell beyond the nodes in use draws nothing
    surface.DrawScheme();
    EXPECT_EQ(PixelAt(Image(), 40, 65), Black);
    SchemeSurface symbolOnly(model);
    symbolOnly.DrawNodeSymbol(0);
    EXPECT_EQ(Image(), symbolOnly.Image());
}

TEST_F(SchemeSurfaceTest, SymbolsBeyondTheSurfaceAreClipped) {
    test::AddPlacedQs(model, {{-15, -15}, {1850, 1320}});
    surface.DrawScheme();
    EXPECT_EQ(PixelAt(Image(), 0, 14), Black);  // the outline's lowest point of the first
    EXPECT_EQ(PixelAt(Image(), 1850, 1333), Black);
}

TEST_F(SchemeSurfaceTest, BitmapReadBackHasTheSurfacesSizeAndPixels) {
    QTemporaryDir folder;
    test::AddPlacedQs(model, {{100, 100}, {300, 100}});
    model.Matrix().SetCell(1, 2, "1");
    surface.DrawScheme();
    // The bitmap format whatever the name says.
    const QString path = folder.filePath("scheme.wmf");
    ASSERT_TRUE(surface.SaveBitmap(path));
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "bmp");
    const QImage read = reader.read().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(read.size(), QSize(1858, 1334));
    EXPECT_EQ(read, Image());
}

TEST_F(SchemeSurfaceTest, VectorExportIsAValidSvgOfTheSurfacesSize) {
    QTemporaryDir folder;
    test::AddPlacedQs(model, {{100, 100}, {300, 100}});
    model.Matrix().SetCell(1, 2, "1");
    const QString path = folder.filePath("scheme.svg");
    ASSERT_TRUE(surface.SaveVector(path));
    QSvgRenderer renderer(path);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 1858, 1334));
    QImage rendered(Image().size(), QImage::Format_RGB32);
    rendered.fill(Qt::gray);
    QPainter painter(&rendered);
    renderer.render(&painter);
    painter.end();
    EXPECT_EQ(test::PixelAt(rendered, 1000, 1000), White);  // the white page
    EXPECT_GT(test::CountPixels(rendered, QRect(268, 110, 30, 11), Red), 0);
    EXPECT_TRUE(test::AllWhite(Image(), Image().rect()));  // the surface itself is untouched
}

TEST_F(SchemeSurfaceTest, ExportsThatCannotBeWrittenFail) {
    const QString path = "/nonexistent-folder/scheme";
    EXPECT_FALSE(surface.SaveBitmap(path + ".bmp"));
    EXPECT_FALSE(surface.SaveVector(path + ".svg"));
}

}  // namespace
}  // namespace qnetica
