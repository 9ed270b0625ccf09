#include "editor/SchemeEditorWindow.h"

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

#include "app/ProgramWindows.h"
#include "charts/NetworkChartDialog.h"
#include "charts/QsChartDialog.h"
#include "editor/EditorTestSupport.h"
#include "editor/GeneratorDialog.h"
#include "editor/SchemeView.h"
#include "runs/VariationPlan.h"
#include "support/ScriptedDialogs.h"
#include "ui/AboutDialog.h"
#include "ui/MainWindow.h"
#include "ui/ResultsDialog.h"
#include "ui/RunParametersDialog.h"
#include "ui/TransferMatrixTableModel.h"
#include "ui/ValueInputDialog.h"
#include "widgets/HelpTopics.h"
#include "widgets/HelpWindow.h"
#include "widgets/ReportViewer.h"

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
        entries << (action->isSeparator()
                        ? Separator
                        : (hints ? action->toolTip() : QString(action->text()).remove('&')));
    return entries;
}

QMenu* MenuNamed(const QMainWindow& window, const QString& title) {
    for (QAction* action : window.menuBar()->actions())
        if (QString(action->text()).remove('&') == title) return action->menu();
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
class SchemeEditorWindowTest : public ::testing::Test {
  protected:
    NetworkModel& Model() { return mainWindow.Document().Model(); }
    const QImage& Image() { return editorWindow.Surface().Image(); }
    QAction* TopButton(const QString& hint) const { return BarButton(editorWindow.TopBar(), hint); }

    // S1 at (100, 100) and S2 at (300, 100), linked from S1 to S2; S0 at (20, 20).
    void MakeTwoQsNetwork() {
        Model().SetSourcePos(20, 20);
        mainWindow.AddQs();
        mainWindow.AddQs();
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
    ProgramWindows program{dialogs};
    MainWindow& mainWindow = program.Main();
    SchemeEditorWindow& editorWindow = program.Editor();
    NetworkChartDialog& networkChartDialog = program.NetworkChart();
    QsChartDialog& qsChartDialog = program.QsChart();
    GeneratorDialog& generatorDialog = program.Generator();
};

TEST_F(SchemeEditorWindowTest, TopBarHasItsHintsInOrderWithTheirSeparators) {
    EXPECT_EQ(editorWindow.windowTitle(), "Без имени — Qnetica (визуальный редактор)");
    EXPECT_EQ(Entries(editorWindow.TopBar()->actions(), true),
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
    for (const QAction* button : editorWindow.TopBar()->actions())
        if (!button->isSeparator()) {
            EXPECT_FALSE(button->icon().isNull()) << button->toolTip().toStdString();
        }
}

TEST_F(SchemeEditorWindowTest, LeftBarHoldsTheToolsAsToggleButtonsAndTwoCommands) {
    EXPECT_EQ(Entries(editorWindow.ToolsBar()->actions(), true),
              QStringList({"Добавить СМО", "Переместить СМО", "Провести связь", "Удалить связь",
                           "Удалить СМО", "Обновить"}));
    QList<bool> checkable;
    for (const QAction* button : editorWindow.ToolsBar()->actions())
        checkable << button->isCheckable();
    EXPECT_EQ(checkable, QList<bool>({true, true, true, true, false, false}));
}

struct MenuContents {
    const char* Title;
    QStringList Items;
};

void PrintTo(const MenuContents& menu, std::ostream* out) {
    *out << QString::fromUtf8(menu.Title).toStdString();
}

class SchemeEditorWindowMenuTest : public SchemeEditorWindowTest,
                                   public ::testing::WithParamInterface<MenuContents> {};

TEST_P(SchemeEditorWindowMenuTest, HoldsItsItemsInOrder) {
    const QMenu* menu = MenuNamed(editorWindow, QString::fromUtf8(GetParam().Title));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Entries(menu->actions(), false), GetParam().Items);
    // All but undo and redo, which wait for a change, and the colours by load, which wait for
    // a calculation.
    for (const QAction* item :
         menu->actions().mid(menu == editorWindow.menuBar()->actions()[1]->menu() ? 3 : 0))
        EXPECT_EQ(item->isEnabled(), item != editorWindow.LoadsAction())
            << item->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Menus, SchemeEditorWindowMenuTest,
    ::testing::Values(
        MenuContents{"Файл",
                     {"Новый", Separator, "Открыть", "Сохранить", "Сохранить как...",
                      "Сохранить изображение стохастической сети", Separator, "Примеры",
                      "Последние файлы", Separator, "Выход"}},
        MenuContents{"Редактировать",
                     {"Отменить", "Повторить", Separator, "Редактор матрицы вероятностей передач",
                      Separator, "Добавить СМО", "Переместить СМО", "Провести связь",
                      "Удалить связь", "Удалить СМО", Separator, "Обновить экран"}},
        MenuContents{"Сеть", {"Автогенерация модели", "Рассчитать"}},
        MenuContents{"Вид", {"Раскрасить СМО по загрузке", "Показать вероятности передач"}},
        MenuContents{
            "Отчеты",
            {"Просмотреть последний отчет", Separator, "Просмотреть диаграмму характеристик сети",
             "Построить диаграмму характеристик отдельных СМО", Separator,
             "Экспорт результатов в CSV..."}},
        MenuContents{"Справка", {"Справка", "о программе"}}),
    [](const auto& info) { return "Menu" + std::to_string(info.index); });

TEST_F(SchemeEditorWindowTest, MenuBarOrder) {
    QStringList titles;
    for (const QAction* action : editorWindow.menuBar()->actions())
        titles << QString(action->text()).remove('&');
    EXPECT_EQ(titles, QStringList({"Файл", "Редактировать", "Сеть", "Вид", "Отчеты", "Справка"}));
}

TEST_F(SchemeEditorWindowTest, ReportAndChartButtonsWaitForAVariedRun) {
    const std::vector<QAction*> display = {editorWindow.ReportButton(),
                                           editorWindow.NetworkChartButton(),
                                           editorWindow.QsChartButton()};
    EXPECT_EQ(display, (std::vector<QAction*>{TopButton("Показать отчет"),
                                              TopButton("Показать диаграмму характеристик сети"),
                                              TopButton("Показать диаграмму характеристик СМО")}));
    for (const QAction* button : display) EXPECT_FALSE(button->isEnabled());
    editorWindow.EnableDisplayCommands();
    for (const QAction* button : display) EXPECT_TRUE(button->isEnabled());
}

// The plan's report in the program's viewer; a report that is not there is said so.
TEST_F(SchemeEditorWindowTest, ReportMenuItemOpensThePlansReportWhileTheButtonIsDisabled) {
    MenuItem(editorWindow, "Отчеты", "Просмотреть последний отчет")->trigger();
    QFile run(folder.filePath("run7.txt"));
    ASSERT_TRUE(run.open(QIODevice::WriteOnly));
    run.write("\xd1\xcc\xce 1\r\n");  // "СМО 1" in Windows-1251
    run.close();
    program.Document().Plan().ReportFileName = folder.filePath("run7.txt").toStdString();
    MenuItem(editorWindow, "Отчеты", "Просмотреть последний отчет")->trigger();
    const auto messages = dialogs.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.contains("report.txt"));
    EXPECT_EQ(program.Reports().Path(), folder.filePath("run7.txt"));
    EXPECT_EQ(program.Reports().Text(), QString::fromUtf8("СМО 1\n"));
}

TEST_F(SchemeEditorWindowTest, NetworkChartShowsTheStepsOfTheLastVariedRun) {
    program.Document().Plan().StepCount = 3;
    StepTotals& totals = program.Document().Totals();
    totals.Store(1, {1.5, 2.5, 3.5, 4.5});
    totals.Store(4, {9, 9, 9, 9});  // beyond the plan's steps
    MenuItem(editorWindow, "Отчеты", "Просмотреть диаграмму характеристик сети")->trigger();
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Kind, ScriptedDialogs::RequestKind::Modal);
    EXPECT_EQ(dialogs.Log()[0].Text, networkChartDialog.windowTitle());
    QList<double> values;
    for (int k = 1; k <= NetworkChartDialog::SeriesCount; ++k) {
        ASSERT_EQ(networkChartDialog.Series(k)->count(), 3) << k;
        values << networkChartDialog.Series(k)->at(0);
    }
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, QList<double>({1.5, 2.5, 3.5, 4.5}));
}

