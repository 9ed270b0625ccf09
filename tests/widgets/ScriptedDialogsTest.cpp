#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace qnetica {
namespace {

TEST(QtFileFilterTest, WritesEachTypeWithItsPatterns) {
    EXPECT_EQ(QtFileFilter({{"Стохастическая сеть", "*.qnf"}}), "Стохастическая сеть (*.qnf)");
    EXPECT_EQ(QtFileFilter({{"Текст", "*.txt"}, {"Рисунки", "*.bmp;*.wmf"}}),
              "Текст (*.txt);;Рисунки (*.bmp *.wmf)");
}

TEST(ScriptedDialogsTest, UnscriptedPromptsGetTheSafeAnswerAndAreNoted) {
    ScriptedDialogs dialogs;
    EXPECT_EQ(
        dialogs.ShowMessage(nullptr, MessageBoxKind::Warning, "?", MessageBoxButtons::YesNoCancel),
        MessageBoxAnswer::Cancel);
    dialogs.QueueAnswer(MessageBoxAnswer::Yes);  // a message answer does not fit a file dialog
    EXPECT_FALSE(dialogs.AskSaveFile(nullptr, {}).has_value());
    EXPECT_EQ(dialogs.Unanswered().size(), 2u);
    EXPECT_EQ(dialogs.PendingAnswers(), 1u);
}

TEST(ScriptedDialogsTest, WindowActionsRunOnlyForModalWindows) {
    ScriptedDialogs dialogs;
    QWidget window;
    window.setWindowTitle("окно");
    dialogs.ShowModal(window);  // nothing queued: closed at once
    int runs = 0;
    dialogs.QueueWindowAction([&](QWidget& shown) {
        EXPECT_EQ(&shown, &window);
        ++runs;
    });
    dialogs.ShowModal(window);
    EXPECT_EQ(runs, 1);
    ASSERT_EQ(dialogs.Log().size(), 2u);
    EXPECT_EQ(dialogs.Log()[1].Text, "окно");
}

}  // namespace
}  // namespace qnetica
