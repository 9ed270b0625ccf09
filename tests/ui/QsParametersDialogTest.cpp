#include "ui/QsParametersDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <ostream>

#include "model/NetworkFile.h"
#include "support/ScriptedDialogs.h"
#include "ui/ErrorTexts.h"

namespace qnetica {
namespace {

class QsParametersDialogTest : public ::testing::Test {
  protected:
    QsParametersDialogTest() {
        for (int k = 0; k < 3; ++k) model.AddNode();
        model.SetModified(false);
        dialog.SetDecimalSeparator('.');
    }

    QsParams& Slot(int k) { return model.Qs(k); }
    void SetShares(const std::vector<QString>& shares) {
        dialog.ClassesEdit()->setText(QString::number(shares.size()));
        for (std::size_t k = 1; k <= shares.size(); ++k)
            dialog.SetShareText(static_cast<int>(k), shares[k - 1]);
    }
    std::vector<QString> ShareTexts() const {
        std::vector<QString> texts;
        for (int k = 1; k <= dialog.ClassRowCount(); ++k) texts.push_back(dialog.ShareText(k));
        return texts;
    }
    QStringList ErrorTexts() const { return test::ErrorTexts(dialogs); }

    ScriptedDialogs dialogs;
    NetworkModel model;
    QsParametersDialog dialog{model, dialogs};
};

TEST_F(QsParametersDialogTest, ShowsTheControlsWithTheirCaptions) {
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
    EXPECT_EQ(labels, QStringList({"Наименование", "Время обслуживания", "Число каналов",
                                   "Число мест ", "Число классов приоритета "}));
    EXPECT_EQ(dialog.findChild<QGroupBox*>()->title(), "Параметры");
    EXPECT_EQ(dialog.BoundedQueueBox()->text(), "Ограниченная длина очереди");
    EXPECT_EQ(dialog.PriorityBox()->text(), "Система с относит. приоритетом");
    EXPECT_EQ(dialog.OkButton()->text(), "ОК");  // Cyrillic letters
    EXPECT_EQ(dialog.ResetButton()->text(), "Сброс");
    EXPECT_EQ(dialog.ClassTable()->horizontalHeaderItem(0)->text(), "Класс приоритета");
    EXPECT_EQ(dialog.ClassTable()->horizontalHeaderItem(1)->text(), "Доля вх. потока");
}

TEST_F(QsParametersDialogTest, OpeningFillsTheFieldsFromTheSlot) {
    Slot(2).ServiceTime = 0.5;
    Slot(2).Name = "Касса";
    Slot(2).Channels = 3;
    Slot(2).QueuePlaces = 7;
    Slot(2).BoundedQueue = true;
    dialog.PrepareForQs(2);
    EXPECT_EQ(dialog.windowTitle(), "S2");
    EXPECT_EQ(dialog.EditedSlot(), 2);
    EXPECT_EQ(dialog.ServiceTimeEdit()->text(), "0.5000000000");
    EXPECT_EQ(dialog.NameEdit()->text(), "Касса");
    EXPECT_EQ(dialog.ChannelsEdit()->text(), "3");
    EXPECT_EQ(dialog.PlacesEdit()->text(), "7");
    EXPECT_EQ(dialog.ClassesEdit()->text(), "0");
    EXPECT_TRUE(dialog.BoundedQueueBox()->isChecked());
    EXPECT_FALSE(dialog.PriorityBox()->isChecked());
    EXPECT_EQ(dialog.ClassRowCount(), 0);
    EXPECT_TRUE(model.Modified());
}

TEST_F(QsParametersDialogTest, SlotWithBothFlagsOpensWithThePriorityBoxOnly) {
    Slot(1).BoundedQueue = true;
    Slot(1).RelativePriority = true;
    dialog.PrepareForQs(1);
    EXPECT_FALSE(dialog.BoundedQueueBox()->isChecked());
    EXPECT_TRUE(dialog.PriorityBox()->isChecked());
}

TEST_F(QsParametersDialogTest, CheckBoxesExcludeEachOther) {
    dialog.BoundedQueueBox()->setChecked(true);
    dialog.PriorityBox()->setChecked(true);
    EXPECT_FALSE(dialog.BoundedQueueBox()->isChecked());
    dialog.BoundedQueueBox()->setChecked(true);
    EXPECT_FALSE(dialog.PriorityBox()->isChecked());
    dialog.BoundedQueueBox()->setChecked(false);  // unchecking changes nothing else
    EXPECT_FALSE(dialog.PriorityBox()->isChecked());
}

struct SeparatorCase {
    char separator;
    const char* third;
};

void PrintTo(const SeparatorCase& c, std::ostream* out) {
    *out << "'" << c.separator << "'";
}

class ZeroSharesTest : public QsParametersDialogTest,
                       public ::testing::WithParamInterface<SeparatorCase> {};

TEST_P(ZeroSharesTest, OpenAsTheEqualSplitInLocaleForm) {
    dialog.SetDecimalSeparator(GetParam().separator);
    Slot(1).PriorityClasses = 3;
    Slot(1).RelativePriority = true;
    dialog.PrepareForQs(1);
    EXPECT_EQ(ShareTexts(), std::vector<QString>(3, GetParam().third));
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(Slot(1).ClassShare(k), 1.0 / 3);
        EXPECT_EQ(dialog.ClassTable()->item(k - 1, 0)->text(), QString::number(k));
    }
    EXPECT_EQ(Slot(1).ClassShare(4), 0);
}

INSTANTIATE_TEST_SUITE_P(Separators, ZeroSharesTest,
                         ::testing::Values(SeparatorCase{'.', "0.333333333333333"},
                                           SeparatorCase{',', "0,333333333333333"}));

TEST_F(QsParametersDialogTest, OpeningForTheOutsideWorldOrNoNodeChangesOnlyModified) {
    dialog.PrepareForQs(1);
    dialog.NameEdit()->setText("Прежнее");
    dialog.TakeOver();
    model.SetModified(false);
    const NetworkImage before = BuildNetworkImage(model);
    for (int node : {0, -1}) {
        model.SetModified(false);
        dialog.PrepareForQs(node);
        EXPECT_EQ(dialog.windowTitle(), node == 0 ? "S0" : "S-1");
        EXPECT_EQ(dialog.ServiceTimeEdit()->text(), "");
        EXPECT_EQ(dialog.ChannelsEdit()->text(), "");
        EXPECT_EQ(dialog.NameEdit()->text(), "Прежнее");  // as last shown
        dialog.ClassesEdit()->setText("4");
        dialog.ResetClassShares();
        dialog.ServiceTimeEdit()->setText("9");
        EXPECT_TRUE(dialog.Confirm());
        EXPECT_TRUE(dialog.TakeOver());
        EXPECT_TRUE(model.Modified());
        EXPECT_EQ(BuildNetworkImage(model), before);
    }
}

// "ОК" with the priority box and the class shares.
struct ShareSumCase {
    const char* name;
    bool priority;
    char separator;
    std::vector<QString> shares;
    const char* refusal;  // nullptr: the dialog closes
};

void PrintTo(const ShareSumCase& c, std::ostream* out) {
    *out << c.name;
}

class ShareSumTest : public QsParametersDialogTest,
                     public ::testing::WithParamInterface<ShareSumCase> {};

TEST_P(ShareSumTest, Ok) {
    const ShareSumCase& c = GetParam();
    dialog.SetDecimalSeparator(c.separator);
    dialog.PrepareForQs(1);
    SetShares(c.shares);
    dialog.PriorityBox()->setChecked(c.priority);
    EXPECT_EQ(dialog.Confirm(), c.refusal == nullptr);
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.refusal == nullptr);
    if (c.refusal)
        EXPECT_EQ(ErrorTexts(), QStringList{QString::fromUtf8(c.refusal)});
    else
        EXPECT_TRUE(dialogs.Messages().empty());
}

