#include "editor/TForm5.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QBarSet>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <functional>
#include <optional>

#include "app/QneticaWindows.h"
#include "charts/TForm10.h"
#include "charts/TForm9.h"
#include "editor/EditorTestSupport.h"
#include "editor/SchemeView.h"
#include "editor/TForm11.h"
#include "runs/VariationPlan.h"
#include "ui/ScriptedDialogs.h"
#include "ui/TForm1.h"
#include "ui/TForm3.h"
#include "ui/TForm4.h"
#include "ui/TForm6.h"
#include "ui/TForm7.h"
#include "ui/TransferMatrixTableModel.h"

namespace qnetica {
namespace {

using test::Black;
using test::PixelAt;
using test::White;

const QString Question = QString::fromUtf8("Схема была изменена.\n\rСохранить изменения?");
const QString Separator = QStringLiteral("|");

// The hints of a tool bar, or the items of a menu, in order; "|" for a separator.
QStringList Entries(const QList<QAction*>& actions, bool hints) {
    QStringList entries;
    for (const QAction* action : actions)
        entries << (action->isSeparator() ? Separator
                                          : (hints ? action->toolTip() : action->text()));
    return entries;
}

QMenu* MenuNamed(const QMainWindow& window, const QString& title) {
    for (QAction* action : window.menuBar()->actions())
        if (action->text() == title) return action->menu();
    return nullptr;
}

QAction* MenuItem(const QMainWindow& window, const QString& menu, const QString& item) {
    const QMenu* found = MenuNamed(window, menu);
    if (!found) return nullptr;
    for (QAction* action : found->actions())
        if (action->text() == item) return action;
    return nullptr;
}

QAction* BarButton(const QToolBar* bar, const QString& hint) {
    for (QAction* action : bar->actions())
        if (action->toolTip() == hint) return action;
    return nullptr;
}

// The program's windows around the editor, as start-up wires them; the chart windows share
// the editor's image save dialog.
class TForm5Test : public ::testing::Test {
  protected:
    NetworkModel& Model() { return form1.Model(); }
    const QImage& Image() { return form5.Surface().Image(); }
    QAction* TopButton(const QString& hint) const { return BarButton(form5.TopBar(), hint); }

