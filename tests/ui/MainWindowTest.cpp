#include "ui/MainWindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <ostream>

#include "app/ProgramWindows.h"
#include "editor/SchemeEditorWindow.h"
#include "model/NumberText.h"
#include "support/ScriptedDialogs.h"
#include "ui/AboutDialog.h"
#include "ui/QsParametersDialog.h"
#include "ui/TransferMatrixTableModel.h"
#include "widgets/HelpTopics.h"
#include "widgets/HelpWindow.h"

namespace qnetica {
namespace {

const QString Question = QString::fromUtf8("Схема была изменена.\n\rСохранить изменения?");

class MainWindowTest : public ::testing::Test {
  protected:
    NetworkModel& Model() { return form.Document().Model(); }
    QString Path(const QString& name) const { return folder.filePath(name); }

    // A network that differs from an empty one in every part that New clears.
    void MakeChangedNetwork() {
        form.AddQs();
        form.AddQs();
        Model().Matrix().SetCell(0, 1, "1");
        form.InputRateEdit()->setText("2.5");
        ASSERT_TRUE(Model().Modified());
    }
    void ExpectChangedNetworkKept() {
        EXPECT_EQ(Model().NodeCount(), 3);
        EXPECT_EQ(Model().Matrix().Cell(0, 1), "1");
        EXPECT_EQ(form.InputRateEdit()->text(), "2.5");
        EXPECT_TRUE(Model().Modified());
    }
    void ExpectEmptyNetwork() {
        EXPECT_EQ(Model().NodeCount(), 1);
        EXPECT_EQ(form.NodeList()->count(), 1);
        EXPECT_EQ(form.NodeList()->item(0)->text(), "S0");
        EXPECT_TRUE(Model().Matrix().Cell(0, 1).empty());
        EXPECT_EQ(form.InputRateEdit()->text(), "");
        EXPECT_FALSE(Model().Modified());
    }
    std::vector<QString> NodeListTexts() const {
        std::vector<QString> texts;
        for (int row = 0; row < form.NodeList()->count(); ++row)
            texts.push_back(form.NodeList()->item(row)->text());
        return texts;
    }
    QModelIndex GridIndex(int from, int to) const { return form.MatrixTable()->index(from, to); }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    // The main window among the others, as the program wires them at start.
    ProgramWindows program{dialogs};
    MainWindow& form = program.Main();
};

TEST_F(MainWindowTest, ShowsTheControlsWithTheirCaptions) {
    EXPECT_EQ(form.windowTitle(), "Без имени — Qnetica");
    EXPECT_EQ(form.size(), QSize(748, 568));
    EXPECT_EQ(form.minimumSize(), QSize(600, 200));

    QStringList groups;
    for (const QGroupBox* group : form.centralWidget()->findChildren<QGroupBox*>())
        groups << group->title();
    EXPECT_EQ(groups, QStringList({"СМО в системе", "Матрица вероятностей передач"}));

    QStringList buttons;
    for (const QPushButton* button : form.centralWidget()->findChildren<QPushButton*>())
        buttons << button->text();
    EXPECT_EQ(buttons, QStringList({"+", "-", "Параметры СМО", "<< Выход", "Редактор",
                                    "Случайно заполнить", "Рассчитать >>"}));
    EXPECT_EQ(NodeListTexts(), std::vector<QString>{"S0"});
}

TEST_F(MainWindowTest, MenusHoldTheirItemsInOrder) {
    QStringList menus;
    for (QAction* menu : form.menuBar()->actions()) {
        QString entry = QString(menu->text()).remove('&') + ":";
        for (QAction* item : menu->menu()->actions())
            entry += item->isSeparator() ? QString(" |") : " " + QString(item->text()).remove('&');
        menus << entry;
    }
    EXPECT_EQ(
        menus,
        QStringList(
            {"Файл: Новый | Открыть Сохранить Сохранить как... | Примеры Последние файлы | Выход",
             "Редактировать: Отменить Повторить | Визуальный редактор", "Сеть: Рассчитать",
             "Справка: Справка о программе"}));
}

// Enabled from the start: the table editor calculates too.
TEST_F(MainWindowTest, CalculateControlsStartEnabled) {
    EXPECT_TRUE(form.CalculateButton()->isEnabled());
    EXPECT_TRUE(form.CalculateToolButton()->isEnabled());
    EXPECT_TRUE(form.CalculateMenuItem()->isEnabled());
    form.SetCalculateEnabled(false);
    EXPECT_FALSE(form.CalculateButton()->isEnabled());
    EXPECT_FALSE(form.CalculateToolButton()->isEnabled());
    EXPECT_FALSE(form.CalculateMenuItem()->isEnabled());
}

TEST_F(MainWindowTest, GridShowsTheWholeMatrixWithNodeHeaders) {
    const auto* table = form.MatrixTable();
    EXPECT_EQ(table->rowCount(), 151);
    EXPECT_EQ(table->columnCount(), 151);
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        EXPECT_EQ(table->headerData(0, orientation, Qt::DisplayRole).toString(), "S0");
        EXPECT_EQ(table->headerData(150, orientation, Qt::DisplayRole).toString(), "S150");
    }
    // Wide enough for the ten decimals of the random fill and the editor, without widening.
    const QFontMetrics metrics = form.MatrixView()->fontMetrics();
    EXPECT_GT(form.MatrixView()->horizontalHeader()->defaultSectionSize(),
              metrics.horizontalAdvance("0.3333333333") + 4);
    EXPECT_LT(form.MatrixView()->horizontalHeader()->defaultSectionSize(),
              metrics.horizontalAdvance("0.3333333333") * 3 / 2);
}

TEST_F(MainWindowTest, TypingIntoAGridCellMarksTheNetworkModified) {
    form.show();
    form.MatrixView()->setFocus();
    form.MatrixView()->setCurrentIndex(GridIndex(1, 2));
    ASSERT_FALSE(Model().Modified());
    QTest::keyClick(form.MatrixView(), Qt::Key_5);
    EXPECT_TRUE(Model().Modified());
    auto* editor = form.MatrixView()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "5");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the delegate commits through a queued call
    EXPECT_EQ(Model().Matrix().Cell(1, 2), "5");
}

