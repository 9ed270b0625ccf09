// What the windows show of the numbers: the user's decimal separator everywhere on screen while
// the model, the files and the reports keep ".", each cell's whole text as its tooltip, and the
// rows of the matrix whose sum is not 1.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <optional>

#include "engine/AnalysisEngine.h"
#include "model/NetworkFile.h"
#include "support/ScriptedDialogs.h"
#include "ui/MainWindow.h"
#include "ui/QsParametersDialog.h"
#include "ui/ResultsDialog.h"
#include "ui/RunParametersDialog.h"
#include "ui/TransferMatrixTableModel.h"
#include "ui/ValueInputDialog.h"
#include "widgets/DocumentDialogs.h"

namespace qnetica {
namespace {

// The locale of a Russian user for one test: its decimal separator is the comma.
class CommaLocale {
  public:
    CommaLocale() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    ~CommaLocale() { QLocale::setDefault(saved_); }

  private:
    QLocale saved_;
};

class MatrixGridTest : public ::testing::Test {
  protected:
    MatrixGridTest() {
        for (int k = 1; k <= 3; ++k) document.AddQs();  // nodes S0..S3
    }
    QVariant Header(int row, int role) const {
        return form.MatrixTable()->headerData(row, Qt::Vertical, role);
    }
    QVariant Cell(int from, int to, int role) const {
        return form.MatrixTable()->index(from, to).data(role);
    }
    // Whether a calculation of the network reports the sum of the row.
    bool CalculationNamesRow(int row) {
        struct Messages : CalculationObserver {
            std::vector<std::string> Texts;
            void ShowMessage(MessageKind, const std::string& text) override {
                Texts.push_back(text);
            }
            void SetProgress(int) override {}
        } messages;
        for (int k = 1; k < model.NodeCount(); ++k) model.Qs(k).ServiceTime = 0.01;
        model.SetInputRate(1);
        AnalysisEngine engine;
        CalculationContext context;
        engine.StartRun();
        context.StartStep(1);
        engine.CalculateStep(model, context, messages);
        const std::string start = "Сумма " + std::to_string(row) + "-ой строки";
        return std::any_of(messages.Texts.begin(), messages.Texts.end(),
                           [&](const std::string& text) { return text.starts_with(start); });
    }