    // S1 at (100, 100) and S2 at (300, 100), linked from S1 to S2; S0 at (20, 20).
    void MakeTwoQsNetwork() {
        Model().SetSourcePos(20, 20);
        form1.AddQs();
        form1.AddQs();
        Model().Qs(1).PosX = 100;
        Model().Qs(1).PosY = 100;
        Model().Qs(2).PosX = 300;
        Model().Qs(2).PosY = 100;
        Model().Matrix().SetCell(1, 2, "1");
        Model().SetModified(false);
    }
    bool LinkShown() { return PixelAt(Image(), 200, 115) == Black; }
    bool SymbolShown(int x, int y) { return PixelAt(Image(), x, y + 15) == Black; }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    // The windows as the program wires them at start.
    QneticaWindows program{dialogs};
    const ProgramWindows& windows = program.Windows();
    TForm1& form1 = program.MainWindow();
    TForm5& form5 = *windows.Form5;
    TForm9& form9 = *windows.Form9;
    TForm10& form10 = *windows.Form10;
    TForm11& form11 = *windows.Form11;
};

TEST_F(TForm5Test, TopBarHasItsHintsInOrderWithTheirSeparators) {
    EXPECT_EQ(form5.windowTitle(), "Qnetica (визуальный редактор)");
    EXPECT_EQ(Entries(form5.TopBar()->actions(), true),
              QStringList({"Новый",
                           "Открыть",
                           "Сохранить",
                           "Сохранить изображение схемы",
                           Separator,
                           "Редактор матрицы вероятностей передач",
                           Separator,
                           "Автогенерация модели",
                           Separator,
                           "Рассчитать сеть",
                           Separator,
                           "Показать отчет",
                           Separator,
                           "Показать диаграмму характеристик сети",
                           "Показать диаграмму характеристик СМО",
                           Separator,
                           "Справка",
                           "о программе",
                           Separator,
                           "Выйти"}));
    for (const QAction* button : form5.TopBar()->actions())
        if (!button->isSeparator()) {
            EXPECT_FALSE(button->icon().isNull()) << button->toolTip().toStdString();
        }
}

TEST_F(TForm5Test, LeftBarHoldsTheToolsAsToggleButtonsAndTwoCommands) {
    EXPECT_EQ(Entries(form5.ToolsBar()->actions(), true),
              QStringList({"Добавить СМО", "Переместить СМО", "Провести связь", "Удалить связь",
                           "Удалить СМО", "Обновить"}));
    QList<bool> checkable;
    for (const QAction* button : form5.ToolsBar()->actions()) checkable << button->isCheckable();
    EXPECT_EQ(checkable, QList<bool>({true, true, true, true, false, false}));
}

struct MenuContents {
    const char* Title;
    QStringList Items;
};

void PrintTo(const MenuContents& menu, std::ostream* out) {
    *out << QString::fromUtf8(menu.Title).toStdString();
}

class TForm5MenuTest : public TForm5Test, public ::testing::WithParamInterface<MenuContents> {};

TEST_P(TForm5MenuTest, HoldsItsItemsInOrder) {
    const QMenu* menu = MenuNamed(form5, QString::fromUtf8(GetParam().Title));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Entries(menu->actions(), false), GetParam().Items);
    for (const QAction* item : menu->actions())
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Menus, TForm5MenuTest,
    ::testing::Values(MenuContents{"Файл",
                                   {"Новый", Separator, "Открыть", "Сохранить",
                                    "Сохранить изображение стохастической сети", Separator,
                                    "Выход"}},
                      MenuContents{"Редактировать",
                                   {"Редактор матрицы вероятностей передач", Separator,
                                    "Добавить СМО", "Переместить СМО", "Провести связь",
                                    "Удалить связь", "Удалить СМО", Separator, "Обновить экран"}},
                      MenuContents{"Сеть", {"Автогенерация модели", "Рассчитать"}},
                      MenuContents{"Отчеты",
                                   {"Просмотреть последний отчет", Separator,
                                    "Просмотреть диаграмму характеристик сети",
                                    "Построить диаграмму характеристик отдельных СМО"}},
                      MenuContents{"Справка", {"Справка", "о программе"}}),
    [](const auto& info) { return "Menu" + std::to_string(info.index); });

TEST_F(TForm5Test, MenuBarOrder) {
    QStringList titles;
    for (const QAction* action : form5.menuBar()->actions()) titles << action->text();
    EXPECT_EQ(titles, QStringList({"Файл", "Редактировать", "Сеть", "Отчеты", "Справка"}));
}

TEST_F(TForm5Test, ReportAndChartButtonsWaitForAVariedRun) {
    const std::vector<QAction*> display = {form5.ReportButton(), form5.NetworkChartButton(),
                                           form5.QsChartButton()};
    EXPECT_EQ(display, (std::vector<QAction*>{TopButton("Показать отчет"),
                                              TopButton("Показать диаграмму характеристик сети"),
                                              TopButton("Показать диаграмму характеристик СМО")}));
    for (const QAction* button : display) EXPECT_FALSE(button->isEnabled());
    form5.EnableDisplayCommands();
    for (const QAction* button : display) EXPECT_TRUE(button->isEnabled());
}

TEST_F(TForm5Test, ReportMenuItemOpensThePlansReportWhileTheButtonIsDisabled) {
    MenuItem(form5, "Отчеты", "Просмотреть последний отчет")->trigger();
    VariationPlan plan;
    plan.ReportFileName = "run7.txt";
    form5.SetVariationPlan(&plan);
    MenuItem(form5, "Отчеты", "Просмотреть последний отчет")->trigger();
    const auto& log = dialogs.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Kind, ScriptedDialogs::RequestKind::Document);
    EXPECT_EQ(log[0].Text, "report.txt");
    EXPECT_EQ(log[0].Window, DocumentWindow::Normal);
    EXPECT_EQ(log[1].Text, "run7.txt");
}

