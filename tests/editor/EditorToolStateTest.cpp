#include "editor/EditorToolState.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "editor/EditorTestSupport.h"

namespace qnetica {
namespace {

using test::Black;
using test::PixelAt;
using test::Red;
using test::White;

// S0 at (20, 20); S1 at (100, 100), S2 at (300, 100), S3 at (100, 300). Nothing at (600, 600).
const QPoint OnS0(30, 30);
const QPoint OnS1(110, 110);
const QPoint OnS2(310, 110);
const QPoint OnS3(110, 310);
const QPoint Empty(600, 600);

// The tool state in one value, so that a test compares it whole.
struct State {
    EditorTool Tool;
    bool Picked;
    int First;
    bool operator==(const State&) const = default;
};

std::ostream& operator<<(std::ostream& out, const State& state) {
    const char* names[] = {"None", "AddQsTool", "MoveQsTool", "LinkTool", "UnlinkTool"};
    return out << names[static_cast<int>(state.Tool)] << (state.Picked ? " picked " : " free ")
               << state.First;
}

class EditorToolStateTest : public ::testing::Test {
  protected:
    EditorToolStateTest() {
        model.SetSourcePos(20, 20);
        test::AddPlacedQs(model, {{100, 100}, {300, 100}, {100, 300}});
        model.SetModified(false);
        surface.DrawScheme();
    }

    State Now() const { return {tools.ActiveTool(), tools.NodePicked(), tools.FirstNode()}; }
    const QImage& Image() const { return surface.Image(); }
    bool SymbolShown(int x, int y) const { return PixelAt(Image(), x, y + 15) == Black; }