TEST_F(MainWindowTest, StartingToEditACellMarksModifiedEvenWithoutAChange) {
    Model().Matrix().SetCell(1, 1, "0.5");
    form.show();
    form.MatrixView()->edit(GridIndex(1, 1));
    EXPECT_TRUE(Model().Modified());
    auto* editor = form.MatrixView()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(Model().Matrix().Cell(1, 1), "0.5");
    EXPECT_TRUE(Model().Modified());
}

TEST_F(MainWindowTest, InputRateFieldFollowsAndFeedsTheModel) {
    form.InputRateEdit()->setText("3.5");
    EXPECT_EQ(Model().InputRateText(), "3.5");
    EXPECT_TRUE(Model().Modified());
    Model().SetInputRateText("7");
    EXPECT_EQ(form.InputRateEdit()->text(), "7");
}

TEST_F(MainWindowTest, NewOnAnUnchangedNetworkAsksNothingAndEmptiesIt) {
    form.AddQs();
    Model().Matrix().SetCell(0, 1, "1");
    Model().SetModified(false);
    EXPECT_TRUE(form.NewNetwork());
    EXPECT_TRUE(dialogs.Log().empty());
    ExpectEmptyNetwork();
    EXPECT_TRUE(GridIndex(0, 1).data().toString().isEmpty());
}

// New, Open and Exit on a changed network: what each answer to the question leads to.
struct ChangedNetworkCase {
    const char* name;
    MessageBoxAnswer answer;
    enum { NoSave, SaveToFile, CancelSave, FailSave } save;
    bool goesOn;  // the network is cleared (New), replaced (Open) or the window closes (Exit)
};

void PrintTo(const ChangedNetworkCase& c, std::ostream* out) {
    *out << c.name;
}