TEST_F(TForm5Test, NetworkChartShowsTheStepsOfTheLastVariedRun) {
    VariationPlan plan;
    plan.StepCount = 3;
    StepTotals totals;
    totals.Store(1, {1.5, 2.5, 3.5, 4.5});
    totals.Store(4, {9, 9, 9, 9});  // beyond the plan's steps
    form5.SetVariationPlan(&plan);
    form5.SetStepTotals(&totals);
    MenuItem(form5, "Отчеты", "Просмотреть диаграмму характеристик сети")->trigger();
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Kind, ScriptedDialogs::RequestKind::Modal);
    EXPECT_EQ(dialogs.Log()[0].Text, form9.windowTitle());
    QList<double> values;
    for (int k = 1; k <= TForm9::SeriesCount; ++k) {
        ASSERT_EQ(form9.Series(k)->count(), 3) << k;
        values << form9.Series(k)->at(0);
    }
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, QList<double>({1.5, 2.5, 3.5, 4.5}));
}

TEST_F(TForm5Test, QsChartAboutAndHelp) {
    TopButton("Показать диаграмму характеристик СМО")->trigger();  // disabled: does nothing
    MenuItem(form5, "Отчеты", "Построить диаграмму характеристик отдельных СМО")->trigger();
    TopButton("о программе")->trigger();
    TopButton("Справка")->trigger();
    const auto& log = dialogs.Log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].Text, form10.windowTitle());
    EXPECT_EQ(log[1].Text, windows.Form4->windowTitle());
    EXPECT_EQ(log[2].Kind, ScriptedDialogs::RequestKind::Document);
    EXPECT_EQ(log[2].Text, QDir(QCoreApplication::applicationDirPath()).filePath("help/help.htm"));
    EXPECT_EQ(log[2].Window, DocumentWindow::Maximised);
}

TEST_F(TForm5Test, OpensMaximisedAndDrawsTheCurrentModel) {
    MakeTwoQsNetwork();
    form5.show();
    EXPECT_TRUE(form5.isMaximized());
    EXPECT_TRUE(form5.CloseAppOnClose());
    EXPECT_TRUE(LinkShown());
    EXPECT_TRUE(SymbolShown(100, 100));
    EXPECT_TRUE(SymbolShown(20, 20));
    EXPECT_EQ(form5.ImageArea()->widget(), form5.Image());
    EXPECT_EQ(form5.Image()->size(), QSize(1858, 1334));  // reachable whole by scrolling
}

TEST_F(TForm5Test, ReturnToTableErasesTheSchemeAndClosesTheEditorAlone) {
    MakeTwoQsNetwork();
    Model().SetModified(true);
    form1.show();
    form5.show();
    QSignalSpy gridRefresh(form1.MatrixTable(), &TransferMatrixTableModel::dataChanged);
    TopButton("Редактор матрицы вероятностей передач")->trigger();
    EXPECT_FALSE(form5.isVisible());
    EXPECT_FALSE(form5.CloseAppOnClose());
    EXPECT_TRUE(form1.isVisible());
    EXPECT_TRUE(dialogs.Log().empty());  // no question
    EXPECT_TRUE(test::AllWhite(Image(), Image().rect()));
    EXPECT_EQ(gridRefresh.count(), 1);  // the grid shows what the tools wrote
}

TEST_F(TForm5Test, ShowingAgainDrawsTheModelAsTheTableLeftIt) {
    MakeTwoQsNetwork();
    form5.show();
    MenuItem(form5, "Редактировать", "Редактор матрицы вероятностей передач")->trigger();
    Model().Matrix().SetCell(1, 2, "");
    Model().Qs(2).PosY = 200;
    form5.show();
    EXPECT_TRUE(form5.CloseAppOnClose());
    EXPECT_FALSE(LinkShown());
    EXPECT_TRUE(SymbolShown(300, 200));
    EXPECT_FALSE(SymbolShown(300, 100));
}

