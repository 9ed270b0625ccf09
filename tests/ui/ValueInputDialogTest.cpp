#include "ui/ValueInputDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "support/ScriptedDialogs.h"

namespace qnetica {
namespace {

class ValueInputDialogTest : public ::testing::Test {
  protected:
    ScriptedDialogs dialogs;
    NetworkModel model;
    ValueInputDialog dialog{model, dialogs};
};

TEST_F(ValueInputDialogTest, ShowsTheLabelTheFieldAndALatinOk) {
    EXPECT_EQ(dialog.findChild<QLabel*>()->text(), "Введите значение:");
    EXPECT_EQ(dialog.OkButton()->text(), "OK");  // Latin letters
}

TEST_F(ValueInputDialogTest, PresettingADifferentTextMarksTheNetworkModified) {
    dialog.SetValueText("0.5000000000");
    EXPECT_TRUE(model.Modified());
}

TEST_F(ValueInputDialogTest, PresettingTheSameTextLeavesTheNetworkUnmarked) {
    dialog.SetValueText("0.5000000000");
    model.SetModified(false);
    dialog.SetValueText("0.5000000000");
    EXPECT_FALSE(model.Modified());
}

TEST_F(ValueInputDialogTest, TypingMarksTheNetworkModified) {
    dialog.ValueEdit()->insert("7");
    EXPECT_TRUE(model.Modified());
}

// However the dialog is closed, the caller gets the text it held.
class ValueInputDialogCloseTest : public ValueInputDialogTest,
                                  public ::testing::WithParamInterface<bool> {};

TEST_P(ValueInputDialogCloseTest, HandsTheTextToTheCaller) {
    const bool byOk = GetParam();
    QString caption;
    dialogs.QueueWindowAction([&](QWidget& window) {
        caption = window.windowTitle();
        dialog.ValueEdit()->setText("0.25");
        if (byOk)
            dialog.Confirm();
        else
            dialog.reject();
    });
    const QString text = dialog.AskValue("Вероятность перехода из S1 в S2", "0.5000000000");
    EXPECT_EQ(caption, "Вероятность перехода из S1 в S2");
    EXPECT_EQ(text, "0.25");
    EXPECT_TRUE(dialogs.Unanswered().empty());
}

INSTANTIATE_TEST_SUITE_P(ByOkOrCloseBox, ValueInputDialogCloseTest, ::testing::Bool());

}  // namespace
}  // namespace qnetica
