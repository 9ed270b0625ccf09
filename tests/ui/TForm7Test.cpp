#include "ui/TForm7.h"

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
#include "ui/ErrorTexts.h"
#include "ui/ScriptedDialogs.h"

namespace qnetica {
namespace {

const QString StepsRefusal =
    QString::fromUtf8("Количество циклов должно лежать в пределах от 2 до 100.");

// A network of three QS whose every value differs, so that a value shown for the wrong QS or
// the wrong field shows.
class TForm7Test : public ::testing::Test {
  protected:
    TForm7Test() {
        for (int k = 1; k <= 3; ++k) {
            model.AddNode();
            model.Qs(k).ServiceTime = 0.125 * k;
            model.Qs(k).Channels = k + 1;
            model.Qs(k).QueuePlaces = 10 * k;
        }
        model.SetInputRate(2.5);
    }

    QStringList ListTexts(int k) const {
        QStringList texts;
        for (int i = 0; i < dialog.ComboBox(k)->count(); ++i)
            texts << dialog.ComboBox(k)->itemText(i);
        return texts;
    }
    QString Text(int edit) const { return dialog.Edit(edit)->text(); }
    void SetText(int edit, const QString& text) { dialog.Edit(edit)->setText(text); }
    QStringList Errors() const { return test::ErrorTexts(dialogs); }