// How the editor is closed, and the answer to the main window's question.
struct Closing {
    const char* Case;
    std::function<void(TForm5&)> Close;
    bool Modified;
    std::optional<MessageBoxAnswer> Answer;
    bool Saved;
};

void PrintTo(const Closing& closing, std::ostream* out) {
    *out << closing.Case;
}

class TForm5ClosingTest : public TForm5Test, public ::testing::WithParamInterface<Closing> {};

TEST_P(TForm5ClosingTest, EndsTheProgramAfterTheUnsavedChangesQuestion) {
    const Closing& closing = GetParam();
    MakeTwoQsNetwork();
    Model().SetModified(closing.Modified);
    if (closing.Answer) dialogs.QueueAnswer(*closing.Answer);
    const QString file = folder.filePath("kept.qnf");
    if (closing.Saved) dialogs.QueueFile(file);
    form1.show();
    form5.show();
    closing.Close(form5);
    EXPECT_FALSE(form5.isVisible());
    EXPECT_FALSE(form1.isVisible());
    const auto messages = dialogs.Messages();
    ASSERT_EQ(messages.size(), closing.Modified ? 1u : 0u);
    if (closing.Modified) {
        EXPECT_EQ(messages[0].Text, Question);
        EXPECT_EQ(messages[0].BoxKind, MessageBoxKind::Warning);
    }
    EXPECT_EQ(QFile::exists(file), closing.Saved);
    EXPECT_TRUE(dialogs.Unanswered().empty());
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
}

const auto CloseBox = [](TForm5& form) { form.close(); };
const auto ExitButton = [](TForm5& form) { BarButton(form.TopBar(), "Выйти")->trigger(); };
const auto ExitItem = [](TForm5& form) { MenuItem(form, "Файл", "Выход")->trigger(); };

INSTANTIATE_TEST_SUITE_P(
    Ways, TForm5ClosingTest,
    ::testing::Values(Closing{"CloseBoxUnchanged", CloseBox, false, std::nullopt, false},
                      Closing{"CloseBoxNo", CloseBox, true, MessageBoxAnswer::No, false},
                      Closing{"CloseBoxYes", CloseBox, true, MessageBoxAnswer::Yes, true},
                      Closing{"ExitButtonNo", ExitButton, true, MessageBoxAnswer::No, false},
                      Closing{"ExitItemYes", ExitItem, true, MessageBoxAnswer::Yes, true}),
    [](const auto& info) { return std::string(info.param.Case); });

TEST_F(TForm5Test, NewDrawsTheEmptyNetworkAndDropsAPickedNode) {
    MakeTwoQsNetwork();
    form5.show();
    form5.PressTool(EditorTool::LinkTool);
    form5.ImageClicked({310, 110});
    ASSERT_TRUE(form5.ToolState().NodePicked());
    TopButton("Новый")->trigger();
    EXPECT_EQ(Model().NodeCount(), 1);
    EXPECT_FALSE(form5.ToolState().NodePicked());
    EXPECT_TRUE(form5.ToolButton(EditorTool::LinkTool)->isChecked());
    EXPECT_FALSE(LinkShown());
    EXPECT_FALSE(SymbolShown(100, 100));
    EXPECT_TRUE(SymbolShown(20, 20));  // New keeps the positions
}

TEST_F(TForm5Test, OpenDrawsTheOpenedNetwork) {
    MakeTwoQsNetwork();
    const QString file = folder.filePath("two.qnf");
    dialogs.QueueFile(file);
    ASSERT_TRUE(form1.SaveNetwork());
    Model().Qs(1).PosX = 500;
    form5.show();
    dialogs.QueueFile(file);
    TopButton("Открыть")->trigger();
    EXPECT_EQ(Model().Qs(1).PosX, 100);
    EXPECT_TRUE(SymbolShown(100, 100));
    EXPECT_FALSE(SymbolShown(500, 100));
    EXPECT_TRUE(LinkShown());
}

TEST_F(TForm5Test, GenerationCancelledLeavesANewEmptyNetwork) {
    MakeTwoQsNetwork();
    form5.show();
    TopButton("Автогенерация модели")->trigger();
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Text, form11.windowTitle());
    EXPECT_EQ(Model().NodeCount(), 1);
    EXPECT_FALSE(LinkShown());
    EXPECT_TRUE(SymbolShown(20, 20));
}