const ChangedNetworkCase ChangedNetworkCases[] = {
    {"YesWithSavedFile", MessageBoxAnswer::Yes, ChangedNetworkCase::SaveToFile, true},
    {"YesWithCancelledSave", MessageBoxAnswer::Yes, ChangedNetworkCase::CancelSave, false},
    {"YesWithFailedSave", MessageBoxAnswer::Yes, ChangedNetworkCase::FailSave, false},
    {"No", MessageBoxAnswer::No, ChangedNetworkCase::NoSave, true},
    {"Cancel", MessageBoxAnswer::Cancel, ChangedNetworkCase::NoSave, false},
};

class ChangedNetworkTest : public MainWindowTest,
                           public ::testing::WithParamInterface<ChangedNetworkCase> {
  protected:
    void ScriptAnswers() {
        const ChangedNetworkCase& c = GetParam();
        dialogs.QueueAnswer(c.answer);
        if (c.save == ChangedNetworkCase::SaveToFile) dialogs.QueueFile(Path("saved.qnf"));
        if (c.save == ChangedNetworkCase::CancelSave) dialogs.QueueFileCancel();
        if (c.save == ChangedNetworkCase::FailSave) dialogs.QueueFile(Path("missing/saved.qnf"));
    }
    void ExpectDialogsAsScripted() {
        const ChangedNetworkCase& c = GetParam();
        const auto messages = dialogs.Messages();
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages[0].Text, Question);
        EXPECT_EQ(messages[0].BoxKind, MessageBoxKind::Warning);
        EXPECT_EQ(messages[0].Buttons, MessageBoxButtons::YesNoCancel);
        const bool failed = c.save == ChangedNetworkCase::FailSave;
        EXPECT_EQ(messages.size(), failed ? 2u : 1u);
        if (failed) {
            EXPECT_EQ(messages[1].BoxKind, MessageBoxKind::Error);
        }
        EXPECT_EQ(QFile::exists(Path("saved.qnf")), c.save == ChangedNetworkCase::SaveToFile);
        EXPECT_TRUE(dialogs.Unanswered().empty());
        EXPECT_EQ(dialogs.PendingAnswers(), 0u);
    }
};

TEST_P(ChangedNetworkTest, New) {
    MakeChangedNetwork();
    ScriptAnswers();
    EXPECT_EQ(form.NewNetwork(), GetParam().goesOn);
    ExpectDialogsAsScripted();
    if (GetParam().goesOn)
        ExpectEmptyNetwork();
    else
        ExpectChangedNetworkKept();
}

// Open asks too before it throws a changed network away; going on, it opens the file chosen.
TEST_P(ChangedNetworkTest, Open) {
    ProgramWindows other(dialogs);
    other.Main().AddQs();
    dialogs.QueueFile(Path("other.qnf"));
    ASSERT_TRUE(other.Main().SaveNetwork());
    dialogs.ClearLog();
    MakeChangedNetwork();
    ScriptAnswers();
    if (GetParam().goesOn) dialogs.QueueFile(Path("other.qnf"));
    EXPECT_EQ(form.OpenNetwork(), GetParam().goesOn);
    ExpectDialogsAsScripted();
    if (GetParam().goesOn)
        EXPECT_EQ(Model().NodeCount(), 2);  // the other network
    else
        ExpectChangedNetworkKept();
}

TEST_P(ChangedNetworkTest, Exit) {
    form.show();
    MakeChangedNetwork();
    ScriptAnswers();
    EXPECT_EQ(form.ExitProgram(), GetParam().goesOn);
    EXPECT_EQ(form.isVisible(), !GetParam().goesOn);
    ExpectDialogsAsScripted();
}