#define SUM_IS "Сумма долей вх. потока не равна 1 (равна "
#define NOT_A_NUMBER " is not a valid floating point value"
// clang-format off
const ShareSumCase ShareSumCases[] = {
    {"SumBelowOne",           true,  '.', {"0.5", "0.4"}, SUM_IS "0.9)"},
    {"SumInLocaleForm",       true,  ',', {"0,5", "0,4"}, SUM_IS "0,9)"},
    {"SumAboveOne",           true,  '.', {"0.5", "0.6"}, SUM_IS "1.1)"},
    {"NoPriorityNoSumCheck",  false, '.', {"0.5", "0.4"}, nullptr},
    {"ThirdsWithinTolerance", true,  '.', {"0.3333333333", "0.3333333333", "0.3333333334"},
                                                          nullptr},
    {"LowerBoundIncluded",    true,  '.', {"0.999999999"}, nullptr},
    {"JustBelowTheBound",     true,  '.', {"0.9999999989"}, SUM_IS "0.9999999989)"},
    {"ShareNotANumber",       true,  '.', {"0.5", "abc"}, "'abc'" NOT_A_NUMBER},
    {"NotANumberNoPriority",  false, '.', {"abc"},        "'abc'" NOT_A_NUMBER},
    {"PointWhereCommaIsUsed", false, ',', {"0.5"},        "'0.5'" NOT_A_NUMBER},
};
// clang-format on
#undef SUM_IS
#undef NOT_A_NUMBER