    ScriptedDialogs dialogs;
    DocumentDialogs questions{dialogs};
    NetworkDocument document{questions};
    NetworkModel& model = document.Model();
    MainWindow form{document, dialogs};
};

struct RowCase {
    const char* name;
    std::vector<std::pair<int, const char*>> cells;  // (column, text) of row 1
    std::optional<const char*> tooltip;              // nullopt: the row is not marked
};

void PrintTo(const RowCase& c, std::ostream* out) {
    *out << c.name;
}

class RowSumTest : public MatrixGridTest, public ::testing::WithParamInterface<RowCase> {};

// Row S1 of a network of four nodes; the calculation's tolerance 0.999999999..1.000000001.
TEST_P(RowSumTest, MarksTheRowHeaderWithTheSum) {
    for (const auto& [column, text] : GetParam().cells) model.Matrix().SetCell(1, column, text);
    form.MatrixTable()->CellsChanged();
    const auto& tooltip = GetParam().tooltip;
    EXPECT_EQ(Header(1, Qt::DisplayRole).toString(), "S1");  // the label stays
    EXPECT_EQ(Header(1, Qt::BackgroundRole).isValid(), tooltip.has_value());
    EXPECT_EQ(Header(1, Qt::ForegroundRole).isValid(), tooltip.has_value());
    if (tooltip) {
        EXPECT_EQ(Header(1, Qt::ToolTipRole).toString(), QString::fromUtf8(*tooltip));
    } else {
        EXPECT_FALSE(Header(1, Qt::ToolTipRole).isValid());
    }
    // The calculation names the same row, and only where the grid marks it.
    EXPECT_EQ(CalculationNamesRow(1), tooltip.has_value());
}

#define SUM "Сумма строки S1 не равна 1: "
// clang-format off
const RowCase RowCases[] = {
    {"One",                 {{0, "0.5"}, {2, "0.5"}},                              {}},
    {"Thirds",              {{0, "0.3333333333"}, {1, "0.3333333333"}, {3, "0.3333333333"}},
                                                                                   {}},
    {"JustAboveTheLowerBound", {{0, "0.9999999991"}},                              {}},
    {"BelowTheLowerBound",  {{0, "0.9999999989"}},                   SUM "0.9999999989"},
    {"JustBelowTheUpperBound", {{0, "1.0000000009"}},                              {}},
    {"AboveTheUpperBound",  {{0, "1.0000000011"}},                   SUM "1.0000000011"},
    // At the bounds themselves the double of the text decides, as in the calculation.
    {"UpperBound",          {{0, "1.000000001"}},                    SUM "1.0000000010"},
    {"PointNine",           {{0, "0.5"}, {3, "0,4"}},                SUM "0.9000000000"},
    {"Empty",               {},                                      SUM "0.0000000000"},
    {"NoNumberCountsAsZero", {{0, "0.5"}, {2, "x"}},                 SUM "0.5000000000"},
    {"BeyondTheNetwork",    {{0, "0.5"}, {4, "0.5"}, {150, "0.5"}},  SUM "0.5000000000"},
};
// clang-format on
#undef SUM

INSTANTIATE_TEST_SUITE_P(Rows, RowSumTest, ::testing::ValuesIn(RowCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MatrixGridTest, OnlyTheRowsOfTheNetworkAreMarkedTheOutsideWorldsToo) {
    model.Matrix().SetCell(1, 0, "1");
    model.Matrix().SetCell(2, 0, "1");
    model.Matrix().SetCell(3, 0, "1");
    form.MatrixTable()->CellsChanged();
    EXPECT_TRUE(Header(0, Qt::BackgroundRole).isValid());  // S0 sends nowhere yet
    for (int row : {1, 2, 3, 4, 150})
        EXPECT_FALSE(Header(row, Qt::BackgroundRole).isValid()) << row;
    // A cell typed into the grid updates the mark of its row.
    QSignalSpy headers(form.MatrixTable(), &QAbstractItemModel::headerDataChanged);
    ASSERT_TRUE(form.MatrixTable()->setData(form.MatrixTable()->index(0, 2), "1", Qt::EditRole));
    EXPECT_FALSE(Header(0, Qt::BackgroundRole).isValid());
    ASSERT_FALSE(headers.isEmpty());
    EXPECT_EQ(headers.first().at(1).toInt(), 0);
}

TEST_F(MatrixGridTest, EachCellsWholeTextIsItsTooltip) {
    model.Matrix().SetCell(1, 2, "0.33333333333333333");
    model.Matrix().SetCell(1, 3, "abc");
    EXPECT_EQ(Cell(1, 2, Qt::ToolTipRole).toString(), "0.33333333333333333");
    EXPECT_EQ(Cell(1, 3, Qt::ToolTipRole).toString(), "abc");
    EXPECT_FALSE(Cell(1, 1, Qt::ToolTipRole).isValid());  // an empty cell has none
}

TEST_F(MatrixGridTest, CellsShowTheUsersSeparatorAndKeepThePoint) {
    CommaLocale russian;
    model.Matrix().SetCell(1, 2, "0.3333333333");
    model.Matrix().SetCell(1, 3, "1e-3");
    model.Matrix().SetCell(2, 1, "abc");  // from a file: shown as it is
    EXPECT_EQ(Cell(1, 2, Qt::DisplayRole).toString(), "0,3333333333");
    EXPECT_EQ(Cell(1, 2, Qt::EditRole).toString(), "0,3333333333");
    EXPECT_EQ(Cell(1, 2, Qt::ToolTipRole).toString(), "0,3333333333");
    EXPECT_EQ(Cell(1, 3, Qt::DisplayRole).toString(), "1e-3");
    EXPECT_EQ(Cell(2, 1, Qt::DisplayRole).toString(), "abc");
    TransferMatrixTableModel* table = form.MatrixTable();
    ASSERT_TRUE(table->setData(table->index(1, 2), " 0,25 ", Qt::EditRole));
    ASSERT_TRUE(table->setData(table->index(1, 3), "0.75", Qt::EditRole));
    EXPECT_EQ(model.Matrix().Cell(1, 2), "0.25");
    EXPECT_EQ(model.Matrix().Cell(1, 3), "0.75");
    EXPECT_EQ(Cell(1, 3, Qt::DisplayRole).toString(), "0,75");
}

// The input rate field: a number typed with either separator goes to the model with "."; the
// field then shows the user's. A refused text takes the field and the model back to the rate of
// the last finished edit.
TEST_F(MatrixGridTest, InputRateFieldShowsTheUsersSeparator) {
    CommaLocale russian;
    QLineEdit* field = form.InputRateEdit();
    model.SetInputRateText("1.5");
    EXPECT_EQ(field->text(), "1,5");
    field->setText("2.5");
    EXPECT_EQ(model.InputRateText(), "2.5");
    EXPECT_EQ(field->text(), "2.5");  // left as typed until the edit ends
    emit field->editingFinished();
    EXPECT_EQ(field->text(), "2,5");

    field->setText("3,5");
    field->setText("3,5x");
    EXPECT_EQ(model.InputRateText(), "3.5");
    emit field->editingFinished();
    EXPECT_EQ(model.InputRateText(), "2.5");
    EXPECT_EQ(field->text(), "2,5");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].Text, "Интенсивность вх. потока: \"3,5x\" не является числом");
}

TEST_F(MatrixGridTest, AnOpenedFileShowsItsRateWithTheUsersSeparatorAndKeepsItsBytes) {
    CommaLocale russian;
    QTemporaryDir folder;
    const std::string path = folder.filePath("net.qnf").toStdString();
    model.SetInputRate(5);
    model.Matrix().SetCell(0, 1, "0,5");  // as an older file may hold it
    model.Matrix().SetCell(0, 2, "0.5");
    ASSERT_TRUE(SaveNetworkFile(model, path).Ok);
    const NetworkImage saved = BuildNetworkImage(model);
    ASSERT_TRUE(document.OpenPath(path));
    EXPECT_EQ(form.InputRateEdit()->text(), "5,0000000000");
    EXPECT_EQ(Cell(0, 1, Qt::DisplayRole).toString(), "0,5");
    EXPECT_FALSE(Header(0, Qt::BackgroundRole).isValid());  // 0,5 + 0.5 is 1
    EXPECT_EQ(BuildNetworkImage(model), saved);
}

TEST(ShownNumbersTest, DialogsShowTheUsersSeparator) {
    CommaLocale russian;
    ScriptedDialogs dialogs;
    NetworkModel model;
    model.AddNode();
    model.Qs(1).ServiceTime = 0.5;
    model.SetInputRate(2.5);

    QsParametersDialog parameters(model, dialogs);
    parameters.PrepareForQs(1);
    EXPECT_EQ(parameters.ServiceTimeEdit()->text(), "0,5000000000");

    RunParametersDialog run(model, dialogs);
    VariationPlan plan;
    run.PrepareForOpening(plan);
    EXPECT_EQ(run.InputRateFromField()->text(), "2,5000000000");
    EXPECT_EQ(run.ServiceFromField()->text(), "0,5000000000");

    ValueInputDialog value(model, dialogs);
    dialogs.QueueWindowAction([&](QWidget&) {
        EXPECT_EQ(value.ValueEdit()->text(), "0,5000000000");
        value.ValueEdit()->setText("0,25");
        value.Confirm();
    });
    EXPECT_EQ(value.AskValue("Вероятность перехода из S1 в S2", "0.5000000000"), "0.25");
    EXPECT_TRUE(dialogs.Messages().empty());
}

// The grids show the numbers with the user's separator; the tables, which the report writes,
// keep theirs, and a QS's name is shown as typed even when it looks like a number.
TEST(ShownNumbersTest, ResultGridsShowTheUsersSeparator) {
    CommaLocale russian;
    ScriptedDialogs dialogs;
    ResultTables tables;
    tables.SourceTable[1] = {"1", "1.5", "0.5000000000", "2"};
    tables.QsTable[1] = {"1", "1.0000000000", "NAN", "", "0.2500000000", "", "", "", ""};
    for (std::size_t r = 0; r < NetworkRowCount; ++r)
        tables.NetworkTable[r] = {"Среднее число заявок в сети: ", "12.3400000000"};
    ResultsDialog window(dialogs);
    window.PrepareForOpening(tables, 2);
    EXPECT_EQ(window.SourceGrid()->item(0, 1)->text(), "1.5");
    EXPECT_EQ(window.SourceGrid()->item(0, 2)->text(), "0,5000000000");
    EXPECT_EQ(window.QsGrid()->item(0, 1)->text(), "1,0000000000");
    EXPECT_EQ(window.QsGrid()->item(0, 2)->text(), "NAN");
    EXPECT_EQ(window.QsGrid()->item(0, 4)->text(), "0,2500000000");
    EXPECT_EQ(window.NetworkGrid()->item(1, 0)->text(), "Среднее число заявок в сети: ");
    EXPECT_EQ(window.NetworkGrid()->item(1, 1)->text(), "12,3400000000");
    EXPECT_EQ(tables.SourceTable[1][2], "0.5000000000");
    EXPECT_EQ(tables.NetworkTable[1][1], "12.3400000000");
}

}  // namespace
}  // namespace qnetica