INSTANTIATE_TEST_SUITE_P(Answers, ChangedNetworkTest, ::testing::ValuesIn(ChangedNetworkCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, ExitOnAnUnchangedNetworkClosesWithoutAsking) {
    form.show();
    EXPECT_TRUE(form.ExitProgram());
    EXPECT_TRUE(dialogs.Log().empty());
}

// The window's runs keep their records in a folder of their own, which lives as long as the
// program; a "qnrep.tmp" of the current folder is another program's.
TEST_F(MainWindowTest, ProgramEndRemovesItsWorkFolderAndNothingElse) {
    QFile other(QDir::current().filePath("qnrep.tmp"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    QString folder;
    {
        ScriptedDialogs ownDialogs;
        ProgramWindows ownProgram(ownDialogs);
        WorkFolder& work = ownProgram.Document().Work();
        ASSERT_TRUE(work.Prepare().Ok);
        folder = QString::fromStdString(work.Path());
        ownProgram.Main().ExitProgram();
        EXPECT_TRUE(QDir(folder).exists());
    }
    EXPECT_FALSE(QDir(folder).exists());
    EXPECT_TRUE(other.exists());
}

// "Сохранить" asks only for a network without a file; both dialogs start in the folder used last,
// the user's home at first, and a later program starts there too.
TEST_F(MainWindowTest, FileDialogsAskForNetworkFilesAndStartInTheFolderUsedLast) {
    dialogs.QueueFile(Path("first.qnf"));
    dialogs.QueueFileCancel();
    dialogs.QueueFileCancel();
    ASSERT_TRUE(form.SaveNetwork());
    ASSERT_TRUE(form.SaveNetwork());  // into its file, without a dialog
    form.SaveNetworkAs();
    form.OpenNetwork();

    const auto& log = dialogs.Log();
    ASSERT_EQ(log.size(), 3u);
    const FileDialogRequest& first = log[0].File;
    EXPECT_EQ(log[0].Kind, ScriptedDialogs::RequestKind::SaveFile);
    EXPECT_EQ(first.Title, "Сохранить файл");
    EXPECT_EQ(QtFileFilter(first.Types), "Стохастическая сеть (*.qnf);;Сеть в JSON (*.json)");
    EXPECT_EQ(first.FileName, "*.qnf");
    EXPECT_EQ(first.Folder, QDir::homePath());
    EXPECT_EQ(log[1].File.FileName, Path("first.qnf"));  // the save dialog remembers
    EXPECT_EQ(log[2].Kind, ScriptedDialogs::RequestKind::OpenFile);
    EXPECT_EQ(log[2].File.Title, "Открыть файл");
    EXPECT_EQ(log[2].File.FileName, "*.qnf");  // the open dialog has its own memory
    EXPECT_EQ(log[2].File.Folder, folder.path());

    ScriptedDialogs laterDialogs;
    ProgramWindows later(laterDialogs);
    laterDialogs.QueueFileCancel();
    later.Main().OpenNetwork();
    ASSERT_EQ(laterDialogs.Log().size(), 1u);
    EXPECT_EQ(laterDialogs.Log()[0].File.Folder, folder.path());
}

TEST_F(MainWindowTest, SavedNetworkOpensAgainIntoTheWindow) {
    form.AddQs();
    form.AddQs();
    Model().Matrix().SetCell(0, 2, "1");
    form.InputRateEdit()->setText("5");
    Model().SetInputRate(5);
    dialogs.QueueFile(Path("net.qnf"));
    ASSERT_TRUE(form.SaveNetwork());
    EXPECT_FALSE(Model().Modified());
    form.NewNetwork();

    dialogs.QueueFile(Path("net.qnf"));
    ASSERT_TRUE(form.OpenNetwork());
    EXPECT_EQ(NodeListTexts(), (std::vector<QString>{"S0", "S1", "S2"}));
    EXPECT_EQ(form.InputRateEdit()->text(), "5.0000000000");
    EXPECT_EQ(GridIndex(0, 2).data().toString(), "1");
    EXPECT_FALSE(Model().Modified());
}

TEST_F(MainWindowTest, RefusedFileShowsTheCoreMessageAndKeepsTheNetwork) {
    MakeChangedNetwork();
    QFile shortFile(Path("short.qnf"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write("too short");
    shortFile.close();
    dialogs.QueueAnswer(MessageBoxAnswer::No);  // "save changes?": no, and open the file
    dialogs.QueueFile(Path("short.qnf"));
    dialogs.QueueAnswer(MessageBoxAnswer::No);
    dialogs.QueueFile(Path("absent.qnf"));

    EXPECT_FALSE(form.OpenNetwork());
    EXPECT_FALSE(form.OpenNetwork());
    auto messages = dialogs.Messages();
    std::erase_if(messages, [](const auto& m) { return m.BoxKind == MessageBoxKind::Warning; });
    ASSERT_EQ(messages.size(), 2u);
    for (const auto& message : messages) {
        EXPECT_EQ(message.BoxKind, MessageBoxKind::Error);
        EXPECT_FALSE(message.Text.isEmpty());
    }
    EXPECT_TRUE(messages[0].Text.contains("short.qnf"));
    EXPECT_TRUE(messages[1].Text.contains("absent.qnf"));
    ExpectChangedNetworkKept();
}

TEST_F(MainWindowTest, AddAddRemoveLeavesTheSecondNodeEmpty) {
    form.AddQs();
    form.AddQs();
    for (int other = 0; other <= 2; ++other) {
        Model().Matrix().SetCell(2, other, "0.1");
        Model().Matrix().SetCell(other, 2, "0.1");
    }
    Model().Qs(2).ServiceTime = 4;
    Model().Qs(2).Channels = 3;
    Model().Qs(2).Name = "Касса";
    form.SelectNode(1);

    EXPECT_TRUE(form.RemoveQs());
    EXPECT_EQ(NodeListTexts(), (std::vector<QString>{"S0", "S1"}));
    for (int other = 0; other <= 2; ++other) {
        EXPECT_EQ(GridIndex(2, other).data().toString(), "");
        EXPECT_EQ(GridIndex(other, 2).data().toString(), "");
    }
    EXPECT_EQ(Model().Qs(2).ServiceTime, 0);
    EXPECT_EQ(Model().Qs(2).Channels, 1);
    EXPECT_EQ(Model().Qs(2).Name, "");
    EXPECT_EQ(form.SelectedNode(), 1);  // removing the last node keeps the selection
}

TEST_F(MainWindowTest, AddingThe151stQsIsRefused) {
    for (int k = 1; k <= 150; ++k) ASSERT_TRUE(form.AddQs());
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_FALSE(form.AddQs());
    EXPECT_EQ(Model().NodeCount(), 151);
    EXPECT_EQ(form.NodeList()->count(), 151);
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Text, "Сеть может содержать не более 150 СМО.");
    EXPECT_EQ(dialogs.Log()[0].BoxKind, MessageBoxKind::Plain);
}

TEST_F(MainWindowTest, FirstRandomFillSetsTheInputRateToOne) {
    form.RandomFillNetwork();
    EXPECT_EQ(form.InputRateEdit()->text(), "1.0000000000");
    EXPECT_EQ(Model().InputRate(), 1);
    EXPECT_TRUE(Model().Modified());
    EXPECT_EQ(GridIndex(0, 0).data().toString(), "1.0000000000");
}

TEST_F(MainWindowTest, RandomFillWithThreeNodesMakesEveryRowSumToOne) {
    form.AddQs();
    form.AddQs();
    form.RandomFillNetwork();
    for (int from = 0; from <= 2; ++from) {
        double sum = 0;
        for (int to = 0; to <= 2; ++to)
            sum += ParseNumber(GridIndex(from, to).data().toString().toStdString());
        EXPECT_NEAR(sum, 1.0, 1e-9) << "row S" << from;
        EXPECT_TRUE(Model().Matrix().Cell(from, 3).empty());
    }
    for (int k = 1; k <= 3; ++k) {
        EXPECT_GE(Model().Qs(k).PosX, 0);
        EXPECT_LT(Model().Qs(k).PosX, SchemeAreaWidth);
        EXPECT_LT(Model().Qs(k).PosY, SchemeAreaHeight);
    }
}

TEST_F(MainWindowTest, QsParametersCommandEditsTheSelectedNode) {
    form.AddQs();
    form.AddQs();
    Model().SetModified(false);
    form.SelectNode(2);
    QString caption;
    dialogs.QueueWindowAction([&](QWidget& window) {
        caption = window.windowTitle();
        auto& dialog = dynamic_cast<QsParametersDialog&>(window);
        dialog.ChannelsEdit()->setText("4");
        dialog.NameEdit()->setText("Склад");
        EXPECT_TRUE(dialog.Confirm());
    });
    form.EditQsParameters();
    EXPECT_EQ(caption, "S2");
    EXPECT_EQ(Model().Qs(2).Channels, 4);
    EXPECT_EQ(Model().Qs(2).Name, "Склад");
    EXPECT_EQ(Model().Qs(1).Name, "");
    EXPECT_TRUE(Model().Modified());
}

TEST_F(MainWindowTest, DoubleClickInTheNodeListOpensTheParameters) {
    form.AddQs();
    form.show();
    QListWidget* list = form.NodeList();
    const QRect item = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());
    ASSERT_EQ(dialogs.Log().size(), 1u);
    EXPECT_EQ(dialogs.Log()[0].Kind, ScriptedDialogs::RequestKind::Modal);
    EXPECT_EQ(dialogs.Log()[0].Text, "S1");
}

// Only a QS has parameters: with no node or S0 selected the command is unavailable, and a
// double click on S0 opens nothing.
TEST_F(MainWindowTest, QsParametersNeedASelectedQs) {
    form.AddQs();
    Model().SetModified(false);
    form.show();
    QPushButton* button = form.ParametersButton();
    const struct {
        int select;  // -1: nothing selected
        bool available;
    } cases[] = {{-1, false}, {0, false}, {1, true}, {-1, false}};
    for (const auto& c : cases) {
        dialogs.ClearLog();
        if (c.select < 0)
            form.NodeList()->clearSelection();
        else
            form.SelectNode(c.select);
        EXPECT_EQ(button->isEnabled(), c.available) << c.select;
        form.EditQsParameters();
        QListWidgetItem* item = form.NodeList()->item(c.select < 0 ? 0 : c.select);
        const QPoint centre = form.NodeList()->visualItemRect(item).center();
        if (c.select >= 0) {
            QTest::mouseClick(form.NodeList()->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(form.NodeList()->viewport(), Qt::LeftButton, {}, centre);
        }
        EXPECT_EQ(dialogs.Log().size(), c.available ? 2u : 0u) << c.select;
    }
    EXPECT_FALSE(Model().Modified());  // opened and closed unchanged
    form.SelectNode(1);
    form.RemoveQs();  // the selected QS goes
    EXPECT_FALSE(button->isEnabled());
}

// The help opens in the program's own window, on its contents; F1 on this window's page.
TEST_F(MainWindowTest, HelpAboutAndEditorOpenTheirWindows) {
    HelpWindow::Instance().SetFolder(QStringLiteral(QNETICA_SOURCE_DIR "/help"));
    form.ShowHelp();
    EXPECT_TRUE(HelpWindow::Instance().isVisible());
    EXPECT_EQ(HelpWindow::Instance().CurrentPage(), HelpContentsPage());
    ShowHelpFor(&form);
    EXPECT_EQ(HelpWindow::Instance().CurrentPage(), HelpTopicFor(&form).Page);
    EXPECT_NE(HelpTopicFor(&form).Page, HelpContentsPage());
    HelpWindow::Instance().hide();
    form.ShowAbout();
    form.ShowVisualEditor();
    const auto& log = dialogs.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].Kind, ScriptedDialogs::RequestKind::Modal);
    EXPECT_EQ(log[0].Text, "о программе");
    EXPECT_EQ(log[1].Text, "Без имени — Qnetica (визуальный редактор)");
}

}  // namespace
}  // namespace qnetica