TEST_F(SchemeEditorWindowTest, QsChartAboutAndHelp) {
    TopButton("Показать диаграмму характеристик СМО")->trigger();  // disabled: does nothing
    MenuItem(editorWindow, "Отчеты", "Построить диаграмму характеристик отдельных СМО")->trigger();
    TopButton("о программе")->trigger();
    HelpWindow::Instance().SetFolder(QStringLiteral(QNETICA_SOURCE_DIR "/help"));
    TopButton("Справка")->trigger();
    const auto& log = dialogs.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Text, qsChartDialog.windowTitle());
    EXPECT_EQ(log[1].Text, program.About().windowTitle());
    EXPECT_TRUE(HelpWindow::Instance().isVisible());  // the program's own help window
    EXPECT_EQ(HelpWindow::Instance().CurrentPage(), HelpContentsPage());
    HelpWindow::Instance().hide();
}

TEST_F(SchemeEditorWindowTest, OpensMaximisedAndDrawsTheCurrentModel) {
    MakeTwoQsNetwork();
    editorWindow.show();
    EXPECT_TRUE(editorWindow.isMaximized());
    EXPECT_TRUE(editorWindow.CloseAppOnClose());
    EXPECT_TRUE(LinkShown());
    EXPECT_TRUE(SymbolShown(100, 100));
    EXPECT_TRUE(SymbolShown(20, 20));
    EXPECT_EQ(editorWindow.ImageArea()->widget(), editorWindow.Image());
    EXPECT_EQ(editorWindow.Image()->size(), QSize(1858, 1334));  // reachable whole by scrolling
}

