#include "ui/ResultsDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include "model/TextConcat.h"
#include "runs/QuietRunPresenter.h"
#include "runs/RunCalculation.h"
#include "support/ScriptedDialogs.h"

namespace qnetica {
namespace {

class ResultsDialogTest : public ::testing::Test {
  protected:
    // Tables of a network of n nodes whose every cell names its place.
    void FillTables(int nodeCount) {
        for (int r = 1; r < nodeCount; ++r) {
            for (std::size_t c = 0; c < SourceColumnCount; ++c)
                tables.SourceTable[r][c] = Concat({"s", std::to_string(r), std::to_string(c)});
            for (std::size_t c = 0; c < QsColumnCount; ++c)
                tables.QsTable[r][c] = Concat({"q", std::to_string(r), std::to_string(c)});
        }
        for (std::size_t r = 0; r < NetworkRowCount; ++r)
            for (std::size_t c = 0; c < NetworkColumnCount; ++c)
                tables.NetworkTable[r][c] = Concat({"n", std::to_string(r), std::to_string(c)});
    }
    std::vector<int> RowCounts() const {
        return {window.RowCount(window.SourceGrid()), window.RowCount(window.QsGrid()),
                window.RowCount(window.NetworkGrid())};
    }

    ScriptedDialogs dialogs;
    ResultTables tables;
    ResultsDialog window{dialogs};
};

TEST_F(ResultsDialogTest, ShowsTheThreeTablesInOrderWithTheirHeaders) {
    FillTables(3);
    window.PrepareForOpening(tables, 3);
    EXPECT_EQ(window.windowTitle(), "Результат");
    EXPECT_EQ(window.ReportButton()->text(), "Отчет");
    EXPECT_EQ(window.OkButton()->text(), "ОК");  // Cyrillic letters
    EXPECT_EQ(window.minimumSize(), QSize(250, 100));
    EXPECT_EQ(RowCounts(), (std::vector<int>{3, 3, 5}));
    EXPECT_EQ(window.SourceGrid()->columnCount(), 4);
    EXPECT_EQ(window.QsGrid()->columnCount(), 11);  // the report's nine and a bounded QS's losses
    EXPECT_EQ(window.NetworkGrid()->columnCount(), 2);
    EXPECT_EQ(window.SourceGrid()->horizontalHeaderItem(0)->text(), "Номер СМО");
    EXPECT_EQ(window.QsGrid()->horizontalHeaderItem(3)->text(), "Коэфф. загрузки");
    EXPECT_EQ(window.SourceGrid()->item(1, 3)->text(), "s23");
    EXPECT_EQ(window.QsGrid()->item(0, 8)->text(), "q18");
    EXPECT_EQ(window.NetworkGrid()->item(4, 1)->text(), "n41");
    // The window writes its own header variant into the tables, for the report.
    EXPECT_EQ(tables.QsTable[0][3], "Коэфф. загрузки");
}

TEST_F(ResultsDialogTest, GridsAreReadOnlyOnTheTooltipColourWithLightGreenHeaders) {
    window.PrepareForOpening(tables, 2);
    for (QTableWidget* grid : {window.SourceGrid(), window.QsGrid(), window.NetworkGrid()}) {
        EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(grid->palette().color(QPalette::Base),
                  QToolTip::palette().color(QPalette::ToolTipBase));
        EXPECT_TRUE(grid->horizontalHeader()->styleSheet().contains("#c0f0c0"));
    }
    EXPECT_TRUE(window.NetworkGrid()->horizontalHeader()->isHidden());  // no header row
}

TEST_F(ResultsDialogTest, NetworkWithoutQsKeepsTheLastRowCountAndSmallerNetworksHideOldRows) {
    FillTables(5);
    window.PrepareForOpening(tables, 5);
    EXPECT_EQ(RowCounts(), (std::vector<int>{5, 5, 5}));
    window.PrepareForOpening(tables, 1);
    EXPECT_EQ(RowCounts(), (std::vector<int>{5, 5, 5}));
    window.PrepareForOpening(tables, 2);
    EXPECT_EQ(RowCounts(), (std::vector<int>{2, 2, 5}));
}

// S0 -> QS 1 -> QS 2 -> QS 3 -> S0 at input rate 2; QS 2 (service time 0.6) is overloaded.
struct OverloadedFixedRun : QuietRunPresenter {
    NetworkModel model;
    VariationPlan plan;
    ResultTables tables;
    StepTotals totals;
    AnalysisEngine engine;
    WorkFolder work;
    RunFigures figures;