TEST_F(TForm5Test, GenerationFillsTheVisibleAreaAndRedrawsTheScheme) {
    form5.show();
    dialogs.QueueWindowAction([](QWidget& window) {
        auto& generator = dynamic_cast<TForm11&>(window);
        generator.IntensityEdit()->setText("5");
        generator.ServiceTimeEdit()->setText("0.05");
        generator.QsCountEdit()->setText("3");
        generator.OkClick();
    });
    MenuItem(form5, "Сеть", "Автогенерация модели")->trigger();
    ASSERT_EQ(Model().NodeCount(), 8);
    const QSize area = form5.VisibleImageArea();
    EXPECT_EQ(Model().SourcePosY(), area.height() / 2);
    for (int k = 1; k < Model().NodeCount(); ++k)
        EXPECT_TRUE(SymbolShown(Model().Qs(k).PosX, Model().Qs(k).PosY)) << k;
    EXPECT_GT(test::CountPixels(Image(), Image().rect(), test::Red), 100);
}

// Generates n = 2 QS that one channel cannot serve, then runs fixed calculations from the
// editor: the parameters dialog is confirmed at once, the results window closed at once.
class TForm5CalculationTest : public TForm5Test {
  protected:
    void GenerateOverloadedNetwork() {
        dialogs.QueueWindowAction([](QWidget& window) {
            auto& generator = dynamic_cast<TForm11&>(window);
            generator.IntensityEdit()->setText("100");
            generator.ServiceTimeEdit()->setText("1");
            generator.QsCountEdit()->setText("2");
            generator.OkClick();
        });
        form5.GenerateNetwork();
        ASSERT_EQ(Model().NodeCount(), 4);
        ASSERT_TRUE(Model().Generated());
    }
    // The message boxes of one fixed run started by "Рассчитать сеть".
    std::vector<ScriptedDialogs::Request> FixedRun() {
        dialogs.ClearLog();
        dialogs.QueueWindowAction(
            [](QWidget& window) { ASSERT_TRUE(dynamic_cast<TForm7&>(window).ContinueClick()); });
        TopButton("Рассчитать сеть")->trigger();
        EXPECT_EQ(dialogs.PendingAnswers(), 0u);
        return dialogs.Messages();
    }
};

TEST_F(TForm5CalculationTest, GeneratedSuppressesTheOverloadBoxesOfTheNextFixedRunOnly) {
    form5.show();
    GenerateOverloadedNetwork();
    EXPECT_TRUE(FixedRun().empty());
    EXPECT_FALSE(Model().Generated());
    const auto second = FixedRun();
    EXPECT_EQ(second.size(), 3u);  // one per QS now
    std::vector<QString> shown;
    for (const auto& request : dialogs.Log())
        if (request.Kind == ScriptedDialogs::RequestKind::Modal) shown.push_back(request.Text);
    EXPECT_EQ(shown,
              (std::vector<QString>{windows.Form7->windowTitle(), windows.Form3->windowTitle()}));
}

TEST_F(TForm5CalculationTest, AVariedRunEnablesTheReportAndChartButtons) {
    form5.show();
    GenerateOverloadedNetwork();
    dialogs.QueueWindowAction([](QWidget& window) {
        auto& parameters = dynamic_cast<TForm7&>(window);
        parameters.RadioButton2()->setChecked(true);
        ASSERT_TRUE(parameters.ContinueClick());
    });
    TopButton("Рассчитать сеть")->trigger();
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
    EXPECT_TRUE(form5.ReportButton()->isEnabled());
    EXPECT_TRUE(form5.NetworkChartButton()->isEnabled());
    EXPECT_TRUE(form5.QsChartButton()->isEnabled());
}

