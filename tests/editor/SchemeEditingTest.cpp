// Editing the scheme as a desktop user does it: with the mouse over the image, the keyboard and
// the undo history, in the windows as the program wires them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <functional>
#include <optional>

#include "app/ProgramWindows.h"
#include "editor/EditorTestSupport.h"
#include "editor/GeneratorDialog.h"
#include "editor/SchemeEditorWindow.h"
#include "editor/SchemeView.h"
#include "model/RandomFill.h"
#include "support/ScriptedDialogs.h"
#include "ui/MainWindow.h"
#include "ui/ValueInputDialog.h"
#include "widgets/DocumentHistory.h"

namespace qnetica {
namespace {

const QPoint OnS0(30, 30), OnS1(110, 110), OnS2(310, 110);

// What the tools change in a network, to compare two states of it whole.
struct Edited {
    int Nodes;
    std::vector<QPoint> Corners;
    std::vector<std::string> Cells;
    std::string InputRate;
    bool operator==(const Edited&) const = default;
};

Edited EditedParts(const NetworkModel& model) {
    Edited edited{
        model.NodeCount(), {{model.SourcePosX(), model.SourcePosY()}}, {}, model.InputRateText()};
    for (int k = 1; k < TransferMatrix::Size; ++k)
        edited.Corners.emplace_back(model.Qs(k).PosX, model.Qs(k).PosY);
    for (int from = 0; from < TransferMatrix::Size; ++from)
        for (int to = 0; to < TransferMatrix::Size; ++to)
            edited.Cells.push_back(model.Matrix().Cell(from, to));
    return edited;
}

QImage FreshDrawing(const NetworkModel& model) {
    SchemeSurface fresh(model);
    fresh.DrawScheme();
    return fresh.Image();
}

// The cases' actions reach the fixture's windows.
class SchemeEditingTest : public ::testing::Test {
  public:
    // S0 at (20, 20), S1 at (100, 100), S2 at (300, 100), linked from S1 to S2; shown, with
    // nothing to undo and unchanged.
    SchemeEditingTest() {
        Model().SetSourcePos(20, 20);
        test::AddPlacedQs(Model(), {{100, 100}, {300, 100}});
        Model().Matrix().SetCell(1, 2, "1");
        StartHistoryHere();
        editor.show();
        editor.activateWindow();  // for its keys
        QApplication::processEvents();
    }
    // The network as it is now is where the history starts, unchanged.
    void StartHistoryHere() {
        program.Document().RecordChange("сеть для проверки");
        History().clear();
    }
    NetworkModel& Model() { return program.Document().Model(); }
    const QImage& Image() { return editor.Surface().Image(); }
    QUndoStack& History() { return program.History().Stack(); }
    void Drag(QPoint from, QPoint to) {
        editor.ImagePressed(from);
        editor.ImagePointerMoved((from + to) / 2, true);
        editor.ImagePointerMoved(to, true);
        editor.ImageReleased(to, true);
    }
    void AnswerValue(const QString& text) {
        dialogs.QueueWindowAction([text](QWidget& window) {
            dynamic_cast<ValueInputDialog&>(window).ValueEdit()->setText(text);
        });
    }
    QPoint InWindow(QPoint onImage) { return editor.Image()->mapTo(&editor, onImage); }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    ProgramWindows program{dialogs};
    MainWindow& mainWindow = program.Main();
    SchemeEditorWindow& editor = program.Editor();
};

struct UndoCase {
    const char* What;
    std::function<void(SchemeEditingTest&)> Act;
};

void PrintTo(const UndoCase& c, std::ostream* out) {
    *out << c.What;
}

class SchemeUndoTest : public SchemeEditingTest, public ::testing::WithParamInterface<UndoCase> {};

// Every tool action is one step of the history, named in the Edit menu; its undo brings back
// the network and the picture as they were, its redo the network as the action left it.
TEST_P(SchemeUndoTest, UndoRestoresTheModelAndTheSurface) {
    const UndoCase& c = GetParam();
    const Edited before = EditedParts(Model());
    const QImage picture = Image().copy();
    c.Act(*this);
    const Edited after = EditedParts(Model());
    ASSERT_NE(after, before);
    EXPECT_TRUE(Model().Modified());
    ASSERT_EQ(History().count(), 1);
    EXPECT_EQ(editor.menuBar()->actions()[1]->menu()->actions()[0]->text(),
              QStringLiteral("Отменить ") + QString::fromUtf8(c.What));
    program.History().Undo();
    EXPECT_EQ(EditedParts(Model()), before);
    EXPECT_EQ(Image(), picture);
    EXPECT_FALSE(Model().Modified());
    program.History().Redo();
    EXPECT_EQ(EditedParts(Model()), after);
    EXPECT_EQ(Image(), FreshDrawing(Model()));
}

INSTANTIATE_TEST_SUITE_P(Actions, SchemeUndoTest,
                         ::testing::Values(UndoCase{"добавление СМО",
                                                    [](SchemeEditingTest& t) {
                                                        t.editor.PressTool(EditorTool::AddQsTool);
                                                        t.editor.ImageClicked({600, 400});
                                                    }},
                                           UndoCase{"перемещение S2",
                                                    [](SchemeEditingTest& t) {
                                                        t.editor.PressTool(EditorTool::MoveQsTool);
                                                        t.editor.ImageClicked(OnS2);
                                                        t.editor.ImagePointerMoved({450, 200});
                                                        t.editor.ImageClicked({500, 300});
                                                    }},
                                           UndoCase{"перемещение S2",
                                                    [](SchemeEditingTest& t) {
                                                        t.Drag(OnS2, {420, 260});
                                                    }},
                                           UndoCase{"перемещение S0",
                                                    [](SchemeEditingTest& t) {
                                                        t.Drag(OnS0, {700, 40});
                                                    }},
                                           UndoCase{"связь S2 → S1",
                                                    [](SchemeEditingTest& t) {
                                                        t.editor.PressTool(EditorTool::LinkTool);
                                                        t.editor.ImageClicked(OnS2);
                                                        t.editor.ImageClicked(OnS1);
                                                    }},
                                           UndoCase{"связь S1 → S1",
                                                    [](SchemeEditingTest& t) {
                                                        t.AnswerValue("0.5");
                                                        t.editor.PressTool(EditorTool::LinkTool);
                                                        t.editor.ImageClicked(OnS1);
                                                        t.editor.ImageClicked(OnS1);
                                                    }},
                                           UndoCase{"изменение вероятности передачи S1 → S2",
                                                    [](SchemeEditingTest& t) {
                                                        t.AnswerValue("0.5");
                                                        t.editor.PressTool(EditorTool::LinkTool);
                                                        t.editor.ImageClicked(OnS1);
                                                        t.editor.ImageClicked(OnS2);
                                                    }},
                                           UndoCase{"удаление связи S1 → S2",
                                                    [](SchemeEditingTest& t) {
                                                        t.editor.PressTool(EditorTool::UnlinkTool);
                                                        t.editor.ImageClicked(OnS1);
                                                        t.editor.ImageClicked(OnS2);
                                                    }},
                                           UndoCase{"удаление СМО",
                                                    [](SchemeEditingTest& t) {
                                                        t.dialogs.QueueAnswer(
                                                            MessageBoxAnswer::Yes);
                                                        t.editor.DeleteQs();
                                                    }},
                                           UndoCase{"изменение интенсивности входного потока",
                                                    [](SchemeEditingTest& t) {
                                                        t.AnswerValue("4");
                                                        t.editor.ImageDoubleClicked(OnS0);
                                                    }}),
                         [](const auto& info) { return "Action" + std::to_string(info.index); });

struct MoveCase {
    const char* Name;
    std::function<void(SchemeEditingTest&)> Act;
    bool Changed;
};

void PrintTo(const MoveCase& c, std::ostream* out) {
    *out << c.Name;
}

class SchemeMoveMarksTest : public SchemeEditingTest,
                            public ::testing::WithParamInterface<MoveCase> {};

// Positions are saved in the file: a moved symbol makes New ask before it clears the network.
TEST_P(SchemeMoveMarksTest, MovingMarksTheNetworkChanged) {
    const MoveCase& c = GetParam();
    c.Act(*this);
    EXPECT_EQ(Model().Modified(), c.Changed);
    EXPECT_EQ(History().count(), c.Changed ? 1 : 0);
    if (c.Changed) dialogs.QueueAnswer(MessageBoxAnswer::No);
    editor.NewNetwork();
    EXPECT_EQ(dialogs.Messages().size(), c.Changed ? 1u : 0u);
    EXPECT_EQ(Model().NodeCount(), 1);
    EXPECT_TRUE(dialogs.Unanswered().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Moves, SchemeMoveMarksTest,
    ::testing::Values(MoveCase{"TwoClicks",
                               [](SchemeEditingTest& t) {
                                   t.editor.PressTool(EditorTool::MoveQsTool);
                                   t.editor.ImageClicked(OnS1);
                                   t.editor.ImageClicked({400, 400});
                               },
                               true},
                      MoveCase{"Drag",
                               [](SchemeEditingTest& t) {
                                   t.Drag(OnS1, {400, 400});
                               },
                               true},
                      MoveCase{"DragOfS0",
                               [](SchemeEditingTest& t) {
                                   t.Drag(OnS0, {400, 40});
                               },
                               true},
                      MoveCase{"DragBackToItsPlace",
                               [](SchemeEditingTest& t) {
                                   t.editor.ImagePressed(OnS1);
                                   t.editor.ImagePointerMoved({300, 300}, true);
                                   t.editor.ImageReleased(OnS1, true);
                               },
                               false},
                      MoveCase{"PressAndReleaseOnTheSpot",
                               [](SchemeEditingTest& t) {
                                   t.editor.ImagePressed(OnS1);
                                   t.editor.ImagePointerMoved(OnS1 + QPoint(2, 2), true);
                                   t.editor.ImageReleased(OnS1 + QPoint(2, 2), true);
                               },
                               false}),
    [](const auto& info) { return std::string(info.param.Name); });

struct DropCase {
    const char* Name;
    EditorTool Tool;
    std::function<void(SchemeEditingTest&)> Command;
};

void PrintTo(const DropCase& c, std::ostream* out) {
    *out << c.Name;
}

class SchemePickDropTest : public SchemeEditingTest,
                           public ::testing::WithParamInterface<DropCase> {};

// A node picked before Open, New, generation or Esc is not carried into what follows: the
// pointer moves nothing, a click places nothing and draws no link, the picture is whole.
TEST_P(SchemePickDropTest, APickedNodeDoesNotSurviveTheCommand) {
    const DropCase& c = GetParam();
    const QString file = folder.filePath("two.qnf");
    dialogs.QueueFile(file);
    ASSERT_TRUE(program.Document().Save());
    dialogs.ClearLog();
    editor.PressTool(c.Tool);
    editor.ImageClicked(OnS1);
    editor.ImagePointerMoved({150, 400});
    ASSERT_TRUE(editor.ToolState().NodePicked());
    c.Command(*this);
    EXPECT_FALSE(editor.ToolState().NodePicked());
    EXPECT_TRUE(dialogs.Messages().empty());  // no "save changes?": nothing was changed
    dialogs.ClearLog();
    const Edited after = EditedParts(Model());
    // A carried move would place its node here, a carried link would ask for S2's value.
    editor.ImagePointerMoved({500, 500});
    editor.ImageClicked({520, 520});
    editor.ImageClicked(OnS2);
    EXPECT_EQ(EditedParts(Model()), after);
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_EQ(Image(), FreshDrawing(Model()));
}

const auto OpenTwo = [](SchemeEditingTest& t) {
    t.dialogs.QueueFile(t.folder.filePath("two.qnf"));
    t.editor.OpenNetwork();
};
const auto Escape = [](SchemeEditingTest& t) {
    QTest::keyClick(&t.editor, Qt::Key_Escape);
    EXPECT_EQ(t.editor.ToolState().ActiveTool(), EditorTool::None);
    EXPECT_EQ(t.Model().Qs(1).PosX, 100);  // back in its place
    EXPECT_EQ(t.History().count(), 0);     // nothing recorded
};

INSTANTIATE_TEST_SUITE_P(
    Commands, SchemePickDropTest,
    ::testing::Values(DropCase{"OpenMove", EditorTool::MoveQsTool, OpenTwo},
                      DropCase{"OpenLink", EditorTool::LinkTool, OpenTwo},
                      DropCase{"NewMove", EditorTool::MoveQsTool,
                               [](SchemeEditingTest& t) { t.editor.NewNetwork(); }},
                      DropCase{"GenerationMove", EditorTool::MoveQsTool,
                               [](SchemeEditingTest& t) {
                                   t.dialogs.QueueWindowAction([](QWidget& window) {
                                       auto& generator = dynamic_cast<GeneratorDialog&>(window);
                                       generator.IntensityEdit()->setText("5");
                                       generator.ServiceTimeEdit()->setText("0.05");
                                       generator.QsCountEdit()->setText("2");
                                       generator.Generate();
                                   });
                                   t.editor.GenerateNetwork();
                                   ASSERT_EQ(t.Model().NodeCount(), 4);
                               }},
                      DropCase{"EscMove", EditorTool::MoveQsTool, Escape},
                      DropCase{"EscLink", EditorTool::LinkTool, Escape}),
    [](const auto& info) { return std::string(info.param.Name); });

// Two clicks as the window system reports them, the second one `gap` ms after the first; the
// platform makes the second press a double click when the gap is short.
void ClickTwice(QWindow* window, QPoint at, int gap) {
    const QPointF global = window->mapToGlobal(at);
    int time = QTest::lastMouseTimestamp + 1000;
    for (int click = 0; click < 2; ++click, time += gap) {
        qt_handleMouseEvent(window, at, global, Qt::LeftButton, Qt::LeftButton,
                            QEvent::MouseButtonPress, {}, time);
        QApplication::processEvents();
        qt_handleMouseEvent(window, at, global, {}, Qt::LeftButton, QEvent::MouseButtonRelease, {},
                            time);
        QApplication::processEvents();
    }
    QTest::lastMouseTimestamp = time + 1000;
}

class SchemeQuickLoopTest : public SchemeEditingTest, public ::testing::WithParamInterface<int> {};

// Two clicks on one QS through the window system, the second one soon enough to be a double
// click or not: either way the link tool draws a loop.
TEST_P(SchemeQuickLoopTest, TwoClicksOnOneQsDrawALoop) {
    editor.PressTool(EditorTool::LinkTool);
    QWindow* window = editor.windowHandle();
    ASSERT_NE(window, nullptr);
    ClickTwice(window, InWindow(OnS2), GetParam());
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Text, "Вероятность перехода из S2 в S2");
    EXPECT_EQ(Model().Matrix().Cell(2, 2), "1.0000000000");
    EXPECT_EQ(editor.ToolState().ActiveTool(), EditorTool::None);
    EXPECT_EQ(Image(), FreshDrawing(Model()));
}

// Milliseconds between the clicks, within and beyond the platform's double-click time.
INSTANTIATE_TEST_SUITE_P(
    Delays, SchemeQuickLoopTest,
    ::testing::Values(0, 100, QGuiApplication::styleHints()->mouseDoubleClickInterval() / 2, 2000));

// A whole drag with the mouse on the 150-QS network: the picture it leaves is the full drawing.
TEST_F(SchemeEditingTest, ADragOfTheMouseEndsWithTheFullDrawing) {
    while (Model().AddNode()) {
    }
    RandomGenerator random;
    RandomFill(Model(), random, SchemeSurface::Width, SchemeSurface::Height);
    StartHistoryHere();
    editor.RefreshScreen();
    const Edited before = EditedParts(Model());
    QWidget* image = editor.Image();
    const QPoint grip(Model().Qs(75).PosX + 20, Model().Qs(75).PosY + 12);
    QTest::mousePress(image, Qt::LeftButton, {}, grip);
    for (int step = 1; step <= 8; ++step) QTest::mouseMove(image, grip + QPoint(15, 9) * step);
    EXPECT_TRUE(editor.ToolState().Dragging());
    EXPECT_EQ(editor.Image()->cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseRelease(image, Qt::LeftButton, {}, grip + QPoint(120, 72));
    EXPECT_EQ(Model().Qs(75).PosX, before.Corners[75].x() + 120);
    EXPECT_EQ(Model().Qs(75).PosY, before.Corners[75].y() + 72);
    EXPECT_TRUE(Image() == FreshDrawing(Model()));
    EXPECT_EQ(History().count(), 1);  // one step for the whole drag
    program.History().Undo();
    EXPECT_EQ(EditedParts(Model()), before);
    EXPECT_TRUE(Image() == FreshDrawing(Model()));
}

// The picked source of a link is ringed and a line runs from it to the pointer, over the image
// only; the status bar says what the tool waits for.
TEST_F(SchemeEditingTest, LinkSourceIsMarkedAndALineFollowsThePointer) {
    const auto marked = [this](QPoint at) {
        const QImage shown = editor.Image()->grab(QRect(at - QPoint(1, 1), QSize(3, 3))).toImage();
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                const QColor c = shown.pixelColor(x, y);
                if (c.blue() > 150 && c.red() < 100) return true;
            }
        return false;
    };
    editor.PressTool(EditorTool::LinkTool);
    EXPECT_EQ(editor.StatusText(), "Выберите СМО, из которой идет связь (Esc — отмена)");
    editor.ImageClicked(OnS1);
    editor.ImagePointerMoved({415, 315});
    EXPECT_EQ(editor.StatusText(), "Выберите СМО, в которую идет связь из S1 (Esc — отмена)");
    EXPECT_TRUE(marked({265, 215}));  // half way from S1's centre to the pointer
    EXPECT_TRUE(marked({115, 96}));   // the ring above S1
    EXPECT_EQ(test::CountPixels(Image(), Image().rect(), SchemeView::MarkColour.rgb()), 0);
    editor.ImageClicked(OnS2);
    EXPECT_FALSE(marked({265, 215}));
    EXPECT_FALSE(marked({115, 96}));
}

// Each tool shows a pointer of its own, none of them the plain arrow.
TEST_F(SchemeEditingTest, EveryToolHasItsOwnPointer) {
    std::vector<QImage> pointers;
    for (EditorTool tool : {EditorTool::AddQsTool, EditorTool::MoveQsTool, EditorTool::LinkTool,
                            EditorTool::UnlinkTool}) {
        editor.PressTool(tool);
        const QCursor cursor = editor.Image()->cursor();
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        for (const QImage& other : pointers) EXPECT_NE(cursor.pixmap().toImage(), other);
        pointers.push_back(cursor.pixmap().toImage());
        EXPECT_FALSE(editor.StatusText().isEmpty());
    }
    editor.PressTool(EditorTool::UnlinkTool);  // off again
    editor.ImagePointerMoved(OnS1);
    EXPECT_EQ(editor.Image()->cursor().shape(), Qt::OpenHandCursor);  // it can be dragged
    editor.ImagePointerMoved({600, 600});
    EXPECT_EQ(editor.Image()->cursor().shape(), Qt::ArrowCursor);
}

// The Delete key removes the last QS once the user agreed.
TEST_F(SchemeEditingTest, DeleteKeyAsksBeforeItRemovesTheLastQs) {
    for (MessageBoxAnswer answer : {MessageBoxAnswer::No, MessageBoxAnswer::Yes}) {
        dialogs.QueueAnswer(answer);
        QTest::keyClick(&editor, Qt::Key_Delete);
    }
    const auto messages = dialogs.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Text, "Удалить СМО S2 вместе с ее связями?");
    EXPECT_EQ(messages[0].Buttons, MessageBoxButtons::YesNo);
    EXPECT_EQ(Model().NodeCount(), 2);
    EXPECT_EQ(Image(), FreshDrawing(Model()));
}

}  // namespace
}  // namespace qnetica
