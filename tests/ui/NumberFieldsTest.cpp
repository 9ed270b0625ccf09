// Every number the user types into the windows, with each text of one table: the value the
// field's owner holds afterwards, or the refusal that names the field and quotes the text while
// the value stays as it was. Never a silent 0: every field starts from a value that is not 0.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <bit>
#include <functional>
#include <optional>
#include <ostream>

#include "editor/GeneratorDialog.h"
#include "model/NumberText.h"
#include "support/ScriptedDialogs.h"
#include "ui/ErrorTexts.h"
#include "ui/MainWindow.h"
#include "ui/QsParametersDialog.h"
#include "ui/RunParametersDialog.h"
#include "ui/TransferMatrixTableModel.h"
#include "ui/ValueInputDialog.h"
#include "widgets/DocumentDialogs.h"

namespace qnetica {
namespace {

constexpr double Before = 7.25;  // every number field's value before the text is typed
constexpr int BeforeInteger = 7;

// What became of one typed text.
struct Outcome {
    double Value = 0;    // what the field's owner holds afterwards
    std::string Text;    // the text it keeps, for the fields that keep one
    QStringList Errors;  // the error boxes shown
    int Open = -1;       // the dialog stayed open (1) or closed (0); -1: no dialog closes
    int Records = -1;    // changes recorded for undo; -1: the field's owner records none
};

// The document with a listener that counts what it records from now on.
struct RecordedDocument : DocumentListener {
    ScriptedDialogs dialogs;
    DocumentDialogs questions{dialogs};
    NetworkDocument document{questions};
    NetworkModel& model = document.Model();
    int records = 0;

