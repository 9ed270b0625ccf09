// What a desktop user expects of files: the caption names the file and its changes, the last files
// come back in the File menu, and a changed network outlives a crash.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/ProgramWindows.h"
#include "app/RecoveryKeeper.h"
#include "editor/SchemeEditorWindow.h"
#include "model/NetworkFile.h"
#include "support/ScriptedDialogs.h"
#include "ui/MainWindow.h"

namespace qnetica {
namespace {

class FilesAndRecoveryTest : public ::testing::Test {
  protected:
    QString Path(const QString& name) const { return folder.filePath(name); }
    // A changed network of two QS whose copy a crashed program left behind.
    NetworkImage LeaveCopyOfCrashedProgram(const QString& ownFile) {
        ScriptedDialogs crashedDialogs;
        DocumentDialogs questions(crashedDialogs);
        NetworkDocument crashed(questions);
        crashed.AddQs();
        crashed.AddQs();
        crashed.Model().Matrix().SetCell(0, 2, "0.5");
        crashed.Model().SetModified(true);
        if (!ownFile.isEmpty()) {
            crashedDialogs.QueueFile(ownFile);
            crashed.SaveAs();
            crashed.Model().Qs(1).ServiceTime = 0.25;  // changed after its save
            crashed.Model().SetModified(true);
        }
        RecoveryKeeper keeper(crashed);
        keeper.SaveNow();
        return BuildNetworkImage(crashed.Model());
        // The keeper goes without Finish, as a killed program's does.
    }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
};

TEST_F(FilesAndRecoveryTest, NextStartOffersTheCopyOfACrashedProgram) {
    const NetworkImage lost = LeaveCopyOfCrashedProgram(Path("net.qnf"));
    ProgramWindows program(dialogs);
    dialogs.QueueAnswer(MessageBoxAnswer::Yes);
    ASSERT_TRUE(program.OfferRecovery());
    EXPECT_EQ(BuildNetworkImage(program.Document().Model()), lost);
    EXPECT_TRUE(program.Document().Model().Modified());
    EXPECT_EQ(program.Document().FilePath(), Path("net.qnf").toStdString());
    EXPECT_EQ(program.Main().windowTitle(), "net.qnf* — Qnetica");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_TRUE(dialogs.Messages()[0].Text.contains("net.qnf"));
    EXPECT_FALSE(program.OfferRecovery());  // offered once
}

TEST_F(FilesAndRecoveryTest, DeclinedCopyIsGoneAndTheNetworkStaysEmpty) {
    LeaveCopyOfCrashedProgram({});
    ProgramWindows program(dialogs);
    dialogs.QueueAnswer(MessageBoxAnswer::No);
    EXPECT_FALSE(program.OfferRecovery());
    EXPECT_EQ(program.Document().Model().QsCount(), 0);
    EXPECT_FALSE(program.OfferRecovery());
}

// A running program's copy is its own; a save and a normal end remove it.
TEST_F(FilesAndRecoveryTest, CopiesOfLiveProgramsAreNotOfferedAndGoWithASaveOrAnEnd) {
    auto first = std::make_unique<ProgramWindows>(dialogs);
    first->Main().AddQs();
    first->Recovery().SaveNow();
    ScriptedDialogs otherDialogs;
    ProgramWindows second(otherDialogs);
    EXPECT_FALSE(second.OfferRecovery());  // the first still runs
    const QDir data(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    EXPECT_EQ(data.entryList({"*.qnf"}).size(), 1);
    dialogs.QueueFile(Path("saved.qnf"));
    ASSERT_TRUE(first->Main().SaveNetwork());
    EXPECT_EQ(data.entryList({"*.qnf"}).size(), 0);
    first->Main().AddQs();
    first->Recovery().SaveNow();
    first.reset();  // the program ends normally
    EXPECT_EQ(data.entryList({"*.qnf"}).size(), 0);
}

TEST_F(FilesAndRecoveryTest, CaptionsNameTheFileAndItsChanges) {
    ProgramWindows program(dialogs);
    program.Main().AddQs();
    EXPECT_EQ(program.Main().windowTitle(), "Без имени* — Qnetica");
    dialogs.QueueFile(Path("сеть.qnf"));
    ASSERT_TRUE(program.Main().SaveNetwork());
    EXPECT_EQ(program.Main().windowTitle(), "сеть.qnf — Qnetica");
    program.Main().AddQs();
    EXPECT_EQ(program.Main().windowTitle(), "сеть.qnf* — Qnetica");
    EXPECT_EQ(program.Editor().windowTitle(), "сеть.qnf* — Qnetica (визуальный редактор)");
}

// Chooses a file in a window's "Последние файлы" submenu, as a user does.
void ChooseRecentFile(QWidget& window, const QString& path) {
    for (QMenu* menu : window.findChildren<QMenu*>()) {
        if (menu->title() != QStringLiteral("Последние &файлы")) continue;
        emit menu->aboutToShow();
        for (QAction* item : menu->actions())
            if (item->toolTip() == QDir::toNativeSeparators(path)) item->trigger();
    }
}

// Newest first, at most eight, each once; a file that went is dropped when it fails to open.
TEST_F(FilesAndRecoveryTest, RecentFilesKeepTheLastEightOpenedOrSaved) {
    ProgramWindows program(dialogs);
    for (int k = 1; k <= 9; ++k) {
        dialogs.QueueFile(Path(QStringLiteral("n%1.qnf").arg(k)));
        ASSERT_TRUE(program.Main().SaveNetworkAs());
    }
    dialogs.QueueFile(Path("n3.qnf"));
    ASSERT_TRUE(program.Main().OpenNetwork());
    QStringList expected = {Path("n3.qnf")};
    for (int k : {9, 8, 7, 6, 5, 4, 2}) expected << Path(QStringLiteral("n%1.qnf").arg(k));
    EXPECT_EQ(program.Recent().Files(), expected);

    QFile::remove(Path("n9.qnf"));
    EXPECT_FALSE(program.Main().OpenRecentNetwork(Path("n9.qnf")));
    ChooseRecentFile(program.Main(), Path("n9.qnf"));
    EXPECT_FALSE(program.Recent().Files().contains(Path("n9.qnf")));
    EXPECT_TRUE(program.Main().OpenRecentNetwork(Path("n5.qnf")));
    EXPECT_EQ(program.Recent().Files().first(), Path("n5.qnf"));
}

}  // namespace
}  // namespace qnetica
