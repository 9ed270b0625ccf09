#include "ui/ResultsDialog.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QToolTip>

#include "model/TextConcat.h"
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
    EXPECT_EQ(window.QsGrid()->columnCount(), 9);
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

TEST_F(ResultsDialogTest, OkClosesTheWindow) {
    window.PrepareForOpening(tables, 2);
    window.setResult(-1);
    window.OkButton()->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace qnetica
