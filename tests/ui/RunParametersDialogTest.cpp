#include "ui/RunParametersDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <ostream>

#include "model/NumberText.h"
#include "support/ScriptedDialogs.h"
#include "ui/ErrorTexts.h"

namespace qnetica {
namespace {

const QString StepsRefusal =
    QString::fromUtf8("Количество циклов должно лежать в пределах от 2 до 100.");

// A network of three QS whose every value differs, so that a value shown for the wrong QS or
// the wrong field shows.
class RunParametersDialogTest : public ::testing::Test {
  protected:
    RunParametersDialogTest() {
        for (int k = 1; k <= 3; ++k) {
            model.AddNode();
            model.Qs(k).ServiceTime = 0.125 * k;
            model.Qs(k).Channels = k + 1;
            model.Qs(k).QueuePlaces = 10 * k;
        }
        model.SetInputRate(2.5);
    }

    using Field = QLineEdit* (RunParametersDialog::*)() const;
    using List = QComboBox* (RunParametersDialog::*)() const;
    using Box = QCheckBox* (RunParametersDialog::*)() const;
    static constexpr List Lists[] = {&RunParametersDialog::ServiceQsList,
                                     &RunParametersDialog::ChannelsQsList,
                                     &RunParametersDialog::PlacesQsList};
    static constexpr Box Boxes[] = {
        &RunParametersDialog::VaryInputRateBox, &RunParametersDialog::VaryServiceTimeBox,
        &RunParametersDialog::VaryChannelsBox,  &RunParametersDialog::ViewReportBox,
        &RunParametersDialog::ChartBox,         &RunParametersDialog::VaryPlacesBox};

    QStringList ListTexts(List list) const {
        QStringList texts;
        for (int i = 0; i < (dialog.*list)()->count(); ++i) texts << (dialog.*list)()->itemText(i);
        return texts;
    }
    QString Text(Field field) const { return (dialog.*field)()->text(); }
    void SetText(Field field, const QString& text) { (dialog.*field)()->setText(text); }
    QStringList Errors() const { return test::ErrorTexts(dialogs); }