INSTANTIATE_TEST_SUITE_P(Shares, ShareSumTest, ::testing::ValuesIn(ShareSumCases),
                         [](const auto& info) { return std::string(info.param.name); });

// "ОК" refuses counts that no calculation can use, in a dialog that edits a slot.
struct CountCase {
    const char* name;
    bool priority;
    bool bounded;
    const char* classes;
    const char* channels;
    const char* places;
    const char* refusal;  // nullptr: the dialog closes
};

void PrintTo(const CountCase& c, std::ostream* out) {
    *out << c.name;
}

class CountTest : public QsParametersDialogTest, public ::testing::WithParamInterface<CountCase> {};

TEST_P(CountTest, Ok) {
    const CountCase& c = GetParam();
    dialog.PrepareForQs(1);
    dialog.PriorityBox()->setChecked(c.priority);
    dialog.BoundedQueueBox()->setChecked(c.bounded);
    dialog.ClassesEdit()->setText(c.classes);
    dialog.ChannelsEdit()->setText(c.channels);
    dialog.PlacesEdit()->setText(c.places);
    dialogs.ClearLog();
    EXPECT_EQ(dialog.Confirm(), c.refusal == nullptr);
    if (c.refusal)
        EXPECT_EQ(ErrorTexts(), QStringList{QString::fromUtf8(c.refusal)});
    else
        EXPECT_TRUE(dialogs.Messages().empty());
}

