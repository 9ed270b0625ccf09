#include "ui/QsParametersDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <ostream>

#include <QTest>

#include "model/NetworkFile.h"
#include "support/ScriptedDialogs.h"
#include "ui/ErrorTexts.h"
#include "widgets/DocumentDialogs.h"

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
    EXPECT_EQ(dialog.CancelButton()->text(), "Отмена");
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
    EXPECT_FALSE(model.Modified());  // opening alone changes nothing
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

// The split is shown at once and stored, exactly, by "ОК".
TEST_P(ZeroSharesTest, OpenAsTheEqualSplitInLocaleForm) {
    dialog.SetDecimalSeparator(GetParam().separator);
    Slot(1).PriorityClasses = 3;
    Slot(1).RelativePriority = true;
    dialog.PrepareForQs(1);
    EXPECT_EQ(ShareTexts(), std::vector<QString>(3, GetParam().third));
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(dialog.ClassTable()->item(k - 1, 0)->text(), QString::number(k));
    EXPECT_EQ(Slot(1).ClassShare(1), 0);
    ASSERT_TRUE(dialog.Confirm());
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(Slot(1).ClassShare(k), 1.0 / 3);
    EXPECT_EQ(Slot(1).ClassShare(4), 0);
}

INSTANTIATE_TEST_SUITE_P(Separators, ZeroSharesTest,
                         ::testing::Values(SeparatorCase{'.', "0.333333333333333"},
                                           SeparatorCase{',', "0,333333333333333"}));

// The outside world and "no node" have no parameters: nothing is shown, nothing changes.
TEST_F(QsParametersDialogTest, NoDialogForTheOutsideWorldOrNoNode) {
    const NetworkImage before = BuildNetworkImage(model);
    for (int node : {0, -1}) {
        dialog.EditQs(node);
        EXPECT_TRUE(dialogs.Log().empty());
        EXPECT_FALSE(model.Modified());
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
#define NOT_A_NUMBER " не является числом"
#define SHARE "Доля вх. потока класса "
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
    {"ShareNotANumber",       true,  '.', {"0.5", "abc"}, SHARE "2: \"abc\"" NOT_A_NUMBER},
    {"NotANumberNoPriority",  false, '.', {"abc"},        SHARE "1: \"abc\"" NOT_A_NUMBER},
    {"EmptyShare",            false, '.', {""},           SHARE "1: значение не указано"},
    {"PointWhereCommaIsShown", true, ',', {"0.5", "0,5"}, nullptr},
    {"CommaWherePointIsShown", true, '.', {"0,25", " 0,75 "}, nullptr},
    {"TwoCommas",             true,  ',', {"0,5", "0,5,0"}, SHARE "2: \"0,5,0\"" NOT_A_NUMBER},
};
// clang-format on
#undef SUM_IS
#undef NOT_A_NUMBER
#undef SHARE

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
                            "Число классов приоритета: \"2.5\" не является целым числом"},
    {"NoChannels",                     false, false, "0",   "0", "0",
                                                        "Число каналов должно быть не меньше 1."},
    {"ChannelsNotAnInteger",           false, false, "0",   "x", "0",
                                       "Число каналов: \"x\" не является целым числом"},
    {"PlacesNotAnIntegerNotBounded",   false, false, "0",   "1", "1,5",
                                       "Число мест: \"1,5\" не является целым числом"},
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

TEST_F(QsParametersDialogTest, ResetShowsZeroSharesAndOkThenReportsSumZero) {
    Slot(1).PriorityClasses = 2;
    Slot(1).ClassShare(1) = 0.25;
    Slot(1).ClassShare(2) = 0.75;
    Slot(1).RelativePriority = true;
    dialog.PrepareForQs(1);
    dialog.ResetClassShares();
    EXPECT_EQ(ShareTexts(), (std::vector<QString>{"0", "0"}));
    EXPECT_FALSE(dialog.Confirm());
    EXPECT_EQ(ErrorTexts(), QStringList{"Сумма долей вх. потока не равна 1 (равна 0)"});
    dialog.Cancel();
    EXPECT_EQ(Slot(1).ClassShare(1), 0.25);  // the slot never saw the reset
    EXPECT_EQ(Slot(1).ClassShare(2), 0.75);
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
    EXPECT_EQ(ErrorTexts(),
              QStringList{"Число классов приоритета: \"два\" не является целым числом"});
}

TEST_F(QsParametersDialogTest, MoreThanFiftyClassesAreRefusedAndNeverStored) {
    Slot(1).PriorityClasses = 2;
    dialog.PrepareForQs(1);
    dialog.ClassesEdit()->setText("60");
    EXPECT_EQ(dialog.ClassRowCount(), 0);
    dialog.ResetClassShares();
    EXPECT_FALSE(dialog.Confirm());
    EXPECT_EQ(ErrorTexts(), QStringList(3, "Число классов приоритета не может быть больше 50."));
    EXPECT_EQ(Slot(1).PriorityClasses, 2);
}