    NetworkModel model;
    SchemeSurface surface{model};
    test::FakeCommands commands{model};
    EditorToolState tools{model, surface, commands};
};

// One row of the state table: how to reach the state, and the state that a press of the
// state's own button and a click on no symbol lead to.
struct TableRow {
    const char* Name;
    EditorTool Tool;
    bool PickFirst;  // a first click on S1 before the event
    bool StaysOnPress;
    bool StaysOnEmptyClick;
    int NodePlacedByEmptyClick;  // -1: none
};

void PrintTo(const TableRow& row, std::ostream* out) {
    *out << row.Name;
}

class ToolTableTest : public EditorToolStateTest, public ::testing::WithParamInterface<TableRow> {
  protected:
    void Reach(const TableRow& row) {
        tools.PressTool(row.Tool);
        if (row.PickFirst) tools.Click(OnS1);
        ASSERT_EQ(tools.NodePicked(), row.PickFirst);
    }
};

TEST_P(ToolTableTest, PressOfTheOwnButton) {
    const TableRow& row = GetParam();
    Reach(row);
    tools.PressTool(row.Tool);
    EXPECT_EQ(tools.ActiveTool(), row.StaysOnPress ? row.Tool : EditorTool::None);
    EXPECT_EQ(tools.NodePicked(), row.StaysOnPress);
    EXPECT_EQ(model.NodeCount(), 4);
}

TEST_P(ToolTableTest, ClickOnNoSymbol) {
    const TableRow& row = GetParam();
    Reach(row);
    tools.Click(Empty);
    EXPECT_EQ(tools.ActiveTool(), row.StaysOnEmptyClick ? row.Tool : EditorTool::None);
    EXPECT_EQ(tools.NodePicked(), row.StaysOnEmptyClick);
    EXPECT_EQ(SchemeLayout(model).FindNodeAt(Empty), row.NodePlacedByEmptyClick);
    EXPECT_TRUE(commands.Asked.empty());
}

TEST_P(ToolTableTest, PressOfAnotherToolLeadsToItsFirstState) {
    const TableRow& row = GetParam();
    Reach(row);
    const EditorTool other =
        row.Tool == EditorTool::LinkTool ? EditorTool::UnlinkTool : EditorTool::LinkTool;
    tools.PressTool(other);
    EXPECT_EQ(tools.ActiveTool(), other);
    EXPECT_FALSE(tools.NodePicked());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ToolTableTest,
    ::testing::Values(
        TableRow{"AddQs", EditorTool::AddQsTool, false, false, false, 4},
        TableRow{"MoveNothingPicked", EditorTool::MoveQsTool, false, false, false, -1},
        TableRow{"MoveNodePicked", EditorTool::MoveQsTool, true, true, false, 1},
        TableRow{"LinkNothingPicked", EditorTool::LinkTool, false, false, false, -1},
        TableRow{"LinkSourcePicked", EditorTool::LinkTool, true, true, true, -1},
        TableRow{"UnlinkNothingPicked", EditorTool::UnlinkTool, false, false, false, -1},
        TableRow{"UnlinkSourcePicked", EditorTool::UnlinkTool, true, true, true, -1}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(EditorToolStateTest, NoToolOnIgnoresClicksAndMotion) {
    const QImage before = Image().copy();
    tools.Click(OnS1);
    tools.Motion(OnS2);
    tools.Click(Empty);
    EXPECT_EQ(tools.ActiveTool(), EditorTool::None);
    EXPECT_EQ(Image(), before);
    EXPECT_EQ(commands.AddCalls, 0);
    EXPECT_FALSE(model.Modified());
}

TEST_F(EditorToolStateTest, PressingAToolSwitchesItOn) {
    for (EditorTool tool : {EditorTool::AddQsTool, EditorTool::MoveQsTool, EditorTool::LinkTool,
                            EditorTool::UnlinkTool}) {
        tools.PressTool(tool);
        EXPECT_EQ(tools.ActiveTool(), tool);
        tools.PressTool(tool);
        EXPECT_EQ(tools.ActiveTool(), EditorTool::None);
    }
}

TEST_F(EditorToolStateTest, AddToolAddsAQsWithItsCornerAtThePointAndSwitchesOff) {
    tools.PressTool(EditorTool::AddQsTool);
    tools.Click({500, 400});
    EXPECT_EQ(model.NodeCount(), 5);
    EXPECT_EQ(model.Qs(4).PosX, 500);
    EXPECT_EQ(model.Qs(4).PosY, 400);
    EXPECT_TRUE(model.Modified());
    EXPECT_EQ(tools.ActiveTool(), EditorTool::None);
    EXPECT_TRUE(SymbolShown(500, 400));
}

TEST_F(EditorToolStateTest, AddToolAddsAlsoWhenTheClickHitsASymbol) {
    tools.PressTool(EditorTool::AddQsTool);
    tools.Click(OnS1);
    EXPECT_EQ(model.NodeCount(), 5);
    EXPECT_EQ(model.Qs(4).PosX, OnS1.x());
}

TEST_F(EditorToolStateTest, AddToolThenDoubleClickOpensTheNewQsParameters) {
    tools.PressTool(EditorTool::AddQsTool);
    tools.Click({500, 400});
    tools.DoubleClick({500, 400});
    EXPECT_EQ(model.NodeCount(), 5);
    EXPECT_EQ(commands.EditedNodes, std::vector<int>{4});
}

TEST_F(EditorToolStateTest, AddToolOnAFullNetworkLetsTheMainWindowRefuseAndDrawsNothing) {
    while (model.NodeCount() < MaxNodeCount) model.AddNode();
    model.Qs(151).PosX = 7;
    const QImage before = Image().copy();
    tools.PressTool(EditorTool::AddQsTool);
    tools.Click({500, 400});
    EXPECT_EQ(commands.AddCalls, 1);
    EXPECT_EQ(model.NodeCount(), MaxNodeCount);
    EXPECT_EQ(model.Qs(151).PosX, 7);
    EXPECT_EQ(Image(), before);
    EXPECT_EQ(tools.ActiveTool(), EditorTool::None);
}

TEST_F(EditorToolStateTest, MovePicksANodeAndErasesItsSymbol) {
    tools.PressTool(EditorTool::MoveQsTool);
    tools.Click(OnS2);
    EXPECT_EQ(Now(), (State{EditorTool::MoveQsTool, true, 2}));
    EXPECT_TRUE(test::AllWhite(Image(), test::SymbolBox(300, 100)));
}

TEST_F(EditorToolStateTest, PickedNodeFollowsThePointerAndIsPlacedByTheClick) {
    model.Matrix().SetCell(1, 2, "1");
    surface.RefreshScheme();
    tools.PressTool(EditorTool::MoveQsTool);
    tools.Click(OnS2);
    tools.Motion({400, 250});
    EXPECT_EQ(model.Qs(2).PosX, 400);
    EXPECT_EQ(model.Qs(2).PosY, 250);
    EXPECT_TRUE(SymbolShown(400, 250));
    tools.Motion({500, 300});
    EXPECT_EQ(PixelAt(Image(), 400, 265), White);  // the old outline is erased
    EXPECT_EQ(PixelAt(Image(), 415, 250), White);
    tools.Click({520, 320});
    EXPECT_EQ(Now(), (State{EditorTool::None, false, 2}));
    EXPECT_EQ(model.Qs(2).PosX, 520);
    EXPECT_EQ(model.Qs(2).PosY, 320);
    EXPECT_TRUE(SymbolShown(520, 320));
    EXPECT_TRUE(model.Modified());  // positions are saved with the network
    EXPECT_EQ(commands.Recorded, std::vector<std::string>{"перемещение S2"});
    // The link follows its target: its red quarter runs from (430, 280) to the centre (535, 335).
    EXPECT_EQ(PixelAt(Image(), 480, 306), Red);
}

TEST_F(EditorToolStateTest, MovingTheOutsideNodeMovesTheSourcePosition) {
    tools.PressTool(EditorTool::MoveQsTool);
    tools.Click(OnS0);
    tools.Click({700, 50});
    EXPECT_EQ(model.SourcePosX(), 700);
    EXPECT_EQ(model.SourcePosY(), 50);
    EXPECT_TRUE(SymbolShown(700, 50));
}

TEST_F(EditorToolStateTest, MotionWithoutAPickedNodeMovesNothing) {
    tools.PressTool(EditorTool::MoveQsTool);
    tools.Motion({400, 250});
    tools.PressTool(EditorTool::LinkTool);
    tools.Click(OnS2);
    tools.Motion({400, 250});
    EXPECT_EQ(model.Qs(2).PosX, 300);
}

// An abandoned move is undone: the symbol is back in its place, and nothing is recorded.
TEST_F(EditorToolStateTest, PressingAnotherToolCancelsAMoveAndPutsTheSymbolBack) {
    const QImage before = Image().copy();
    tools.PressTool(EditorTool::MoveQsTool);
    tools.Click(OnS2);
    tools.Motion({400, 250});
    tools.PressTool(EditorTool::UnlinkTool);
    EXPECT_EQ(tools.ActiveTool(), EditorTool::UnlinkTool);
    EXPECT_FALSE(tools.NodePicked());
    tools.Motion({500, 350});
    EXPECT_EQ(model.Qs(2).PosX, 300);
    EXPECT_EQ(model.Qs(2).PosY, 100);
    EXPECT_EQ(Image(), before);
    EXPECT_FALSE(model.Modified());
    EXPECT_TRUE(commands.Recorded.empty());
}

TEST_F(EditorToolStateTest, LinkOffersWhatIsLeftInTheRowAndWritesTheAnswerVerbatim) {
    model.Matrix().SetCell(1, 0, "0.25");
    model.Matrix().SetCell(1, 3, "0.125");
    commands.Answer = "0.5xyz";
    tools.PressTool(EditorTool::LinkTool);
    tools.Click(OnS1);
    EXPECT_EQ(Now(), (State{EditorTool::LinkTool, true, 1}));
    tools.Click(OnS2);
    ASSERT_EQ(commands.Asked.size(), 1u);
    EXPECT_EQ(commands.Asked[0].first, "Вероятность перехода из S1 в S2");
    EXPECT_EQ(commands.Asked[0].second, "0.6250000000");
    EXPECT_EQ(model.Matrix().Cell(1, 2), "0.5xyz");
    EXPECT_EQ(tools.SecondNode(), 2);
    EXPECT_EQ(Now(), (State{EditorTool::None, false, 1}));
}

TEST_F(EditorToolStateTest, LinkOntoAnExistingOneDoesNotCountItsOldValue) {
    model.Matrix().SetCell(1, 0, "0.25");
    model.Matrix().SetCell(1, 2, "0.5");
    tools.PressTool(EditorTool::LinkTool);
    tools.Click(OnS1);
    tools.Click(OnS2);
    EXPECT_EQ(commands.Asked.at(0).second, "0.7500000000");
}

TEST_F(EditorToolStateTest, LinkWithANonZeroValueDrawsTheArrowWithBothSymbolsOnTop) {
    commands.Answer = "0.5";
    tools.PressTool(EditorTool::LinkTool);
    tools.Click(OnS1);
    tools.Click(OnS2);
    EXPECT_EQ(PixelAt(Image(), 200, 115), Black);
    EXPECT_EQ(PixelAt(Image(), 290, 115), Red);
    EXPECT_EQ(PixelAt(Image(), 300, 115), Black);  // the target's outline over the red quarter
    EXPECT_EQ(PixelAt(Image(), 310, 115), White);  // inside the target's symbol
}

TEST_F(EditorToolStateTest, LinkToItselfOffersTheRestOfTheRowAndDrawsALoop) {
    model.Matrix().SetCell(3, 0, "0.75");
    tools.PressTool(EditorTool::LinkTool);
    tools.Click(OnS3);
    tools.Click(OnS3);
    EXPECT_EQ(commands.Asked.at(0).first, "Вероятность перехода из S3 в S3");
    EXPECT_EQ(commands.Asked.at(0).second, "0.2500000000");
    EXPECT_EQ(model.Matrix().Cell(3, 3), "0.2500000000");
    EXPECT_EQ(PixelAt(Image(), 80, 297), Black);  // the loop's leftmost point
}

TEST_F(EditorToolStateTest, ZeroLinkKeepsItsTextAndLeavesTheOldArrowUntilTheNextRedraw) {
    model.Matrix().SetCell(1, 2, "0.5");
    surface.RefreshScheme();
    commands.Answer = "0";
    const QImage before = Image().copy();
    tools.PressTool(EditorTool::LinkTool);
    tools.Click(OnS1);
    tools.Click(OnS2);
    EXPECT_EQ(model.Matrix().Cell(1, 2), "0");
    EXPECT_EQ(Image(), before);
    EXPECT_EQ(tools.ActiveTool(), EditorTool::None);
}

TEST_F(EditorToolStateTest, LinkFromTheOutsideNode) {
    tools.PressTool(EditorTool::LinkTool);
    tools.Click(OnS0);
    tools.Click(OnS1);
    EXPECT_EQ(commands.Asked.at(0).first, "Вероятность перехода из S0 в S1");
    EXPECT_EQ(model.Matrix().Cell(0, 1), "1.0000000000");
}

TEST_F(EditorToolStateTest, UnlinkClearsTheCellRedrawsAndMarksTheNetwork) {
    model.Matrix().SetCell(1, 2, "0.5");
    surface.RefreshScheme();
    model.SetModified(false);
    tools.PressTool(EditorTool::UnlinkTool);
    tools.Click(OnS1);
    EXPECT_EQ(Now(), (State{EditorTool::UnlinkTool, true, 1}));
    tools.Click(OnS2);
    EXPECT_EQ(model.Matrix().Cell(1, 2), "");
    EXPECT_TRUE(model.Modified());
    EXPECT_EQ(PixelAt(Image(), 200, 115), White);
    EXPECT_TRUE(SymbolShown(100, 100));
    EXPECT_TRUE(SymbolShown(300, 100));
    EXPECT_EQ(Now(), (State{EditorTool::None, false, 1}));
    EXPECT_EQ(tools.SecondNode(), 2);
}

TEST_F(EditorToolStateTest, UnlinkOfAMissingLinkStillMarksTheNetwork) {
    model.Matrix().SetCell(2, 1, "0.5");
    tools.PressTool(EditorTool::UnlinkTool);
    tools.Click(OnS1);
    tools.Click(OnS2);
    EXPECT_TRUE(model.Modified());
    EXPECT_EQ(model.Matrix().Cell(2, 1), "0.5");
}

TEST_F(EditorToolStateTest, DoubleClickOnAQsOpensItsParameters) {
    tools.DoubleClick(OnS2);
    tools.DoubleClick(Empty);
    EXPECT_EQ(commands.EditedNodes, std::vector<int>{2});
    EXPECT_TRUE(commands.Asked.empty());
}

TEST_F(EditorToolStateTest, DoubleClickOnTheOutsideNodeEditsTheInputRateText) {
    model.SetInputRateText("2.5");
    model.SetModified(false);
    commands.Answer = "3.5";
    tools.DoubleClick(OnS0);
    ASSERT_EQ(commands.Asked.size(), 1u);
    EXPECT_EQ(commands.Asked[0].first, "Интенсивность входящего потока");
    EXPECT_EQ(commands.Asked[0].second, "2.5");
    EXPECT_EQ(model.InputRateText(), "3.5");
    EXPECT_TRUE(model.Modified());
    EXPECT_TRUE(commands.EditedNodes.empty());
}

TEST_F(EditorToolStateTest, DoubleClickWithAToolOnDoesNothing) {
    tools.PressTool(EditorTool::LinkTool);
    tools.DoubleClick(OnS2);
    EXPECT_TRUE(commands.EditedNodes.empty());
    EXPECT_TRUE(commands.Asked.empty());
}

TEST_F(EditorToolStateTest, DeleteQsRemovesTheLastQsAndItsSymbol) {
    model.Matrix().SetCell(1, 3, "1");
    surface.RefreshScheme();
    tools.PressTool(EditorTool::LinkTool);
    tools.DeleteLastQs();
    EXPECT_EQ(model.NodeCount(), 3);
    EXPECT_TRUE(test::AllWhite(Image(), test::SymbolBox(100, 300)));
    EXPECT_EQ(PixelAt(Image(), 115, 200), White);  // its link went with it
    EXPECT_TRUE(SymbolShown(300, 100));
    EXPECT_EQ(tools.ActiveTool(), EditorTool::LinkTool);  // the tools are untouched
}

TEST_F(EditorToolStateTest, RefreshRedrawsTheWholeScheme) {
    model.Matrix().SetCell(1, 2, "1");
    surface.DrawScheme();
    model.Matrix().SetCell(1, 2, "");
    tools.Refresh();
    EXPECT_EQ(PixelAt(Image(), 200, 115), White);
    EXPECT_TRUE(SymbolShown(100, 100));
}

TEST_F(EditorToolStateTest, APickedNodeThatWasRemovedIsDropped) {
    tools.PressTool(EditorTool::LinkTool);
    tools.Click(OnS3);
    model.RemoveLastNode();
    tools.Click(OnS1);  // now the first click of the link again
    EXPECT_EQ(Now(), (State{EditorTool::LinkTool, true, 1}));
    EXPECT_TRUE(commands.Asked.empty());
}

TEST_F(EditorToolStateTest, AMoveOfARemovedNodeDoesNotFollowThePointer) {
    tools.PressTool(EditorTool::MoveQsTool);
    tools.Click(OnS3);
    model.RemoveLastNode();
    tools.Motion({500, 500});
    EXPECT_EQ(model.Qs(3).PosX, 100);
    EXPECT_EQ(Now(), (State{EditorTool::MoveQsTool, false, -1}));
}

// The link tools also take a press on the source, a drag and the release on the target.
struct LinkDragRow {
    const char* Name;
    EditorTool Tool;
    QPoint From, To;
    bool EndsADrag;  // Release's answer: false when the press and release make a click
    State After;
    std::string Cell;  // of the pair From -> S1 or S2 after the release
};

class LinkDragTest : public EditorToolStateTest,
                     public ::testing::WithParamInterface<LinkDragRow> {};

TEST_P(LinkDragTest, ADragFromTheSourceToTheTargetIsOneAction) {
    const LinkDragRow& row = GetParam();
    model.Matrix().SetCell(1, 2, "0.5");
    tools.PressTool(row.Tool);
    tools.Press(row.From);
    tools.DragMotion((row.From + row.To) / 2);
    tools.DragMotion(row.To);
    EXPECT_EQ(tools.Release(row.To), row.EndsADrag);
    EXPECT_EQ(Now(), row.After);
    const int from = row.From == OnS0 ? 0 : 1;
    const int to = row.From == OnS0 ? 1 : 2;
    EXPECT_EQ(model.Matrix().Cell(from, to), row.Cell);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LinkDragTest,
    ::testing::Values(LinkDragRow{"LinkS0ToS1",
                                  EditorTool::LinkTool,
                                  OnS0,
                                  OnS1,
                                  true,
                                  {EditorTool::None, false, 0},
                                  "1.0000000000"},
                      LinkDragRow{"UnlinkS1FromS2",
                                  EditorTool::UnlinkTool,
                                  OnS1,
                                  OnS2,
                                  true,
                                  {EditorTool::None, false, 1},
                                  ""},
                      // Off every symbol the source stays picked: a click names the target.
                      LinkDragRow{"ReleasedOnNothing",
                                  EditorTool::LinkTool,
                                  OnS0,
                                  Empty,
                                  true,
                                  {EditorTool::LinkTool, true, 0},
                                  ""},
                      // Within the drag distance it is a click, which the window passes on as one.
                      LinkDragRow{"NoFurtherThanAClick",
                                  EditorTool::LinkTool,
                                  OnS1,
                                  OnS1 + QPoint(3, 2),
                                  false,
                                  {EditorTool::LinkTool, false, -1},
                                  "0.5"}),
    [](const ::testing::TestParamInfo<LinkDragRow>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qnetica