    ScriptedDialogs dialogs;
    NetworkModel model;
    VariationPlan plan;
    RunParametersDialog dialog{model, dialogs};
};

TEST_F(RunParametersDialogTest, ShowsTheControlsWithTheirCaptions) {
    EXPECT_EQ(dialog.windowTitle(), "Параметры расчета сети");
    EXPECT_EQ(dialog.FixedRunButton()->text(), "Расчет сети с фиксированными параметрами");
    EXPECT_EQ(dialog.VariedRunButton()->text(), "Расчет сети с варьируемыми параметрами");
    EXPECT_EQ(dialog.ContinueButton()->text(), "Продолжить >>");
    EXPECT_EQ(dialog.CancelButton()->text(), "Отменить");
    EXPECT_EQ(dialog.VariedGroup()->title(), "Настройка варьируемых параметров:");
    const QStringList boxes = {"Изменять интенсивность входного потока",
                               "Изменять время обслуживания в СМО",
                               "Изменять число каналов в СМО",
                               "Просмотреть отчет",
                               "Диаграмма",
                               "Изменять число мест в СМО"};
    for (int k = 0; k < 6; ++k) EXPECT_EQ((dialog.*Boxes[k])()->text(), boxes[k]) << k;
    EXPECT_EQ(dialog.ServiceOkButton()->text(), "OK");  // Latin letters
    EXPECT_EQ(dialog.ChannelsOkButton()->text(), "OK");
    EXPECT_EQ(dialog.PlacesOkButton()->text(), "ОК");  // Cyrillic letters
    EXPECT_EQ(dialog.ReportFileButton()->text(), "Файл отчета");
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
    EXPECT_EQ(labels.count("от"), 4);
    EXPECT_EQ(labels.count("до"), 4);
    EXPECT_TRUE(labels.contains("Кол-во циклов:"));
    EXPECT_TRUE(dialog.FixedRunButton()->isChecked());
}

TEST_F(RunParametersDialogTest, OpeningListsTheQsAndShowsTheModelsValuesOfTheFirst) {
    dialog.PrepareForOpening(plan);
    for (List list : Lists) {
        EXPECT_EQ(ListTexts(list), QStringList({"1", "2", "3"}));
        EXPECT_EQ((dialog.*list)()->currentIndex(), 0);
    }
    using D = RunParametersDialog;
    const std::vector<std::pair<Field, QString>> shown = {{&D::InputRateFromField, "2.5000000000"},
                                                          {&D::InputRateToField, "2.5000000000"},
                                                          {&D::ServiceFromField, "0.1250000000"},
                                                          {&D::ServiceToField, "0.1250000000"},
                                                          {&D::ChannelsFromField, "2"},
                                                          {&D::ChannelsToField, "2"},
                                                          {&D::PlacesFromField, "10"},
                                                          {&D::PlacesToField, "10"},
                                                          {&D::StepCountField, "2"}};
    for (const auto& [field, text] : shown) EXPECT_EQ(Text(field), text) << text.toStdString();
}

TEST_F(RunParametersDialogTest, SelectingAQsShowsItsValuesInItsRowOnly) {
    dialog.PrepareForOpening(plan);
    SetText(&RunParametersDialog::ServiceFromField, "typed");
    dialog.ServiceQsList()->setCurrentIndex(2);
    EXPECT_EQ(Text(&RunParametersDialog::ServiceFromField), "0.3750000000");
    EXPECT_EQ(Text(&RunParametersDialog::ServiceToField), "0.3750000000");
    EXPECT_EQ(Text(&RunParametersDialog::ChannelsFromField),
              "2");  // the channels row still shows QS 1
}

TEST_F(RunParametersDialogTest, EachOpeningSelectsTheFirstQsAgainAndKeepsTheMode) {
    dialog.PrepareForOpening(plan);
    dialog.ChannelsQsList()->setCurrentIndex(1);
    dialog.VariedRunButton()->setChecked(true);
    dialog.ViewReportBox()->setChecked(true);
    dialog.PrepareForOpening(plan);
    EXPECT_EQ(dialog.ChannelsQsList()->currentIndex(), 0);
    EXPECT_EQ(Text(&RunParametersDialog::ChannelsFromField), "2");
    EXPECT_TRUE(dialog.VariedRunButton()->isChecked());
    EXPECT_TRUE(dialog.ReportViewRequested());
}

// One row of per-QS values: its list, its two fields, its OK button and the plan's fields.
struct RowCase {
    const char* name;
    QComboBox* (RunParametersDialog::*list)() const;
    QLineEdit* (RunParametersDialog::*from)() const;
    QLineEdit* (RunParametersDialog::*to)() const;
    void (RunParametersDialog::*ok)();
    QString fromText;
    QString toText;
    double (*stored)(const QsPlan&, bool to);
    double typed[2];
};

const RowCase RowCases[] = {
    {"Service",
     &RunParametersDialog::ServiceQsList,
     &RunParametersDialog::ServiceFromField,
     &RunParametersDialog::ServiceToField,
     &RunParametersDialog::StoreServiceRange,
     "0.5",
     "1.5",
     [](const QsPlan& p, bool to) { return to ? p.ServiceTo : p.ServiceFrom; },
     {0.5, 1.5}},
    {"Channels",
     &RunParametersDialog::ChannelsQsList,
     &RunParametersDialog::ChannelsFromField,
     &RunParametersDialog::ChannelsToField,
     &RunParametersDialog::StoreChannelsRange,
     " 4",
     "+7",
     [](const QsPlan& p, bool to) { return double(to ? p.ChannelsTo : p.ChannelsFrom); },
     {4, 7}},
    {"Places",
     &RunParametersDialog::PlacesQsList,
     &RunParametersDialog::PlacesFromField,
     &RunParametersDialog::PlacesToField,
     &RunParametersDialog::StorePlacesRange,
     "5",
     "50",
     [](const QsPlan& p, bool to) { return double(to ? p.PlacesTo : p.PlacesFrom); },
     {5, 50}},
};

class RunParametersDialogRowTest : public RunParametersDialogTest,
                                   public ::testing::WithParamInterface<RowCase> {};

TEST_P(RunParametersDialogRowTest, TypedValuesAreStoredOnlyByTheRowsOk) {
    const RowCase& row = GetParam();
    dialog.PrepareForOpening(plan);
    (dialog.*row.list)()->setCurrentIndex(1);  // QS 2
    const QsPlan before = plan.Qs(2);
    SetText(row.from, row.fromText);
    SetText(row.to, row.toText);
    ASSERT_TRUE(dialog.Continue());
    EXPECT_EQ(row.stored(plan.Qs(2), false), row.stored(before, false));
    EXPECT_EQ(row.stored(plan.Qs(2), true), row.stored(before, true));

    dialog.PrepareForOpening(plan);
    (dialog.*row.list)()->setCurrentIndex(1);
    SetText(row.from, row.fromText);
    SetText(row.to, row.toText);
    const QsPlan first = plan.Qs(1);
    (dialog.*row.ok)();
    EXPECT_EQ(row.stored(plan.Qs(2), false), row.typed[0]);
    EXPECT_EQ(row.stored(plan.Qs(2), true), row.typed[1]);
    EXPECT_EQ(row.stored(plan.Qs(1), false), row.stored(first, false));  // only the selected QS
    // Shown again when the QS is selected anew.
    (dialog.*row.list)()->setCurrentIndex(0);
    (dialog.*row.list)()->setCurrentIndex(1);
    EXPECT_EQ(ParseNumber(Text(row.from).toStdString()), row.typed[0]);
    EXPECT_EQ(ParseNumber(Text(row.to).toStdString()), row.typed[1]);
}

INSTANTIATE_TEST_SUITE_P(Rows, RunParametersDialogRowTest, ::testing::ValuesIn(RowCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunParametersDialogTest, CancelStoresTheNumberOfStepsAndTheInputRateOnly) {
    dialog.PrepareForOpening(plan);
    SetText(&RunParametersDialog::StepCountField, "5");
    SetText(&RunParametersDialog::InputRateFromField, "3");
    SetText(&RunParametersDialog::InputRateToField, "4.5");
    SetText(&RunParametersDialog::ServiceFromField, "9");
    dialog.VaryInputRateBox()->setChecked(true);
    dialog.Cancel();
    EXPECT_EQ(plan.StepCount, 5);
    EXPECT_EQ(plan.InputRateFrom, 3);
    EXPECT_EQ(plan.InputRateTo, 4.5);
    EXPECT_EQ(plan.Qs(1).ServiceFrom, 0.125);
    EXPECT_FALSE(plan.Confirmed);
    EXPECT_FALSE(plan.VaryInputRate);

    dialog.PrepareForOpening(plan);
    EXPECT_EQ(Text(&RunParametersDialog::StepCountField), "5");
    EXPECT_EQ(Text(&RunParametersDialog::InputRateFromField), "3.0000000000");
    EXPECT_EQ(Text(&RunParametersDialog::InputRateToField), "4.5000000000");
}

TEST_F(RunParametersDialogTest, ContinueStoresTheFieldsTheFlagsAndTheMode) {
    dialog.PrepareForOpening(plan);
    dialog.VariedRunButton()->setChecked(true);
    dialog.VaryInputRateBox()->setChecked(true);
    dialog.VaryPlacesBox()->setChecked(true);
    SetText(&RunParametersDialog::InputRateFromField, "1");
    SetText(&RunParametersDialog::InputRateToField, "2");
    SetText(&RunParametersDialog::StepCountField, "3");
    ASSERT_TRUE(dialog.Continue());
    EXPECT_TRUE(plan.Confirmed);
    EXPECT_TRUE(plan.VariedRun);
    EXPECT_TRUE(plan.VaryInputRate);
    EXPECT_FALSE(plan.VaryServiceTime);
    EXPECT_FALSE(plan.VaryChannels);
    EXPECT_TRUE(plan.VaryPlaces);
    EXPECT_EQ(plan.StepCount, 3);
    EXPECT_EQ(plan.InputRateIncrement, 0.5);  // the steps were prepared
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(Errors().empty());
}

// The fields of a varied run are not used by a fixed one: there, and when the dialog is
// cancelled, a text that is no number is passed over and the plan keeps its value.
TEST_F(RunParametersDialogTest, FixedRunAndCancelPassOverTextsThatAreNoNumbers) {
    for (bool cancel : {false, true}) {
        dialog.PrepareForOpening(plan);
        SetText(&RunParametersDialog::InputRateFromField, "abc");
        SetText(&RunParametersDialog::InputRateToField, "3,5");
        SetText(&RunParametersDialog::StepCountField, "");
        if (cancel)
            dialog.Cancel();
        else
            EXPECT_TRUE(dialog.Continue());
        EXPECT_EQ(plan.InputRateFrom, 2.5);
        EXPECT_EQ(plan.InputRateTo, 3.5);
        EXPECT_EQ(plan.StepCount, 2);
        EXPECT_TRUE(Errors().empty());
        plan.InputRateTo = 2.5;
    }
}

TEST_F(RunParametersDialogTest, ClosingWithTheCloseBoxConfirmsNothing) {
    dialog.PrepareForOpening(plan);
    SetText(&RunParametersDialog::StepCountField, "9");
    dialog.reject();
    EXPECT_FALSE(plan.Confirmed);
    EXPECT_EQ(plan.StepCount, 2);
}

struct StepsCase {
    const char* name;
    bool varied;
    QString steps;
    bool accepted;
    QString refusal = StepsRefusal;
};

const StepsCase StepsCases[] = {
    {"VariedOne", true, "1", false},
    {"VariedZero", true, "0", false},
    {"VariedNegative", true, "-3", false},
    {"Varied101", true, "101", false},
    {"VariedEmpty", true, "", false, "Кол-во циклов: значение не указано"},
    {"VariedTwo", true, "2", true},
    {"Varied100", true, "100", true},
    {"FixedOne", false, "1", true},
};

class RunParametersDialogStepsTest : public RunParametersDialogTest,
                                     public ::testing::WithParamInterface<StepsCase> {};

TEST_P(RunParametersDialogStepsTest, VariedRunNeedsTwoToAHundredSteps) {
    const StepsCase& c = GetParam();
    dialog.PrepareForOpening(plan);
    (c.varied ? dialog.VariedRunButton() : dialog.FixedRunButton())->setChecked(true);
    dialog.VaryInputRateBox()->setChecked(true);
    SetText(&RunParametersDialog::StepCountField, c.steps);
    dialog.setResult(-1);
    EXPECT_EQ(dialog.Continue(), c.accepted);
    EXPECT_EQ(plan.Confirmed, c.accepted);
    EXPECT_EQ(dialog.result(), c.accepted ? QDialog::Accepted : -1);  // refused: stays open
    EXPECT_EQ(Errors(), c.accepted ? QStringList() : QStringList({c.refusal}));
    if (c.accepted) return;
    // A second attempt with a valid number goes through.
    SetText(&RunParametersDialog::StepCountField, "4");
    EXPECT_TRUE(dialog.Continue());
    EXPECT_EQ(plan.StepCount, 4);
}

INSTANTIATE_TEST_SUITE_P(Counts, RunParametersDialogStepsTest, ::testing::ValuesIn(StepsCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunParametersDialogTest, FixedModeDisablesTheGroupAndKeepsItsChecks) {
    dialog.PrepareForOpening(plan);
    EXPECT_FALSE(dialog.VariedGroup()->isEnabled());
    EXPECT_FALSE(dialog.ViewReportBox()->isEnabled());
    EXPECT_FALSE(dialog.ReportFileButton()->isEnabled());
    EXPECT_FALSE(dialog.StepCountField()->isEnabled());
    dialog.VariedRunButton()->setChecked(true);
    for (Box box : Boxes) EXPECT_TRUE((dialog.*box)()->isEnabled());
    EXPECT_TRUE(dialog.PlacesOkButton()->isEnabled());
    dialog.ViewReportBox()->setChecked(true);
    dialog.ChartBox()->setChecked(true);
    dialog.FixedRunButton()->setChecked(true);
    EXPECT_FALSE(dialog.ChartBox()->isEnabled());
    EXPECT_TRUE(dialog.ReportViewRequested());
    EXPECT_TRUE(dialog.ChartRequested());
}

TEST_F(RunParametersDialogTest, ReportFileIsChosenWithTheSaveDialogAndKeptWhenCancelled) {
    dialog.PrepareForOpening(plan);
    dialogs.QueueFile("/tmp/run/steps.txt");
    dialogs.QueueFileCancel();
    dialog.ChooseReportFile();
    EXPECT_EQ(plan.ReportFileName, "/tmp/run/steps.txt");
    dialog.ChooseReportFile();
    EXPECT_EQ(plan.ReportFileName, "/tmp/run/steps.txt");
    ASSERT_EQ(dialogs.Log().size(), 2u);
    const FileDialogRequest& request = dialogs.Log()[0].File;
    EXPECT_EQ(dialogs.Log()[0].Kind, ScriptedDialogs::RequestKind::SaveFile);
    EXPECT_EQ(request.Title, "Сохранить отчет");
    ASSERT_EQ(request.Types.size(), 1);
    EXPECT_EQ(request.Types[0].Description, "Файлы отчета");
    EXPECT_EQ(request.Types[0].Pattern, "*.txt");
    EXPECT_EQ(request.FileName, "*.txt");
    EXPECT_EQ(request.DefaultSuffix, "txt");
}

TEST_F(RunParametersDialogTest, NetworkWithoutQsLeavesTheRowsInert) {
    NetworkModel empty;
    RunParametersDialog lonely(empty, dialogs);
    lonely.PrepareForOpening(plan);
    EXPECT_EQ(lonely.ServiceQsList()->count(), 0);
    lonely.ServiceFromField()->setText("7");
    lonely.StoreServiceRange();
    EXPECT_EQ(plan.Qs(1).ServiceFrom, 0);
}

}  // namespace
}  // namespace qnetica

namespace qnetica {
namespace {

struct LossesCase {
    bool Varied;
    bool Ticked;
    bool Cancelled;
};

class RunParametersLossesTest : public ::testing::TestWithParam<LossesCase> {};

// The box sets the plan's AccountLosses in either mode, is off at first, and shows the plan's
// setting at the next opening, also after a cancel.
TEST_P(RunParametersLossesTest, TheBoxReachesThePlanAndIsKept) {
    const LossesCase& c = GetParam();
    ScriptedDialogs dialogs;
    NetworkModel model;
    model.AddNode();
    model.Qs(1).ServiceTime = 0.5;
    model.SetInputRate(1);
    VariationPlan plan;
    RunParametersDialog dialog(model, dialogs);
    dialog.PrepareForOpening(plan);
    EXPECT_EQ(dialog.AccountLossesBox()->text(), "Учитывать потери в СМО с ограниченной очередью");
    EXPECT_FALSE(dialog.AccountLossesBox()->isChecked());
    EXPECT_FALSE(plan.AccountLosses);
    (c.Varied ? dialog.VariedRunButton() : dialog.FixedRunButton())->setChecked(true);
    EXPECT_TRUE(dialog.AccountLossesBox()->isEnabled());
    dialog.AccountLossesBox()->setChecked(c.Ticked);
    if (c.Cancelled) {
        dialog.Cancel();
    } else {
        if (c.Varied) dialog.VaryInputRateBox()->setChecked(true);
        ASSERT_TRUE(dialog.Continue());
        EXPECT_EQ(plan.VariedRun, c.Varied);
    }
    EXPECT_EQ(plan.AccountLosses, c.Ticked);
    dialog.AccountLossesBox()->setChecked(!c.Ticked);  // whatever it shows in between
    dialog.PrepareForOpening(plan);
    EXPECT_EQ(dialog.AccountLossesBox()->isChecked(), c.Ticked);
}

INSTANTIATE_TEST_SUITE_P(Modes, RunParametersLossesTest,
                         ::testing::Values(LossesCase{false, true, false},
                                           LossesCase{true, true, false},
                                           LossesCase{true, false, false},
                                           LossesCase{false, true, true}));

}  // namespace
}  // namespace qnetica
