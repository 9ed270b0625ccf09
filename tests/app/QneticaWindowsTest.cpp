#include "app/QneticaWindows.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace qnetica