// "ОК" reads every field before it stores one: a refused field leaves the whole slot as it was.
TEST_F(QsParametersDialogTest, ARefusedFieldStoresNothing) {
    Slot(1).ServiceTime = 0.75;
    Slot(1).Channels = 5;
    Slot(1).Name = "Старое";
    Slot(1).QueuePlaces = 9;
    dialog.PrepareForQs(1);
    dialog.ServiceTimeEdit()->setText("2,5");
    SetShares({"0.4", "0.6"});
    dialog.ChannelsEdit()->setText("x");
    dialog.NameEdit()->setText("Новое");
    dialog.PlacesEdit()->setText("3");
    dialog.BoundedQueueBox()->setChecked(true);

    dialog.setResult(-1);
    EXPECT_FALSE(dialog.Confirm());
    EXPECT_EQ(dialog.result(), -1);  // still open
    EXPECT_EQ(ErrorTexts(), QStringList{"Число каналов: \"x\" не является целым числом"});
    EXPECT_EQ(Slot(1).ServiceTime, 0.75);
    EXPECT_EQ(Slot(1).PriorityClasses, 0);
    EXPECT_EQ(Slot(1).ClassShare(1), 0);
    EXPECT_EQ(Slot(1).Channels, 5);
    EXPECT_EQ(Slot(1).Name, "Старое");
    EXPECT_EQ(Slot(1).QueuePlaces, 9);
    EXPECT_FALSE(Slot(1).BoundedQueue);
    EXPECT_FALSE(model.Modified());

    dialog.ChannelsEdit()->setText("4");
    EXPECT_TRUE(dialog.Confirm());
    EXPECT_EQ(Slot(1).ServiceTime, 2.5);
    EXPECT_EQ(Slot(1).ClassShare(2), 0.6);
    EXPECT_EQ(Slot(1).Channels, 4);
    EXPECT_EQ(Slot(1).Name, "Новое");
    EXPECT_EQ(Slot(1).QueuePlaces, 3);
    EXPECT_TRUE(Slot(1).BoundedQueue);
    EXPECT_TRUE(model.Modified());
}

// However the dialog is left without "ОК", nothing typed, reset or defaulted reaches the slot.
class DiscardTest : public QsParametersDialogTest,
                    public ::testing::WithParamInterface<const char*> {};

TEST_P(DiscardTest, LeavesTheSlotAsItWas) {
    const std::string way = GetParam();
    Slot(3).PriorityClasses = 2;  // shares 0: the dialog shows the equal split
    const NetworkImage before = BuildNetworkImage(model);
    dialogs.QueueWindowAction([&](QWidget& window) {
        dialog.PriorityBox()->setChecked(true);
        SetShares({"0.5", "0.5"});
        dialog.ResetClassShares();
        dialog.NameEdit()->setText("Магазин");
        dialog.ServiceTimeEdit()->setText("3");
        if (way == "Cancel") dialog.CancelButton()->click();
        if (way == "Esc") QTest::keyClick(&dialog, Qt::Key_Escape);
        if (way == "CloseBox") {
            window.show();
            window.close();
        }
    });
    dialog.EditQs(3);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(BuildNetworkImage(model), before);
    EXPECT_FALSE(model.Modified());
}

INSTANTIATE_TEST_SUITE_P(Ways, DiscardTest, ::testing::Values("Cancel", "Esc", "CloseBox"));

// Slots whose values the dialog's texts cannot show exactly, and shares it shows only as a
// default: opened and confirmed unchanged, each keeps its bits and the network is not marked.
struct UnchangedCase {
    const char* name;
    void (*prepare)(QsParams&);
};

void PrintTo(const UnchangedCase& c, std::ostream* out) {
    *out << c.name;
}

class UnchangedTest : public ::testing::TestWithParam<UnchangedCase> {};

TEST_P(UnchangedTest, OkKeepsTheSlotAndRecordsNothing) {
    ScriptedDialogs dialogs;
    DocumentDialogs questions(dialogs);
    NetworkDocument document(questions);
    NetworkModel& model = document.Model();
    document.AddQs();
    document.AddQs();
    GetParam().prepare(model.Qs(2));
    document.RecordChange("подготовка");
    model.SetModified(false);
    int recorded = 0;
    struct Counter : DocumentListener {
        int* count;
        void ChangeRecorded(const std::shared_ptr<const NetworkChange>&) override { ++*count; }
    } counter;
    counter.count = &recorded;
    document.AddListener(&counter);
    const NetworkImage before = BuildNetworkImage(model);
    QsParametersDialog dialog(document, dialogs);
    dialog.SetDecimalSeparator(',');
    dialog.PrepareForQs(2);
    EXPECT_TRUE(dialog.Confirm());
    EXPECT_EQ(BuildNetworkImage(model), before);
    EXPECT_FALSE(model.Modified());
    EXPECT_EQ(recorded, 0);
    // A change is recorded once, by its QS.
    dialog.PrepareForQs(2);
    dialog.NameEdit()->setText("Другое");
    EXPECT_TRUE(dialog.Confirm());
    EXPECT_EQ(recorded, 1);
    EXPECT_TRUE(model.Modified());
    document.RemoveListener(&counter);
}

// clang-format off
const UnchangedCase UnchangedCases[] = {
    {"ServiceTimeOfATwelfthDigit", [](QsParams& qs) { qs.ServiceTime = 1.0 / 3; }},
    {"ServiceTimeBeyondTenDecimals", [](QsParams& qs) { qs.ServiceTime = 1.23456789012345e-7; }},
    {"PlainQsWithZeroShares", [](QsParams& qs) { qs.PriorityClasses = 3; }},
    {"PriorityThirds", [](QsParams& qs) {
         qs.RelativePriority = true;
         qs.PriorityClasses = 3;
         qs.ClassShares = {1.0 / 3, 1.0 / 3, 1.0 / 3};
     }},
    {"SharesOfSeventeenDigits", [](QsParams& qs) {
         qs.RelativePriority = true;
         qs.PriorityClasses = 2;
         qs.ClassShares = {0.1234567890123456, 1 - 0.1234567890123456};
     }},
    {"BoundedQueue", [](QsParams& qs) {
         qs.BoundedQueue = true;
         qs.QueuePlaces = 4;
         qs.Channels = 2;
         qs.ServiceTime = 0.1;
     }},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Slots, UnchangedTest, ::testing::ValuesIn(UnchangedCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qnetica