TEST_F(TForm5CalculationTest, CalculateMenuItemAsksForTheRunParameters) {
    MenuItem(form5, "Сеть", "Рассчитать")->trigger();  // cancelled: the dialog closes at once
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Kind, ScriptedDialogs::RequestKind::Modal);
    EXPECT_EQ(dialogs.Log()[0].Text, windows.Form7->windowTitle());
    EXPECT_FALSE(form5.ReportButton()->isEnabled());
}

TEST_F(TForm5Test, ToolMenuItemsActLikeTheirButtons) {
    MakeTwoQsNetwork();
    form5.show();
    MenuItem(form5, "Редактировать", "Переместить СМО")->trigger();
    EXPECT_EQ(form5.ToolState().ActiveTool(), EditorTool::MoveQsTool);
    EXPECT_TRUE(form5.ToolButton(EditorTool::MoveQsTool)->isChecked());
    form5.ToolButton(EditorTool::AddQsTool)->trigger();
    EXPECT_EQ(form5.ToolState().ActiveTool(), EditorTool::AddQsTool);
    EXPECT_FALSE(form5.ToolButton(EditorTool::MoveQsTool)->isChecked());
    EXPECT_TRUE(form5.ToolButton(EditorTool::AddQsTool)->isChecked());
    MenuItem(form5, "Редактировать", "Добавить СМО")->trigger();
    EXPECT_EQ(form5.ToolState().ActiveTool(), EditorTool::None);
    EXPECT_FALSE(form5.ToolButton(EditorTool::AddQsTool)->isChecked());
}

TEST_F(TForm5Test, AddToolGoesThroughTheMainWindowAndReleasesItsButton) {
    MakeTwoQsNetwork();
    form5.show();
    form5.ToolButton(EditorTool::AddQsTool)->trigger();
    form5.ImageClicked({600, 400});
    EXPECT_EQ(form1.NodeList()->count(), 4);
    EXPECT_EQ(Model().Qs(3).PosX, 600);
    EXPECT_TRUE(SymbolShown(600, 400));
    EXPECT_FALSE(form5.ToolButton(EditorTool::AddQsTool)->isChecked());
    EXPECT_TRUE(Model().Modified());
}

TEST_F(TForm5Test, DoubleClicksOpenTheQsParametersAndTheInputRate) {
    MakeTwoQsNetwork();
    form1.InputRateEdit()->setText("2.5");
    form5.show();
    form5.ImageDoubleClicked({310, 110});
    EXPECT_EQ(form1.SelectedNode(), 2);
    dialogs.QueueWindowAction(
        [](QWidget& window) { dynamic_cast<TForm6&>(window).Edit1()->setText("4"); });
    form5.ImageDoubleClicked({25, 25});
    const auto& log = dialogs.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Text, "S2");
    EXPECT_EQ(log[1].Text, "Интенсивность входящего потока");
    EXPECT_EQ(form1.InputRateEdit()->text(), "4");
}

TEST_F(TForm5Test, DeleteQsAndRefreshButtons) {
    MakeTwoQsNetwork();
    form5.show();
    BarButton(form5.ToolsBar(), "Удалить СМО")->trigger();
    EXPECT_EQ(form1.NodeList()->count(), 2);
    EXPECT_FALSE(SymbolShown(300, 100));
    EXPECT_FALSE(LinkShown());
    Model().Matrix().SetCell(1, 0, "1");
    Model().Matrix().SetCell(0, 1, "1");
    form5.Surface().DrawScheme();
    Model().Matrix().SetCell(0, 1, "");
    MenuItem(form5, "Редактировать", "Обновить экран")->trigger();
    SchemeSurface fresh(Model());
    fresh.DrawScheme();
    EXPECT_EQ(Image(), fresh.Image());
}