TEST_F(SchemeEditorWindowTest, ReturnToTableErasesTheSchemeAndClosesTheEditorAlone) {
    MakeTwoQsNetwork();
    Model().SetModified(true);
    mainWindow.show();
    editorWindow.show();
    QSignalSpy gridRefresh(mainWindow.MatrixTable(), &TransferMatrixTableModel::dataChanged);
    TopButton("Редактор матрицы вероятностей передач")->trigger();
    EXPECT_FALSE(editorWindow.isVisible());
    EXPECT_FALSE(editorWindow.CloseAppOnClose());
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_TRUE(dialogs.Log().empty());  // no question
    EXPECT_TRUE(test::AllWhite(Image(), Image().rect()));
    EXPECT_EQ(gridRefresh.count(), 1);  // the grid shows what the tools wrote
}

TEST_F(SchemeEditorWindowTest, ShowingAgainDrawsTheModelAsTheTableLeftIt) {
    MakeTwoQsNetwork();
    editorWindow.show();
    MenuItem(editorWindow, "Редактировать", "Редактор матрицы вероятностей передач")->trigger();
    Model().Matrix().SetCell(1, 2, "");
    Model().Qs(2).PosY = 200;
    editorWindow.show();
    EXPECT_TRUE(editorWindow.CloseAppOnClose());
    EXPECT_FALSE(LinkShown());
    EXPECT_TRUE(SymbolShown(300, 200));
    EXPECT_FALSE(SymbolShown(300, 100));
}

// How the editor is closed, and the answer to the main window's question.
struct Closing {
    const char* Case;
    std::function<void(SchemeEditorWindow&)> Close;
    bool Modified;
    std::optional<MessageBoxAnswer> Answer;
    bool Saved;
};

void PrintTo(const Closing& closing, std::ostream* out) {
    *out << closing.Case;
}

class SchemeEditorWindowClosingTest : public SchemeEditorWindowTest,
                                      public ::testing::WithParamInterface<Closing> {};

