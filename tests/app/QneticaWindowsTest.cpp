#include "app/QneticaWindows.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWidget>

#include "charts/TForm10.h"
#include "charts/TForm9.h"
#include "editor/TForm11.h"
#include "editor/TForm5.h"
#include "ui/ScriptedDialogs.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"
#include "ui/TForm3.h"
#include "ui/TForm4.h"
#include "ui/TForm6.h"
#include "ui/TForm7.h"
#include "ui/TForm8.h"

namespace qnetica {
namespace {

TEST(QneticaWindowsTest, CreatesTheElevenWindowsWithTheirCaptions) {
    ScriptedDialogs dialogs;
    QneticaWindows program(dialogs);
    const ProgramWindows& w = program.Windows();
    const std::vector<std::pair<QWidget*, QString>> expected = {
        {w.Form1, "Qnetica"},
        {w.Form2, ""},  // the opener sets "S" + the node's number
        {w.Form3, "Результат"},
        {w.Form4, "о программе"},
        {w.Form5, "Qnetica (визуальный редактор)"},
        {w.Form6, ""},  // the caller sets the prompt
        {w.Form7, "Параметры расчета сети"},
        {w.Form8, "Подождите идет расчет..."},
        {w.Form9, "Диаграмма"},
        {w.Form10, "Диаграмма по характеристикам отдельных СМО"},
        {w.Form11, "Автоматическая генерация модели"},
    };
    for (const auto& [window, caption] : expected) {
        ASSERT_NE(window, nullptr) << caption.toStdString();
        EXPECT_EQ(window->windowTitle(), caption);
        EXPECT_TRUE(window->isWindow()) << caption.toStdString();
        EXPECT_FALSE(window->isVisible()) << caption.toStdString();
    }
    EXPECT_EQ(&program.MainWindow(), w.Form1);
}

TEST(QneticaWindowsTest, MainWindowCommandsReachTheOtherWindows) {
    ScriptedDialogs dialogs;
    QneticaWindows program(dialogs);
    TForm1& main = program.MainWindow();
    main.AddQs();
    main.SelectNode(1);
    main.EditQsParameters();
    main.ShowAbout();
    main.ShowVisualEditor();
    QStringList shown;
    for (const auto& request : dialogs.Log()) shown << request.Text;
    EXPECT_EQ(shown, QStringList({"S1", "о программе", "Qnetica (визуальный редактор)"}));
}

// The editor starts the calculation of the main window and afterwards shows what that run left:
// its report file and its totals.
TEST(QneticaWindowsTest, VariedRunFromTheEditorFeedsItsReportCommand) {
    ScriptedDialogs dialogs;
    QneticaWindows program(dialogs);
    TForm1& main = program.MainWindow();
    TForm5& editor = *program.Windows().Form5;
    main.AddQs();
    main.Model().Qs(1).ServiceTime = 0.5;
    main.Model().Matrix().SetCell(0, 1, "1");
    main.Model().Matrix().SetCell(1, 0, "1");
    main.InputRateEdit()->setText("1");
    QTemporaryDir folder;
    const QString report = folder.filePath("editor-run.txt");
    dialogs.QueueWindowAction([&](QWidget& window) {
        auto* dialog = qobject_cast<TForm7*>(&window);
        ASSERT_NE(dialog, nullptr);
        dialog->RadioButton2()->setChecked(true);
        dialog->Edit(7)->setText("4");
        dialogs.QueueFile(report);
        dialog->ReportFileClick();
        EXPECT_TRUE(dialog->ContinueClick());
    });
    editor.CalculateNetwork();
    ASSERT_EQ(dialogs.Messages().size(), 1u);  // "report saved"
    EXPECT_EQ(main.Plan().StepCount, 4);
    dialogs.ClearLog();
    editor.ShowReport();
    editor.ShowNetworkChart();
    ASSERT_EQ(dialogs.Log().size(), 2u);
    EXPECT_EQ(dialogs.Log()[0].Kind, ScriptedDialogs::RequestKind::Document);
    EXPECT_EQ(dialogs.Log()[0].Text, report);
    EXPECT_EQ(dialogs.Log()[1].Text, "Диаграмма");
}

}  // namespace
}  // namespace qnetica