// A click and a double click on the image as the mouse gives them.
TEST_F(TForm5Test, ImageReportsClicksAndDoubleClicksInSurfaceCoordinates) {
    MakeTwoQsNetwork();
    form5.show();
    form5.ToolButton(EditorTool::AddQsTool)->trigger();
    // What a widget gets from a double click: press, release, press, double click, release.
    const QPoint point(200, 200);
    QTest::mouseClick(form5.Image(), Qt::LeftButton, {}, point);
    QTest::mousePress(form5.Image(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(form5.Image(), Qt::LeftButton, {}, point);
    QTest::mouseRelease(form5.Image(), Qt::LeftButton, {}, point);
    // The first click added S3 there, the double click then opened its parameters.
    EXPECT_EQ(Model().NodeCount(), 4);
    EXPECT_EQ(Model().Qs(3).PosX, 200);
    EXPECT_EQ(Model().Qs(3).PosY, 200);
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Text, "S3");
}

TEST_F(TForm5Test, APickedSymbolFollowsThePointerOverTheImage) {
    MakeTwoQsNetwork();
    form5.show();
    form5.ToolButton(EditorTool::MoveQsTool)->trigger();
    QTest::mouseClick(form5.Image(), Qt::LeftButton, {}, QPoint(310, 110));
    const QPoint to(400, 250);
    QMouseEvent motion(QEvent::MouseMove, to, form5.Image()->mapToGlobal(to), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form5.Image(), &motion);
    EXPECT_EQ(Model().Qs(2).PosX, 400);
    EXPECT_EQ(Model().Qs(2).PosY, 250);
    EXPECT_TRUE(SymbolShown(400, 250));
    EXPECT_TRUE(form5.ToolButton(EditorTool::MoveQsTool)->isChecked());
}

struct ImageExport {
    const char* Case;
    const char* Name;
    int TypeIndex;
    const char* Written;
    const char* Format;
};

void PrintTo(const ImageExport& exported, std::ostream* out) {
    *out << exported.Case;
}

class TForm5ExportTest : public TForm5Test, public ::testing::WithParamInterface<ImageExport> {};

TEST_P(TForm5ExportTest, WritesTheWholeSurfaceInTheChosenType) {
    const ImageExport& exported = GetParam();
    MakeTwoQsNetwork();
    form5.show();
    dialogs.QueueFile(folder.filePath(exported.Name), exported.TypeIndex);
    TopButton("Сохранить изображение схемы")->trigger();
    const auto& log = dialogs.Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Kind, ScriptedDialogs::RequestKind::SaveFile);
    EXPECT_EQ(log[0].Text, "Сохранить диаграмму");
    EXPECT_EQ(log[0].File.Folder, QDir::currentPath());
    ASSERT_EQ(log[0].File.Types.size(), 2);
    EXPECT_EQ(log[0].File.Types[0].Description, "Битовый массив (bmp)");
    EXPECT_EQ(log[0].File.Types[1].Description, "Векторная графика (SVG)");
    EXPECT_EQ(log[0].File.Types[1].Pattern, "*.svg");
    const QString written = folder.filePath(exported.Written);
    EXPECT_EQ(QImageReader(written).format(), exported.Format);
    if (QByteArray(exported.Format) == "bmp") {
        EXPECT_EQ(QImage(written).convertToFormat(QImage::Format_RGB32), Image());
    } else {
        EXPECT_TRUE(QSvgRenderer(written).isValid());
    }
}

INSTANTIATE_TEST_SUITE_P(Types, TForm5ExportTest,
                         ::testing::Values(ImageExport{"Bitmap", "a.bmp", 1, "a.bmp", "bmp"},
                                           ImageExport{"BitmapNamedWmf", "b.wmf", 1, "b.wmf",
                                                       "bmp"},
                                           ImageExport{"BitmapNoExtension", "c", 1, "c.bmp", "bmp"},
                                           ImageExport{"Vector", "d", 2, "d.svg", "svg"}),
                         [](const auto& info) { return std::string(info.param.Case); });

TEST_F(TForm5Test, CancelledExportWritesNothing) {
    dialogs.QueueFileCancel();
    MenuItem(form5, "Файл", "Сохранить изображение стохастической сети")->trigger();
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(TForm5Test, ExportThatCannotBeWrittenIsReported) {
    dialogs.QueueFile("/nonexistent-folder/scheme.bmp");
    TopButton("Сохранить изображение схемы")->trigger();
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].BoxKind, MessageBoxKind::Error);
}

}  // namespace
}  // namespace qnetica