TEST_P(SchemeEditorWindowClosingTest, EndsTheProgramAfterTheUnsavedChangesQuestion) {
    const Closing& closing = GetParam();
    MakeTwoQsNetwork();
    Model().SetModified(closing.Modified);
    if (closing.Answer) dialogs.QueueAnswer(*closing.Answer);
    const QString file = folder.filePath("kept.qnf");
    if (closing.Saved) dialogs.QueueFile(file);
    mainWindow.show();
    editorWindow.show();
    closing.Close(editorWindow);
    EXPECT_FALSE(editorWindow.isVisible());
    EXPECT_FALSE(mainWindow.isVisible());
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

const auto CloseBox = [](SchemeEditorWindow& form) { form.close(); };
const auto ExitButton = [](SchemeEditorWindow& form) {
    BarButton(form.TopBar(), "Выйти")->trigger();
};
const auto ExitItem = [](SchemeEditorWindow& form) { MenuItem(form, "Файл", "Выход")->trigger(); };

INSTANTIATE_TEST_SUITE_P(
    Ways, SchemeEditorWindowClosingTest,
    ::testing::Values(Closing{"CloseBoxUnchanged", CloseBox, false, std::nullopt, false},
                      Closing{"CloseBoxNo", CloseBox, true, MessageBoxAnswer::No, false},
                      Closing{"CloseBoxYes", CloseBox, true, MessageBoxAnswer::Yes, true},
                      Closing{"ExitButtonNo", ExitButton, true, MessageBoxAnswer::No, false},
                      Closing{"ExitItemYes", ExitItem, true, MessageBoxAnswer::Yes, true}),
    [](const auto& info) { return std::string(info.param.Case); });

TEST_F(SchemeEditorWindowTest, NewDrawsTheEmptyNetworkAndDropsAPickedNode) {
    MakeTwoQsNetwork();
    editorWindow.show();
    editorWindow.PressTool(EditorTool::LinkTool);
    editorWindow.ImageClicked({310, 110});
    ASSERT_TRUE(editorWindow.ToolState().NodePicked());
    TopButton("Новый")->trigger();
    EXPECT_EQ(Model().NodeCount(), 1);
    EXPECT_FALSE(editorWindow.ToolState().NodePicked());
    EXPECT_TRUE(editorWindow.ToolButton(EditorTool::LinkTool)->isChecked());
    EXPECT_FALSE(LinkShown());
    EXPECT_FALSE(SymbolShown(100, 100));
    EXPECT_TRUE(SymbolShown(20, 20));  // New keeps the positions
}

TEST_F(SchemeEditorWindowTest, OpenDrawsTheOpenedNetwork) {
    MakeTwoQsNetwork();
    const QString file = folder.filePath("two.qnf");
    dialogs.QueueFile(file);
    ASSERT_TRUE(mainWindow.SaveNetwork());
    Model().Qs(1).PosX = 500;
    editorWindow.show();
    dialogs.QueueFile(file);
    TopButton("Открыть")->trigger();
    EXPECT_EQ(Model().Qs(1).PosX, 100);
    EXPECT_TRUE(SymbolShown(100, 100));
    EXPECT_FALSE(SymbolShown(500, 100));
    EXPECT_TRUE(LinkShown());
}

TEST_F(SchemeEditorWindowTest, GenerationCancelledLeavesANewEmptyNetwork) {
    MakeTwoQsNetwork();
    editorWindow.show();
    TopButton("Автогенерация модели")->trigger();
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Text, generatorDialog.windowTitle());
    EXPECT_EQ(Model().NodeCount(), 1);
    EXPECT_FALSE(LinkShown());
    EXPECT_TRUE(SymbolShown(20, 20));
}