    OverloadedFixedRun() {
        const double services[] = {0.25, 0.6, 0.1};
        for (int k = 1; k <= 3; ++k) {
            model.AddNode();
            model.Qs(k).ServiceTime = services[k - 1];
            model.Matrix().SetCell(k - 1, k, "1");
        }
        model.Matrix().SetCell(3, 0, "1");
        model.SetInputRateText("2");
        const RunOutcome outcome =
            RunCalculation(model, {plan, tables, totals, engine, work, &figures}, *this);
        EXPECT_EQ(outcome.End, RunEnd::Completed);
    }
    void AskRunParameters(VariationPlan& p) override {
        p.LoadPlanDefaults(model);
        EXPECT_FALSE(p.ConfirmPlan(model, false));
    }
};

TEST_F(ResultsDialogTest, OverloadedQsRowsAreTintedAndNamedUnderTheTotals) {
    OverloadedFixedRun run;
    window.PrepareForOpening(run.tables, 4, &run.figures);
    for (QTableWidget* grid : {window.SourceGrid(), window.QsGrid()})
        for (int row = 0; row < 3; ++row)
            for (int c = 0; c < grid->columnCount(); ++c)
                EXPECT_EQ(grid->item(row, c)->background().color() == ResultsDialog::OverloadTint,
                          row == 1)
                    << row << " " << c;
    EXPECT_FALSE(window.OverloadNote()->isHidden());
    EXPECT_TRUE(window.OverloadNote()->text().contains("в СМО 2 коэффициент загрузки"));
    // The same window for results without an overload: no tint and no note.
    ResultTables calm;
    window.PrepareForOpening(calm, 4);
    EXPECT_TRUE(window.OverloadNote()->isHidden());
    EXPECT_FALSE(window.CsvButton()->isEnabled());
}

TEST_F(ResultsDialogTest, CsvButtonWritesTheRunsFigures) {
    OverloadedFixedRun run;
    window.PrepareForOpening(run.tables, 4, &run.figures);
    dialogs.QueueFile("results.csv");
    window.CsvButton()->click();
    QFile file("results.csv");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 5);  // header, three QS, nothing after the last line end
    EXPECT_TRUE(lines[0].startsWith("\xEF\xBB\xBFШаг,"));
    EXPECT_TRUE(lines[2].startsWith("1,2,1,"));  // step 1, input rate 2, overloaded
}

// Ctrl+C: the selected block, or the whole grid, as tab-separated lines under the headers.
TEST_F(ResultsDialogTest, CopyKeyPutsTheGridOnTheClipboardAsTabSeparatedText) {
    OverloadedFixedRun run;
    window.PrepareForOpening(run.tables, 4, &run.figures);
    const auto copied = [](QTableWidget* grid) {
        QApplication::clipboard()->clear();
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        return QApplication::clipboard()->text().toStdString();
    };
    std::string whole;
    for (std::size_t r = 0; r <= 3; ++r)
        for (std::size_t c = 0; c < QsColumnCount; ++c)
            whole += run.tables.QsTable[r][c] + (c + 1 < QsColumnCount ? "\t" : "\n");
    EXPECT_EQ(copied(window.QsGrid()), whole);

    window.QsGrid()->setRangeSelected(QTableWidgetSelectionRange(1, 2, 2, 3), true);
    EXPECT_EQ(copied(window.QsGrid()),
              Concat({run.tables.QsTable[0][2], "\t", run.tables.QsTable[0][3], "\n",
                      run.tables.QsTable[2][2], "\t", run.tables.QsTable[2][3], "\n",
                      run.tables.QsTable[3][2], "\t", run.tables.QsTable[3][3], "\n"}));
    // No header row: the five lines alone.
    std::string network;
    for (const auto& row : run.tables.NetworkTable) network += row[0] + "\t" + row[1] + "\n";
    EXPECT_EQ(copied(window.NetworkGrid()), network);
}

TEST_F(ResultsDialogTest, OkClosesTheWindow) {
    window.PrepareForOpening(tables, 2);
    window.setResult(-1);
    window.OkButton()->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace qnetica