    void StartCounting() {
        document.RecordChange("подготовка");
        document.AddListener(this);
    }
    ~RecordedDocument() override { document.RemoveListener(this); }
    void ChangeRecorded(const std::shared_ptr<const NetworkChange>&) override { ++records; }
    Outcome Finish(double value, std::string text = {}) {
        return {value, std::move(text), test::ErrorTexts(dialogs), -1, records};
    }
};

Outcome InputRateField(const QString& typed) {
    RecordedDocument d;
    MainWindow form(d.document, d.dialogs);
    d.model.SetInputRateText("7.25");
    d.StartCounting();
    form.InputRateEdit()->setText(typed);
    emit form.InputRateEdit()->editingFinished();
    return d.Finish(ParseNumber(d.model.InputRateText()), d.model.InputRateText());
}

Outcome MatrixCell(const QString& typed) {
    RecordedDocument d;
    MainWindow form(d.document, d.dialogs);
    form.AddQs();
    form.AddQs();
    d.model.Matrix().SetCell(1, 2, "7.25");
    d.StartCounting();
    TransferMatrixTableModel* table = form.MatrixTable();
    table->setData(table->index(1, 2), typed, Qt::EditRole);
    QCoreApplication::processEvents();  // the refusal is shown once the cell's editor is gone
    return d.Finish(d.model.Matrix().Number(1, 2).Value, d.model.Matrix().Cell(1, 2));
}

// The QS parameters dialog on QS 1, whose fields the slot filled, with one field typed over.
Outcome QsParameter(const QString& typed, const std::function<void(QsParams&)>& prepare,
                    const std::function<void(QsParametersDialog&, const QString&)>& type,
                    const std::function<double(const QsParams&)>& stored) {
    RecordedDocument d;
    d.document.AddQs();
    prepare(d.model.Qs(1));
    d.StartCounting();
    QsParametersDialog dialog(d.document, d.dialogs);
    dialog.PrepareForQs(1);
    type(dialog, typed);
    d.dialogs.ClearLog();  // a change of the number of classes shows its own refusal at once
    dialog.setResult(-1);
    dialog.Confirm();
    Outcome outcome = d.Finish(stored(d.model.Qs(1)));
    outcome.Open = dialog.result() != QDialog::Accepted;
    return outcome;
}

Outcome ServiceTimeField(const QString& typed) {
    return QsParameter(
        typed, [](QsParams& qs) { qs.ServiceTime = Before; },
        [](QsParametersDialog& dialog, const QString& text) {
            dialog.ServiceTimeEdit()->setText(text);
        },
        [](const QsParams& qs) { return qs.ServiceTime; });
}

Outcome ClassShareField(const QString& typed) {
    return QsParameter(
        typed,
        [](QsParams& qs) {
            qs.PriorityClasses = 1;
            qs.ClassShare(1) = Before;  // no priority: the share's sum is not checked
        },
        [](QsParametersDialog& dialog, const QString& text) { dialog.SetShareText(1, text); },
        [](const QsParams& qs) { return qs.ClassShare(1); });
}

Outcome QsCount(const QString& typed, QLineEdit* (QsParametersDialog::*field)() const,
                std::int32_t QsParams::*member) {
    return QsParameter(
        typed, [member](QsParams& qs) { qs.*member = BeforeInteger; },
        [field](QsParametersDialog& dialog, const QString& text) {
            (dialog.*field)()->setText(text);
        },
        [member](const QsParams& qs) { return qs.*member; });
}

Outcome ChannelsField(const QString& typed) {
    return QsCount(typed, &QsParametersDialog::ChannelsEdit, &QsParams::Channels);
}
Outcome PlacesField(const QString& typed) {
    return QsCount(typed, &QsParametersDialog::PlacesEdit, &QsParams::QueuePlaces);
}
Outcome ClassesField(const QString& typed) {
    return QsCount(typed, &QsParametersDialog::ClassesEdit, &QsParams::PriorityClasses);
}

// The value input dialog as the editor asks it for a link's probability.
Outcome ValueField(const QString& typed) {
    ScriptedDialogs dialogs;
    NetworkModel model;
    ValueInputDialog dialog(model, dialogs);
    int open = -1;
    dialogs.QueueWindowAction([&](QWidget&) {
        dialog.ValueEdit()->setText(typed);
        dialog.Confirm();
        open = dialog.result() != QDialog::Accepted;
    });
    const QString text = dialog.AskValue("Вероятность перехода из S1 в S2", "7.25");
    return {ParseNumber(text.toStdString()), text.toStdString(), test::ErrorTexts(dialogs), open};
}

// The generator's four fields: one typed, the others valid.
Outcome Generated(const QString& typed, int field,
                  const std::function<double(const NetworkModel&)>& stored) {
    RecordedDocument d;
    d.model.SetInputRate(Before);
    d.model.Qs(1).ServiceTime = Before;
    d.model.Qs(1).Channels = BeforeInteger;
    d.StartCounting();
    GeneratorDialog dialog(d.document, d.dialogs);
    dialog.SetImageAreaSource([] { return QSize(800, 600); });
    QLineEdit* fields[] = {dialog.IntensityEdit(), dialog.ServiceTimeEdit(), dialog.ChannelsEdit(),
                           dialog.QsCountEdit()};
    const char* valid[] = {"1", "1", "1", "2"};
    for (int f = 0; f < 4; ++f) fields[f]->setText(f == field ? typed : QString(valid[f]));
    dialog.setResult(-1);
    dialog.Generate();
    Outcome outcome = d.Finish(stored(d.model), field == 0 ? d.model.InputRateText() : "");
    outcome.Open = dialog.result() != QDialog::Accepted;
    return outcome;
}

Outcome GeneratorIntensity(const QString& typed) {
    return Generated(typed, 0, [](const NetworkModel& m) { return m.InputRate(); });
}
Outcome GeneratorServiceTime(const QString& typed) {
    return Generated(typed, 1, [](const NetworkModel& m) { return m.Qs(1).ServiceTime; });
}
Outcome GeneratorChannels(const QString& typed) {
    return Generated(typed, 2, [](const NetworkModel& m) { return m.Qs(1).Channels; });
}
// n base QS make 2^n - 1 QS in all.
Outcome GeneratorQsCount(const QString& typed) {
    return Generated(typed, 3, [](const NetworkModel& m) {
        return m.NodeCount() == 1 ? BeforeInteger
                                  : std::bit_width(static_cast<unsigned>(m.QsCount()));
    });
}

// The calculation parameters of a network of one QS, in a varied run.
Outcome RunParameter(const QString& typed, QLineEdit* (RunParametersDialog::*field)() const,
                     const std::function<bool(RunParametersDialog&)>& confirm,
                     const std::function<double(const VariationPlan&)>& stored) {
    ScriptedDialogs dialogs;
    NetworkModel model;
    model.AddNode();
    model.SetInputRate(Before);
    model.Qs(1).ServiceTime = Before;
    model.Qs(1).Channels = BeforeInteger;
    model.Qs(1).QueuePlaces = BeforeInteger;
    VariationPlan plan;
    plan.StepCount = BeforeInteger;
    RunParametersDialog dialog(model, dialogs);
    dialog.PrepareForOpening(plan);
    dialog.VariedRunButton()->setChecked(true);
    (dialog.*field)()->setText(typed);
    dialog.setResult(-1);
    const bool closes = confirm(dialog);
    Outcome outcome{stored(plan), {}, test::ErrorTexts(dialogs)};
    if (closes) outcome.Open = dialog.result() != QDialog::Accepted;
    return outcome;
}

bool Continue(RunParametersDialog& dialog) {
    dialog.Continue();
    return true;
}

Outcome RunInputRateFrom(const QString& typed) {
    return RunParameter(typed, &RunParametersDialog::InputRateFromField, Continue,
                        [](const VariationPlan& plan) { return plan.InputRateFrom; });
}
Outcome RunInputRateTo(const QString& typed) {
    return RunParameter(typed, &RunParametersDialog::InputRateToField, Continue,
                        [](const VariationPlan& plan) { return plan.InputRateTo; });
}
Outcome RunStepCount(const QString& typed) {
    return RunParameter(typed, &RunParametersDialog::StepCountField, Continue,
                        [](const VariationPlan& plan) { return plan.StepCount; });
}
// A per-QS row's field, stored by the row's OK button, which closes nothing.
template <QLineEdit* (RunParametersDialog::*field)() const, void (RunParametersDialog::*ok)(),
          auto member>
Outcome RunRow(const QString& typed) {
    return RunParameter(
        typed, field,
        [](RunParametersDialog& dialog) {
            (dialog.*ok)();
            return false;
        },
        [](const VariationPlan& plan) { return plan.Qs(1).*member; });
}

using D = RunParametersDialog;
constexpr auto RunServiceFrom =
    RunRow<&D::ServiceFromField, &D::StoreServiceRange, &QsPlan::ServiceFrom>;
constexpr auto RunServiceTo = RunRow<&D::ServiceToField, &D::StoreServiceRange, &QsPlan::ServiceTo>;
constexpr auto RunChannelsFrom =
    RunRow<&D::ChannelsFromField, &D::StoreChannelsRange, &QsPlan::ChannelsFrom>;
constexpr auto RunChannelsTo =
    RunRow<&D::ChannelsToField, &D::StoreChannelsRange, &QsPlan::ChannelsTo>;
constexpr auto RunPlacesFrom =
    RunRow<&D::PlacesFromField, &D::StorePlacesRange, &QsPlan::PlacesFrom>;
constexpr auto RunPlacesTo = RunRow<&D::PlacesToField, &D::StorePlacesRange, &QsPlan::PlacesTo>;

enum class Kind { Number, Integer };

struct Field {
    const char* name;  // as the refusal names it
    Kind kind;
    bool emptyAllowed;
    bool keepsText;  // the model keeps the typed text ("." before its decimals)
    Outcome (*enter)(const QString& typed);
};

void PrintTo(const Field& field, std::ostream* out) {
    *out << field.name;
}

// The texts and what a number field and a whole-number field make of them.
struct Typed {
    const char* text;
    std::optional<double> number;  // nullopt: refused
    const char* kept;              // the model's text of the number
    std::optional<int> integer;
};

const Typed TypedTexts[] = {
    {"0,2", 0.2, "0.2", {}},     {"0.2", 0.2, "0.2", {}},
    {" 0,2 ", 0.2, "0.2", {}},   {"1e-3", 0.001, "1e-3", {}},
    {"1,5e2", 150, "1.5e2", {}}, {"abc", {}, "", {}},
    {"0,2,3", {}, "", {}},       {"3", 3, "3", 3},
    {" 2 ", 2, "2", 2},
};

class NumberFieldTest : public ::testing::TestWithParam<Field> {};

TEST_P(NumberFieldTest, StoresTheNumberOrRefusesTheText) {
    const Field& field = GetParam();
    const double before = field.kind == Kind::Number ? Before : BeforeInteger;
    for (const Typed& typed : TypedTexts) {
        SCOPED_TRACE(typed.text);
        const Outcome outcome = field.enter(QString::fromUtf8(typed.text));
        const auto value =
            field.kind == Kind::Number ? typed.number : std::optional<double>(typed.integer);
        if (value) {
            EXPECT_EQ(outcome.Value, *value);
            if (field.keepsText) {
                EXPECT_EQ(outcome.Text, typed.kept);
            }
            EXPECT_TRUE(outcome.Errors.isEmpty()) << outcome.Errors.join("|").toStdString();
            if (outcome.Open != -1) {
                EXPECT_EQ(outcome.Open, 0);
            }
            if (outcome.Records != -1) {
                EXPECT_EQ(outcome.Records, 1);
            }
            continue;
        }
        const char* what = field.kind == Kind::Number ? "числом" : "целым числом";
        EXPECT_EQ(outcome.Errors,
                  QStringList(QStringLiteral("%1: \"%2\" не является %3")
                                  .arg(QString::fromUtf8(field.name), QString::fromUtf8(typed.text),
                                       QString::fromUtf8(what))));
        EXPECT_EQ(outcome.Value, before);  // never 0
        if (outcome.Open != -1) {
            EXPECT_EQ(outcome.Open, 1);
        }
        if (outcome.Records != -1) {
            EXPECT_EQ(outcome.Records, 0);
        }
    }
}

// Where a value is required an empty field is refused; the input rate, a matrix cell and the
// value input dialog may stay empty (no rate yet, no transfer).
TEST_P(NumberFieldTest, AnEmptyFieldIsRefusedWhereAValueIsRequired) {
    const Field& field = GetParam();
    const Outcome outcome = field.enter({});
    if (field.emptyAllowed) {
        EXPECT_TRUE(outcome.Errors.isEmpty());
        EXPECT_EQ(outcome.Text, "");
        if (outcome.Records != -1) {
            EXPECT_EQ(outcome.Records, 1);
        }
        return;
    }
    EXPECT_EQ(outcome.Errors,
              QStringList(QString::fromUtf8(field.name) + QStringLiteral(": значение не указано")));
    EXPECT_EQ(outcome.Value, field.kind == Kind::Number ? Before : BeforeInteger);
    if (outcome.Open != -1) {
        EXPECT_EQ(outcome.Open, 1);
    }
    if (outcome.Records != -1) {
        EXPECT_EQ(outcome.Records, 0);
    }
}

// clang-format off
const Field Fields[] = {
    {"Интенсивность вх. потока",           Kind::Number,  true,  true,  InputRateField},
    {"Вероятность перехода из S1 в S2",    Kind::Number,  true,  true,  MatrixCell},
    {"Время обслуживания",                 Kind::Number,  false, false, ServiceTimeField},
    {"Доля вх. потока класса 1",           Kind::Number,  false, false, ClassShareField},
    {"Число каналов",                      Kind::Integer, false, false, ChannelsField},
    {"Число мест",                         Kind::Integer, false, false, PlacesField},
    {"Число классов приоритета",           Kind::Integer, false, false, ClassesField},
    {"Вероятность перехода из S1 в S2",    Kind::Number,  true,  true,  ValueField},
    {"Интенсивность входящего потока",     Kind::Number,  false, true,  GeneratorIntensity},
    {"Время обслуживания",                 Kind::Number,  false, false, GeneratorServiceTime},
    {"Число каналов",                      Kind::Integer, false, false, GeneratorChannels},
    {"Количество СМО",                     Kind::Integer, false, false, GeneratorQsCount},
    {"Интенсивность входного потока, от",  Kind::Number,  false, false, RunInputRateFrom},
    {"Интенсивность входного потока, до",  Kind::Number,  false, false, RunInputRateTo},
    {"Время обслуживания, от",             Kind::Number,  false, false, RunServiceFrom},
    {"Время обслуживания, до",             Kind::Number,  false, false, RunServiceTo},
    {"Число каналов, от",                  Kind::Integer, false, false, RunChannelsFrom},
    {"Число каналов, до",                  Kind::Integer, false, false, RunChannelsTo},
    {"Число мест, от",                     Kind::Integer, false, false, RunPlacesFrom},
    {"Число мест, до",                     Kind::Integer, false, false, RunPlacesTo},
    {"Кол-во циклов",                      Kind::Integer, false, false, RunStepCount},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Fields, NumberFieldTest, ::testing::ValuesIn(Fields),
                         [](const auto& info) { return "Field" + std::to_string(info.index); });

}  // namespace
}  // namespace qnetica