TEST_F(SchemeEditorWindowTest, GenerationFillsTheVisibleAreaAndRedrawsTheScheme) {
    editorWindow.show();
    dialogs.QueueWindowAction([](QWidget& window) {
        auto& generator = dynamic_cast<GeneratorDialog&>(window);
        generator.IntensityEdit()->setText("5");
        generator.ServiceTimeEdit()->setText("0.05");
        generator.QsCountEdit()->setText("3");
        generator.Generate();
    });
    MenuItem(editorWindow, "Сеть", "Автогенерация модели")->trigger();
    ASSERT_EQ(Model().NodeCount(), 8);
    const QSize area = editorWindow.VisibleImageArea();
    EXPECT_EQ(Model().SourcePosY(), area.height() / 2);
    for (int k = 1; k < Model().NodeCount(); ++k)
        EXPECT_TRUE(SymbolShown(Model().Qs(k).PosX, Model().Qs(k).PosY)) << k;
    EXPECT_GT(test::CountPixels(Image(), Image().rect(), test::Red), 100);
}

// Generates n = 2 QS that one channel cannot serve, then runs fixed calculations from the
// editor: the parameters dialog is confirmed at once, the results window closed at once.
class SchemeEditorWindowCalculationTest : public SchemeEditorWindowTest {
  protected:
    void GenerateOverloadedNetwork() {
        dialogs.QueueWindowAction([](QWidget& window) {
            auto& generator = dynamic_cast<GeneratorDialog&>(window);
            generator.IntensityEdit()->setText("100");
            generator.ServiceTimeEdit()->setText("1");
            generator.QsCountEdit()->setText("2");
            generator.Generate();
        });
        editorWindow.GenerateNetwork();
        ASSERT_EQ(Model().NodeCount(), 4);
        ASSERT_TRUE(Model().Generated());
    }
    // The message boxes of one fixed run started by "Рассчитать сеть".
    std::vector<ScriptedDialogs::Request> FixedRun() {
        dialogs.ClearLog();
        dialogs.QueueWindowAction([](QWidget& window) {
            ASSERT_TRUE(dynamic_cast<RunParametersDialog&>(window).Continue());
        });
        TopButton("Рассчитать сеть")->trigger();
        EXPECT_EQ(dialogs.PendingAnswers(), 0u);
        return dialogs.Messages();
    }
};

TEST_F(SchemeEditorWindowCalculationTest,
       GeneratedSuppressesTheOverloadBoxesOfTheNextFixedRunOnly) {
    editorWindow.show();
    GenerateOverloadedNetwork();
    EXPECT_TRUE(FixedRun().empty());
    EXPECT_FALSE(Model().Generated());
    const auto second = FixedRun();
    EXPECT_EQ(second.size(), 3u);  // one per QS now
    std::vector<QString> shown;
    for (const auto& request : dialogs.Log())
        if (request.Kind == ScriptedDialogs::RequestKind::Modal) shown.push_back(request.Text);
    EXPECT_EQ(shown, (std::vector<QString>{program.RunParameters().windowTitle(),
                                           program.Results().windowTitle()}));
}

TEST_F(SchemeEditorWindowCalculationTest, AVariedRunEnablesTheReportAndChartButtons) {
    editorWindow.show();
    GenerateOverloadedNetwork();
    dialogs.QueueWindowAction([](QWidget& window) {
        auto& parameters = dynamic_cast<RunParametersDialog&>(window);
        parameters.VariedRunButton()->setChecked(true);
        ASSERT_TRUE(parameters.Continue());
    });
    TopButton("Рассчитать сеть")->trigger();
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
    EXPECT_TRUE(editorWindow.ReportButton()->isEnabled());
    EXPECT_TRUE(editorWindow.NetworkChartButton()->isEnabled());
    EXPECT_TRUE(editorWindow.QsChartButton()->isEnabled());
}

TEST_F(SchemeEditorWindowCalculationTest, CalculateMenuItemAsksForTheRunParameters) {
    MenuItem(editorWindow, "Сеть", "Рассчитать")
        ->trigger();  // cancelled: the dialog closes at once
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Kind, ScriptedDialogs::RequestKind::Modal);
    EXPECT_EQ(dialogs.Log()[0].Text, program.RunParameters().windowTitle());
    EXPECT_FALSE(editorWindow.ReportButton()->isEnabled());
}