const char* const ClassRange = "Число классов приоритета должно лежать в пределах от 1 до 50.";
const char* const TooManyClasses = "Число классов приоритета не может быть больше 50.";
// clang-format off
const CountCase CountCases[] = {
    // name                           priority bounded classes channels places refusal
    {"PlainQs",                        false, false, "0",   "1", "0", nullptr},
    {"NoClassesWithPriority",          true,  false, "0",   "1", "0", ClassRange},
    {"FiftyClasses",                   true,  false, "50",  "1", "0", nullptr},
    {"FiftyOneClassesWithPriority",    true,  false, "51",  "1", "0", ClassRange},
    {"FiftyOneClassesWithoutPriority", false, false, "51",  "1", "0", TooManyClasses},
    {"ClassesNotAnInteger",            false, false, "2.5", "1", "0",
                                                        "'2.5' is not a valid integer value"},
    {"NoChannels",                     false, false, "0",   "0", "0",
                                                        "Число каналов должно быть не меньше 1."},
    {"ChannelsNotAnInteger",           false, false, "0",   "x", "0",
                                                        "'x' is not a valid integer value"},
    {"NoPlacesWhenBounded",            false, true,  "0",   "2", "0",
                                                        "Число мест должно быть не меньше 1."},
    {"NoPlacesWhenNotBounded",         false, false, "0",   "2", "0", nullptr},
    {"OnePlace",                       false, true,  "0",   "2", "1", nullptr},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Counts, CountTest, ::testing::ValuesIn(CountCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QsParametersDialogTest, ChangingTheNumberOfClassesShowsTheSlotsShares) {
    Slot(1).PriorityClasses = 3;
    Slot(1).ClassShare(1) = 0.2;
    Slot(1).ClassShare(2) = 0.3;
    Slot(1).ClassShare(3) = 0.5;
    dialog.PrepareForQs(1);
    dialog.SetShareText(1, "0.9");
    dialog.ClassesEdit()->setText("2");
    EXPECT_EQ(ShareTexts(), (std::vector<QString>{"0.2", "0.3"}));
}

TEST_F(QsParametersDialogTest, ResetStoresZeroSharesAndOkThenReportsSumZero) {
    Slot(1).PriorityClasses = 2;
    Slot(1).RelativePriority = true;
    dialog.PrepareForQs(1);
    dialog.ResetClassShares();
    EXPECT_EQ(ShareTexts(), (std::vector<QString>{"0", "0"}));
    EXPECT_EQ(Slot(1).ClassShare(1), 0);
    EXPECT_EQ(Slot(1).ClassShare(2), 0);
    EXPECT_FALSE(dialog.Confirm());
    EXPECT_EQ(ErrorTexts(), QStringList{"Сумма долей вх. потока не равна 1 (равна 0)"});
}

TEST_F(QsParametersDialogTest, ClassesFieldThatIsNotAnIntegerLeavesTheTableEmpty) {
    Slot(1).PriorityClasses = 2;
    dialog.PrepareForQs(1);
    dialog.ClassesEdit()->setText("");  // an empty field changes nothing
    EXPECT_EQ(dialog.ClassRowCount(), 2);
    dialog.ResetClassShares();
    EXPECT_EQ(dialog.ClassRowCount(), 2);
    EXPECT_TRUE(dialogs.Messages().empty());

    dialog.ClassesEdit()->setText("два");
    EXPECT_EQ(dialog.ClassRowCount(), 0);
    EXPECT_EQ(ErrorTexts(), QStringList{"'два' is not a valid integer value"});
}

TEST_F(QsParametersDialogTest, MoreThanFiftyClassesAreRefusedAndNeverStored) {
    Slot(1).PriorityClasses = 2;
    dialog.PrepareForQs(1);
    dialog.ClassesEdit()->setText("60");
    EXPECT_EQ(dialog.ClassRowCount(), 0);
    dialog.ResetClassShares();
    EXPECT_EQ(ErrorTexts(), QStringList(2, "Число классов приоритета не может быть больше 50."));
    EXPECT_FALSE(dialog.TakeOver());
    EXPECT_EQ(Slot(1).PriorityClasses, 2);
}

TEST_F(QsParametersDialogTest, TakeOverStopsAtTheFirstFailedConversion) {
    Slot(1).Channels = 5;
    Slot(1).Name = "Старое";
    Slot(1).QueuePlaces = 9;
    dialog.PrepareForQs(1);
    dialog.ServiceTimeEdit()->setText("2.5");
    SetShares({"0.4", "0.6"});
    dialog.ChannelsEdit()->setText("x");
    dialog.NameEdit()->setText("Новое");
    dialog.PlacesEdit()->setText("3");
    dialog.BoundedQueueBox()->setChecked(true);

    EXPECT_FALSE(dialog.TakeOver());
    EXPECT_EQ(ErrorTexts(), QStringList{"'x' is not a valid integer value"});
    EXPECT_EQ(Slot(1).ServiceTime, 2.5);
    EXPECT_EQ(Slot(1).PriorityClasses, 2);
    EXPECT_EQ(Slot(1).ClassShare(1), 0.4);
    EXPECT_EQ(Slot(1).ClassShare(2), 0.6);
    EXPECT_EQ(Slot(1).Channels, 5);
    EXPECT_EQ(Slot(1).Name, "Старое");
    EXPECT_EQ(Slot(1).QueuePlaces, 9);
    EXPECT_FALSE(Slot(1).BoundedQueue);
}

TEST_F(QsParametersDialogTest, CloseBoxTakesTheFieldsOverWithoutTheShareCheck) {
    dialogs.QueueWindowAction([this](QWidget&) {
        dialog.PriorityBox()->setChecked(true);
        SetShares({"0.5", "0.4"});
        dialog.NameEdit()->setText("Магазинчик№1");
        dialog.ServiceTimeEdit()->setText("abc");
        dialog.reject();
    });
    dialog.EditQs(3);
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_TRUE(Slot(3).RelativePriority);
    EXPECT_EQ(Slot(3).PriorityClasses, 2);
    EXPECT_EQ(Slot(3).ClassShare(1), 0.5);
    EXPECT_EQ(Slot(3).ClassShare(2), 0.4);
    EXPECT_EQ(Slot(3).Name, "Магазинчик");  // the first 10 characters
    EXPECT_EQ(Slot(3).ServiceTime, 0);      // not a number, and no message
}

}  // namespace
}  // namespace qnetica
