#include "app/ProgramWindows.h"

#include <gtest/gtest.h>

#include <QBarSet>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QWidget>

#include "charts/NetworkChartDialog.h"
#include "charts/QsChartDialog.h"
#include "editor/GeneratorDialog.h"
#include "editor/SchemeEditorWindow.h"
#include "support/ScriptedDialogs.h"
#include "ui/AboutDialog.h"
#include "ui/MainWindow.h"
#include "ui/ProgressWindow.h"
#include "ui/QsParametersDialog.h"
#include "ui/ResultsDialog.h"
#include "ui/RunParametersDialog.h"
#include "ui/TransferMatrixTableModel.h"
#include "ui/ValueInputDialog.h"
#include "widgets/ReportViewer.h"

namespace qnetica {
namespace {

TEST(ProgramWindowsTest, CreatesTheElevenWindowsWithTheirCaptions) {
    ScriptedDialogs dialogs;
    ProgramWindows program(dialogs);
    const std::vector<std::pair<QWidget*, QString>> expected = {
        {&program.Main(), "Без имени — Qnetica"},
        {&program.QsParameters(), ""},  // the opener sets "S" + the node's number
        {&program.Results(), "Результат"},
        {&program.About(), "о программе"},
        {&program.Editor(), "Без имени — Qnetica (визуальный редактор)"},
        {&program.ValueInput(), ""},  // the caller sets the prompt
        {&program.RunParameters(), "Параметры расчета сети"},
        {&program.Progress(), "Подождите идет расчет..."},
        {&program.NetworkChart(), "Диаграмма"},
        {&program.QsChart(), "Диаграмма по характеристикам отдельных СМО"},
        {&program.Generator(), "Автоматическая генерация модели"},
    };
    for (const auto& [window, caption] : expected) {
        ASSERT_NE(window, nullptr) << caption.toStdString();
        EXPECT_EQ(window->windowTitle(), caption);
        EXPECT_TRUE(window->isWindow()) << caption.toStdString();
        EXPECT_FALSE(window->isVisible()) << caption.toStdString();
    }
    EXPECT_EQ(&program.Main(), &program.Main());
}

TEST(ProgramWindowsTest, MainWindowCommandsReachTheOtherWindows) {
    ScriptedDialogs dialogs;
    ProgramWindows program(dialogs);
    MainWindow& main = program.Main();
    main.AddQs();
    main.SelectNode(1);
    main.EditQsParameters();
    main.ShowAbout();
    main.ShowVisualEditor();
    QStringList shown;
    for (const auto& request : dialogs.Log()) shown << request.Text;
    EXPECT_EQ(shown,
              QStringList({"S1", "о программе", "Без имени* — Qnetica (визуальный редактор)"}));
}

// The editor starts the calculation of the main window and afterwards shows what that run left:
// its report file and its totals.
TEST(ProgramWindowsTest, VariedRunFromTheEditorFeedsItsReportCommand) {
    ScriptedDialogs dialogs;
    ProgramWindows program(dialogs);
    MainWindow& main = program.Main();
    SchemeEditorWindow& editor = program.Editor();
    main.AddQs();
    main.Document().Model().Qs(1).ServiceTime = 0.5;
    main.Document().Model().Matrix().SetCell(0, 1, "1");
    main.Document().Model().Matrix().SetCell(1, 0, "1");
    main.InputRateEdit()->setText("1");
    QTemporaryDir folder;
    const QString report = folder.filePath("editor-run.txt");
    dialogs.QueueWindowAction([&](QWidget& window) {
        auto* dialog = qobject_cast<RunParametersDialog*>(&window);
        ASSERT_NE(dialog, nullptr);
        dialog->VariedRunButton()->setChecked(true);
        dialog->StepCountField()->setText("4");
        dialogs.QueueFile(report);
        dialog->ChooseReportFile();
        EXPECT_TRUE(dialog->Continue());
    });
    editor.CalculateNetwork();
    ASSERT_EQ(dialogs.Messages().size(), 1u);  // "report saved"
    EXPECT_EQ(main.Document().Plan().StepCount, 4);
    dialogs.ClearLog();
    editor.ShowReport();
    editor.ShowNetworkChart();
    EXPECT_EQ(program.Reports().Path(), report);
    EXPECT_TRUE(program.Reports().isVisible());
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Text, "Диаграмма");
}

// Two programs in one folder, each with its own varied run: the per-QS chart of each reads the
// step records of its own run (the input rates 1..2 against 3..4 of one QS with service time 0.1),
// however the runs and the charts interleave.
TEST(ProgramWindowsTest, TwoProgramsInOneFolderChartTheirOwnRuns) {
    struct Program {
        ScriptedDialogs dialogs;
        ProgramWindows windows{dialogs};
        void Run(const QString& from, const QString& to) {
            NetworkModel& model = windows.Document().Model();
            windows.Main().AddQs();
            model.Qs(1).ServiceTime = 0.1;
            model.Matrix().SetCell(0, 1, "1");
            model.Matrix().SetCell(1, 0, "1");
            dialogs.QueueWindowAction([from, to](QWidget& window) {
                auto& dialog = static_cast<RunParametersDialog&>(window);
                dialog.VariedRunButton()->setChecked(true);
                dialog.VaryInputRateBox()->setChecked(true);
                dialog.InputRateFromField()->setText(from);
                dialog.InputRateToField()->setText(to);
                dialog.StepCountField()->setText("2");
                dialog.Continue();
            });
            windows.Main().Calculate();
        }
        std::vector<double> ChartedArrivalRates() {
            QsChartDialog& chart = windows.QsChart();
            chart.CharacteristicList()->setCurrentIndex(1);  // the arrival rate
            chart.BuildQsChart();
            std::vector<double> rates;
            for (int i = 0; i < chart.ValueBars()->count(); ++i)
                rates.push_back(chart.ValueBars()->at(i));
            return rates;
        }
    };
    Program first, second;
    first.Run("1", "2");
    second.Run("3", "4");
    EXPECT_EQ(first.ChartedArrivalRates(), (std::vector<double>{1, 2}));
    first.Run("1", "2");  // the first runs again while the second's records wait
    EXPECT_EQ(second.ChartedArrivalRates(), (std::vector<double>{3, 4}));
    EXPECT_TRUE(first.dialogs.Unanswered().empty());
    EXPECT_TRUE(second.dialogs.Unanswered().empty());
}

// The Edit menu names the change it undoes; undoing back to the saved network clears the mark of
// a changed network, and moving away from it again sets it.
TEST(ProgramWindowsTest, UndoBackToTheSavedNetworkClearsTheChangeMark) {
    ScriptedDialogs dialogs;
    ProgramWindows program(dialogs);
    MainWindow& main = program.Main();
    NetworkModel& model = program.Document().Model();
    QTemporaryDir folder;
    main.AddQs();
    dialogs.QueueFile(folder.filePath("saved.qnf"));
    ASSERT_TRUE(main.SaveNetwork());
    main.AddQs();
    main.MatrixTable()->setData(main.MatrixTable()->index(0, 2), "1", Qt::EditRole);
    QUndoStack& stack = program.History().Stack();
    EXPECT_EQ(stack.undoText(), "изменение вероятности передачи");
    EXPECT_TRUE(model.Modified());
    program.History().Undo();
    EXPECT_EQ(stack.undoText(), "добавление СМО");
    program.History().Undo();
    EXPECT_EQ(model.QsCount(), 1);
    EXPECT_FALSE(model.Modified());
    program.History().Redo();
    EXPECT_TRUE(model.Modified());
    EXPECT_EQ(model.QsCount(), 2);
    EXPECT_EQ(model.Matrix().Cell(0, 2), "");
    program.History().Redo();
    EXPECT_EQ(model.Matrix().Cell(0, 2), "1");
    EXPECT_EQ(main.MatrixTable()->index(0, 2).data().toString(), "1");  // the grid follows
}

}  // namespace
}  // namespace qnetica