TEST_F(SchemeEditorWindowTest, ToolMenuItemsActLikeTheirButtons) {
    MakeTwoQsNetwork();
    editorWindow.show();
    MenuItem(editorWindow, "Редактировать", "Переместить СМО")->trigger();
    EXPECT_EQ(editorWindow.ToolState().ActiveTool(), EditorTool::MoveQsTool);
    EXPECT_TRUE(editorWindow.ToolButton(EditorTool::MoveQsTool)->isChecked());
    editorWindow.ToolButton(EditorTool::AddQsTool)->trigger();
    EXPECT_EQ(editorWindow.ToolState().ActiveTool(), EditorTool::AddQsTool);
    EXPECT_FALSE(editorWindow.ToolButton(EditorTool::MoveQsTool)->isChecked());
    EXPECT_TRUE(editorWindow.ToolButton(EditorTool::AddQsTool)->isChecked());
    MenuItem(editorWindow, "Редактировать", "Добавить СМО")->trigger();
    EXPECT_EQ(editorWindow.ToolState().ActiveTool(), EditorTool::None);
    EXPECT_FALSE(editorWindow.ToolButton(EditorTool::AddQsTool)->isChecked());
}

TEST_F(SchemeEditorWindowTest, AddToolGoesThroughTheMainWindowAndReleasesItsButton) {
    MakeTwoQsNetwork();
    editorWindow.show();
    editorWindow.ToolButton(EditorTool::AddQsTool)->trigger();
    editorWindow.ImageClicked({600, 400});
    EXPECT_EQ(mainWindow.NodeList()->count(), 4);
    EXPECT_EQ(Model().Qs(3).PosX, 600);
    EXPECT_TRUE(SymbolShown(600, 400));
    EXPECT_FALSE(editorWindow.ToolButton(EditorTool::AddQsTool)->isChecked());
    EXPECT_TRUE(Model().Modified());
}

TEST_F(SchemeEditorWindowTest, DoubleClicksOpenTheQsParametersAndTheInputRate) {
    MakeTwoQsNetwork();
    mainWindow.InputRateEdit()->setText("2.5");
    editorWindow.show();
    editorWindow.ImageDoubleClicked({310, 110});
    EXPECT_EQ(mainWindow.SelectedNode(), 2);
    dialogs.QueueWindowAction(
        [](QWidget& window) { dynamic_cast<ValueInputDialog&>(window).ValueEdit()->setText("4"); });
    editorWindow.ImageDoubleClicked({25, 25});
    const auto& log = dialogs.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Text, "S2");
    EXPECT_EQ(log[1].Text, "Интенсивность входящего потока");
    EXPECT_EQ(mainWindow.InputRateEdit()->text(), "4");
}

TEST_F(SchemeEditorWindowTest, DeleteQsAndRefreshButtons) {
    MakeTwoQsNetwork();
    editorWindow.show();
    dialogs.QueueAnswer(MessageBoxAnswer::Yes);
    BarButton(editorWindow.ToolsBar(), "Удалить СМО")->trigger();
    EXPECT_EQ(mainWindow.NodeList()->count(), 2);
    EXPECT_FALSE(SymbolShown(300, 100));
    EXPECT_FALSE(LinkShown());
    Model().Matrix().SetCell(1, 0, "1");
    Model().Matrix().SetCell(0, 1, "1");
    editorWindow.Surface().DrawScheme();
    Model().Matrix().SetCell(0, 1, "");
    MenuItem(editorWindow, "Редактировать", "Обновить экран")->trigger();
    SchemeSurface fresh(Model());
    fresh.DrawScheme();
    EXPECT_EQ(Image(), fresh.Image());
}