    ScriptedDialogs dialogs;
    NetworkModel model;
    VariationPlan plan;
    TForm7 dialog{model, dialogs};
};

TEST_F(TForm7Test, ShowsTheControlsWithTheirCaptions) {
    EXPECT_EQ(dialog.windowTitle(), "Параметры расчета сети");
    EXPECT_EQ(dialog.RadioButton1()->text(), "Расчет сети с фиксированными параметрами");
    EXPECT_EQ(dialog.RadioButton2()->text(), "Расчет сети с варьируемыми параметрами");
    EXPECT_EQ(dialog.BitBtn2()->text(), "Продолжить >>");
    EXPECT_EQ(dialog.Button1()->text(), "Отменить");
    EXPECT_EQ(dialog.GroupBox2()->title(), "Настройка варьируемых параметров:");
    const QStringList boxes = {"Изменять интенсивность входного потока",
                               "Изменять время обслуживания в СМО",
                               "Изменять число каналов в СМО",
                               "Просмотреть отчет",
                               "Диаграмма",
                               "Изменять число мест в СМО"};
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(dialog.CheckBox(k)->text(), boxes[k - 1]) << k;
    EXPECT_EQ(dialog.Button2()->text(), "OK");  // Latin letters
    EXPECT_EQ(dialog.Button3()->text(), "OK");
    EXPECT_EQ(dialog.Button4()->text(), "ОК");  // Cyrillic letters
    EXPECT_EQ(dialog.BitBtn1()->text(), "Файл отчета");
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
    EXPECT_EQ(labels.count("от"), 4);
    EXPECT_EQ(labels.count("до"), 4);
    EXPECT_TRUE(labels.contains("Кол-во циклов:"));
    EXPECT_TRUE(dialog.RadioButton1()->isChecked());
}

TEST_F(TForm7Test, OpeningListsTheQsAndShowsTheModelsValuesOfTheFirst) {
    dialog.PrepareForOpening(plan);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(ListTexts(k), QStringList({"1", "2", "3"})) << k;
        EXPECT_EQ(dialog.ComboBox(k)->currentIndex(), 0) << k;
    }
    const std::vector<std::pair<int, QString>> shown = {{1, "2.5000000000"},
                                                        {4, "2.5000000000"},
                                                        {2, "0.1250000000"},
                                                        {5, "0.1250000000"},
                                                        {3, "2"},
                                                        {6, "2"},
                                                        {8, "10"},
                                                        {9, "10"},
                                                        {7, "2"}};
    for (const auto& [edit, text] : shown) EXPECT_EQ(Text(edit), text) << "Edit" << edit;
}

TEST_F(TForm7Test, SelectingAQsShowsItsValuesInItsRowOnly) {
    dialog.PrepareForOpening(plan);
    SetText(2, "typed");
    dialog.ComboBox(1)->setCurrentIndex(2);
    EXPECT_EQ(Text(2), "0.3750000000");
    EXPECT_EQ(Text(5), "0.3750000000");
    EXPECT_EQ(Text(3), "2");  // the channels row still shows QS 1
}

TEST_F(TForm7Test, EachOpeningSelectsTheFirstQsAgainAndKeepsTheMode) {
    dialog.PrepareForOpening(plan);
    dialog.ComboBox(2)->setCurrentIndex(1);
    dialog.RadioButton2()->setChecked(true);
    dialog.CheckBox(4)->setChecked(true);
    dialog.PrepareForOpening(plan);
    EXPECT_EQ(dialog.ComboBox(2)->currentIndex(), 0);
    EXPECT_EQ(Text(3), "2");
    EXPECT_TRUE(dialog.RadioButton2()->isChecked());
    EXPECT_TRUE(dialog.ReportViewRequested());
}

// One row of per-QS values: its list, its two fields, its OK button and the plan's fields.
struct RowCase {
    const char* name;
    int list;
    int from;
    int to;
    void (TForm7::*ok)();
    QString fromText;
    QString toText;
    double (*stored)(const QsPlan&, bool to);
    double typed[2];
};

const RowCase RowCases[] = {
    {"Service",
     1,
     2,
     5,
     &TForm7::ServiceOkClick,
     "0.5",
     "1.5",
     [](const QsPlan& p, bool to) { return to ? p.ServiceTo : p.ServiceFrom; },
     {0.5, 1.5}},
    {"Channels",
     2,
     3,
     6,
     &TForm7::ChannelsOkClick,
     " 4",
     "+7",
     [](const QsPlan& p, bool to) { return double(to ? p.ChannelsTo : p.ChannelsFrom); },
     {4, 7}},
    {"Places",
     3,
     8,
     9,
     &TForm7::PlacesOkClick,
     "5",
     "50",
     [](const QsPlan& p, bool to) { return double(to ? p.PlacesTo : p.PlacesFrom); },
     {5, 50}},
};

class TForm7RowTest : public TForm7Test, public ::testing::WithParamInterface<RowCase> {};

TEST_P(TForm7RowTest, TypedValuesAreStoredOnlyByTheRowsOk) {
    const RowCase& row = GetParam();
    dialog.PrepareForOpening(plan);
    dialog.ComboBox(row.list)->setCurrentIndex(1);  // QS 2
    const QsPlan before = plan.Qs(2);
    SetText(row.from, row.fromText);
    SetText(row.to, row.toText);
    ASSERT_TRUE(dialog.ContinueClick());
    EXPECT_EQ(row.stored(plan.Qs(2), false), row.stored(before, false));
    EXPECT_EQ(row.stored(plan.Qs(2), true), row.stored(before, true));

    dialog.PrepareForOpening(plan);
    dialog.ComboBox(row.list)->setCurrentIndex(1);
    SetText(row.from, row.fromText);
    SetText(row.to, row.toText);
    const QsPlan first = plan.Qs(1);
    (dialog.*row.ok)();
    EXPECT_EQ(row.stored(plan.Qs(2), false), row.typed[0]);
    EXPECT_EQ(row.stored(plan.Qs(2), true), row.typed[1]);
    EXPECT_EQ(row.stored(plan.Qs(1), false), row.stored(first, false));  // only the selected QS
    // Shown again when the QS is selected anew.
    dialog.ComboBox(row.list)->setCurrentIndex(0);
    dialog.ComboBox(row.list)->setCurrentIndex(1);
    EXPECT_EQ(ParseNumber(Text(row.from).toStdString()), row.typed[0]);
    EXPECT_EQ(ParseNumber(Text(row.to).toStdString()), row.typed[1]);
}

INSTANTIATE_TEST_SUITE_P(Rows, TForm7RowTest, ::testing::ValuesIn(RowCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TForm7Test, CancelStoresTheNumberOfStepsAndTheInputRateOnly) {
    dialog.PrepareForOpening(plan);
    SetText(7, "5");
    SetText(1, "3");
    SetText(4, "4.5");
    SetText(2, "9");
    dialog.CheckBox(1)->setChecked(true);
    dialog.CancelClick();
    EXPECT_EQ(plan.StepCount, 5);
    EXPECT_EQ(plan.InputRateFrom, 3);
    EXPECT_EQ(plan.InputRateTo, 4.5);
    EXPECT_EQ(plan.Qs(1).ServiceFrom, 0.125);
    EXPECT_FALSE(plan.Confirmed);
    EXPECT_FALSE(plan.VaryInputRate);

    dialog.PrepareForOpening(plan);
    EXPECT_EQ(Text(7), "5");
    EXPECT_EQ(Text(1), "3.0000000000");
    EXPECT_EQ(Text(4), "4.5000000000");
}

TEST_F(TForm7Test, ContinueStoresTheFieldsTheFlagsAndTheMode) {
    dialog.PrepareForOpening(plan);
    dialog.RadioButton2()->setChecked(true);
    dialog.CheckBox(1)->setChecked(true);
    dialog.CheckBox(6)->setChecked(true);
    SetText(1, "1");
    SetText(4, "2");
    SetText(7, "3");
    ASSERT_TRUE(dialog.ContinueClick());
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

TEST_F(TForm7Test, ClosingWithTheCloseBoxConfirmsNothing) {
    dialog.PrepareForOpening(plan);
    SetText(7, "9");
    dialog.reject();
    EXPECT_FALSE(plan.Confirmed);
    EXPECT_EQ(plan.StepCount, 2);
}

struct StepsCase {
    const char* name;
    bool varied;
    QString steps;
    bool accepted;
};

const StepsCase StepsCases[] = {
    {"VariedOne", true, "1", false},       {"VariedZero", true, "0", false},
    {"VariedNegative", true, "-3", false}, {"Varied101", true, "101", false},
    {"VariedEmpty", true, "", false},      {"VariedTwo", true, "2", true},
    {"Varied100", true, "100", true},      {"FixedOne", false, "1", true},
};

class TForm7StepsTest : public TForm7Test, public ::testing::WithParamInterface<StepsCase> {};

TEST_P(TForm7StepsTest, VariedRunNeedsTwoToAHundredSteps) {
    const StepsCase& c = GetParam();
    dialog.PrepareForOpening(plan);
    (c.varied ? dialog.RadioButton2() : dialog.RadioButton1())->setChecked(true);
    dialog.CheckBox(1)->setChecked(true);
    SetText(7, c.steps);
    dialog.setResult(-1);
    EXPECT_EQ(dialog.ContinueClick(), c.accepted);
    EXPECT_EQ(plan.Confirmed, c.accepted);
    EXPECT_EQ(dialog.result(), c.accepted ? QDialog::Accepted : -1);  // refused: stays open
    EXPECT_EQ(Errors(), c.accepted ? QStringList() : QStringList({StepsRefusal}));
    if (c.accepted) return;
    // A second attempt with a valid number goes through.
    SetText(7, "4");
    EXPECT_TRUE(dialog.ContinueClick());
    EXPECT_EQ(plan.StepCount, 4);
}

INSTANTIATE_TEST_SUITE_P(Counts, TForm7StepsTest, ::testing::ValuesIn(StepsCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TForm7Test, FixedModeDisablesTheGroupAndKeepsItsChecks) {
    dialog.PrepareForOpening(plan);
    EXPECT_FALSE(dialog.GroupBox2()->isEnabled());
    EXPECT_FALSE(dialog.CheckBox(4)->isEnabled());
    EXPECT_FALSE(dialog.BitBtn1()->isEnabled());
    EXPECT_FALSE(dialog.Edit(7)->isEnabled());
    dialog.RadioButton2()->setChecked(true);
    for (int k = 1; k <= 6; ++k) EXPECT_TRUE(dialog.CheckBox(k)->isEnabled()) << k;
    EXPECT_TRUE(dialog.Button4()->isEnabled());
    dialog.CheckBox(4)->setChecked(true);
    dialog.CheckBox(5)->setChecked(true);
    dialog.RadioButton1()->setChecked(true);
    EXPECT_FALSE(dialog.CheckBox(5)->isEnabled());
    EXPECT_TRUE(dialog.ReportViewRequested());
    EXPECT_TRUE(dialog.ChartRequested());
}

TEST_F(TForm7Test, ReportFileIsChosenWithTheSaveDialogAndKeptWhenCancelled) {
    dialog.PrepareForOpening(plan);
    dialogs.QueueFile("/tmp/run/steps.txt");
    dialogs.QueueFileCancel();
    dialog.ReportFileClick();
    EXPECT_EQ(plan.ReportFileName, "/tmp/run/steps.txt");
    dialog.ReportFileClick();
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

TEST_F(TForm7Test, NetworkWithoutQsLeavesTheRowsInert) {
    NetworkModel empty;
    TForm7 lonely(empty, dialogs);
    lonely.PrepareForOpening(plan);
    EXPECT_EQ(lonely.ComboBox(1)->count(), 0);
    lonely.Edit(2)->setText("7");
    lonely.ServiceOkClick();
    EXPECT_EQ(plan.Qs(1).ServiceFrom, 0);
}

}  // namespace
}  // namespace qnetica