// A click and a double click on the image as the mouse gives them.
TEST_F(SchemeEditorWindowTest, ImageReportsClicksAndDoubleClicksInSurfaceCoordinates) {
    MakeTwoQsNetwork();
    editorWindow.show();
    editorWindow.ToolButton(EditorTool::AddQsTool)->trigger();
    // What a widget gets from a double click: press, release, press, double click, release.
    const QPoint point(200, 200);
    QTest::mouseClick(editorWindow.Image(), Qt::LeftButton, {}, point);
    QTest::mousePress(editorWindow.Image(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(editorWindow.Image(), Qt::LeftButton, {}, point);
    QTest::mouseRelease(editorWindow.Image(), Qt::LeftButton, {}, point);
    // The first click added S3 there, the double click then opened its parameters.
    EXPECT_EQ(Model().NodeCount(), 4);
    EXPECT_EQ(Model().Qs(3).PosX, 200);
    EXPECT_EQ(Model().Qs(3).PosY, 200);
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Text, "S3");
}

TEST_F(SchemeEditorWindowTest, APickedSymbolFollowsThePointerOverTheImage) {
    MakeTwoQsNetwork();
    editorWindow.show();
    editorWindow.ToolButton(EditorTool::MoveQsTool)->trigger();
    QTest::mouseClick(editorWindow.Image(), Qt::LeftButton, {}, QPoint(310, 110));
    const QPoint to(400, 250);
    QMouseEvent motion(QEvent::MouseMove, to, editorWindow.Image()->mapToGlobal(to), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(editorWindow.Image(), &motion);
    EXPECT_EQ(Model().Qs(2).PosX, 400);
    EXPECT_EQ(Model().Qs(2).PosY, 250);
    EXPECT_TRUE(SymbolShown(400, 250));
    EXPECT_TRUE(editorWindow.ToolButton(EditorTool::MoveQsTool)->isChecked());
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

class SchemeEditorWindowExportTest : public SchemeEditorWindowTest,
                                     public ::testing::WithParamInterface<ImageExport> {};

TEST_P(SchemeEditorWindowExportTest, WritesTheWholeSurfaceInTheChosenType) {
    const ImageExport& exported = GetParam();
    MakeTwoQsNetwork();
    editorWindow.show();
    dialogs.QueueFile(folder.filePath(exported.Name), exported.TypeIndex);
    TopButton("Сохранить изображение схемы")->trigger();
    const auto& log = dialogs.Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Kind, ScriptedDialogs::RequestKind::SaveFile);
    EXPECT_EQ(log[0].Text, "Сохранить диаграмму");
    EXPECT_EQ(log[0].File.Folder, QDir::currentPath());
    ASSERT_EQ(log[0].File.Types.size(), 3);
    EXPECT_EQ(log[0].File.Types[0].Description, "Битовый массив (bmp)");
    EXPECT_EQ(log[0].File.Types[1].Description, "Векторная графика (SVG)");
    EXPECT_EQ(log[0].File.Types[1].Pattern, "*.svg");
    EXPECT_EQ(log[0].File.Types[2].Pattern, "*.png");
    const QString written = folder.filePath(exported.Written);
    EXPECT_EQ(QImageReader(written).format(), exported.Format);
    if (QByteArray(exported.Format) != "svg") {
        EXPECT_EQ(QImage(written).convertToFormat(QImage::Format_RGB32), Image());
    } else {
        EXPECT_TRUE(QSvgRenderer(written).isValid());
    }
}

INSTANTIATE_TEST_SUITE_P(Types, SchemeEditorWindowExportTest,
                         ::testing::Values(ImageExport{"Bitmap", "a.bmp", 1, "a.bmp", "bmp"},
                                           ImageExport{"BitmapNamedWmf", "b.wmf", 1, "b.wmf.bmp",
                                                       "bmp"},
                                           ImageExport{"Png", "p", 3, "p.png", "png"},
                                           ImageExport{"BitmapNoExtension", "c", 1, "c.bmp", "bmp"},
                                           ImageExport{"Vector", "d", 2, "d.svg", "svg"}),
                         [](const auto& info) { return std::string(info.param.Case); });

TEST_F(SchemeEditorWindowTest, CancelledExportWritesNothing) {
    dialogs.QueueFileCancel();
    MenuItem(editorWindow, "Файл", "Сохранить изображение стохастической сети")->trigger();
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(SchemeEditorWindowTest, ExportThatCannotBeWrittenIsReported) {
    dialogs.QueueFile("/nonexistent-folder/scheme.bmp");
    TopButton("Сохранить изображение схемы")->trigger();
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].BoxKind, MessageBoxKind::Error);
}

}  // namespace
}  // namespace qnetica
