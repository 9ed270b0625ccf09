#include "ui/SimulationCheckDialog.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "runs/QuietRunPresenter.h"
#include "runs/ResultsReport.h"
#include "sim/SimulationMessages.h"
#include "support/ScriptedDialogs.h"
#include "ui/ResultsDialog.h"
#include "widgets/DecimalSeparator.h"
#include "widgets/DocumentDialogs.h"

namespace qnetica {
namespace {

// The example network after a fixed run: a plain QS, a bounded one and one with two priority
// classes.
struct ExampleRun : QuietRunPresenter {
    ScriptedDialogs dialogs;
    DocumentDialogs questions{dialogs};
    NetworkDocument document{questions};

    explicit ExampleRun(double inputRate = -1) {
        EXPECT_TRUE(document.OpenPath(QNETICA_MODELS_DIR "/three-kinds.qnf"));
        if (inputRate >= 0) document.Model().SetInputRateText(std::to_string(inputRate));
        EXPECT_EQ(document.Calculate(*this).End, RunEnd::Completed);
    }
    void AskRunParameters(VariationPlan& plan) override {
        plan.LoadPlanDefaults(document.Model());
        EXPECT_FALSE(plan.ConfirmPlan(document.Model(), false));
    }
};

// A generous bound: it tells a run that hangs from one that ends, never how fast it is.
bool EndsWithin(const SimulationCheckDialog& window, int seconds) {
    const QDeadlineTimer deadline(seconds * 1000);
    while (window.Running() && !deadline.hasExpired()) QTest::qWait(5);
    return !window.Running();
}

QString Cell(const QTableWidget* table, int row, int column) {
    return table->item(row, column)->text();
}

TEST(SimulationCheckDialogTest, ExampleNetworkGivesARowPerFigureMarkedWhereTheAnalysisLiesOutside) {
    ExampleRun run;
    SimulationCheckDialog window(run.dialogs);
    ASSERT_TRUE(window.Start(run.document));
    ASSERT_TRUE(EndsWithin(window, 120));
    EXPECT_EQ(window.Result().End, sim::SimulationEnd::PrecisionReached);

    // Six figures per QS, the loss of the bounded QS 2, the two classes of QS 3, the network's
    // two, in this order.
    QStringList expected;
    for (int k = 1; k <= 3; ++k)
        for (int i = 0; i < 6 + (k == 2 ? 1 : 0) + (k == 3 ? 2 : 0); ++i)
            expected << QString::number(k);
    expected << "Сеть"
             << "Сеть";
    const QTableWidget* table = window.Table();
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r) rows << Cell(table, r, 0);
    ASSERT_EQ(rows, expected);
    EXPECT_EQ(Cell(table, 12, SimulationCheckDialog::FigureColumn), "Вероятность потери");
    EXPECT_EQ(Cell(table, 20, SimulationCheckDialog::FigureColumn), "Ср. время ожидания, класс 2");

    // A row is marked exactly when the analytic value lies outside mean ± half-width.
    int marked = 0;
    for (int r = 0; r < table->rowCount(); ++r) {
        const sim::ComparedFigure& figure = window.Comparison()[r];
        const double low = figure.Simulated.Mean - figure.Simulated.HalfWidth;
        const double high = figure.Simulated.Mean + figure.Simulated.HalfWidth;
        const bool outside = figure.Analytic && (*figure.Analytic < low || *figure.Analytic > high);
        EXPECT_EQ(Cell(table, r, SimulationCheckDialog::OutsideColumn) == "*", outside) << r;
        EXPECT_EQ(Cell(table, r, SimulationCheckDialog::AnalysisColumn),
                  ShownNumber(QString::number(*figure.Analytic, 'g', 7).toStdString()))
            << r;
        marked += outside;
    }
    // The analysis counts the requests lost at QS 2 as passing on: the time in the network is
    // off by more than the interval, while QS 1's arrival rate is exact.
    EXPECT_EQ(Cell(table, 22, SimulationCheckDialog::OutsideColumn), "*");
    EXPECT_EQ(Cell(table, 0, SimulationCheckDialog::OutsideColumn), "");
    EXPECT_LT(marked, 6);
    EXPECT_FALSE(window.CancelButton()->isEnabled());
}

TEST(SimulationCheckDialogTest, CancelEndsARunThatWouldGoOnForMinutes) {
    ExampleRun run;
    SimulationCheckDialog window(run.dialogs);
    sim::SimulationOptions endless;
    endless.Precision = 0;  // never precise enough: only a budget or the cancel ends it
    endless.MaxSeconds = 600;
    endless.MaxEvents = std::numeric_limits<std::int64_t>::max();
    window.SetOptions(endless);
    ASSERT_TRUE(window.Start(run.document));
    QTest::qWait(50);
    ASSERT_TRUE(window.Running());
    window.CancelButton()->click();
    ASSERT_TRUE(EndsWithin(window, 30));
    EXPECT_EQ(window.Result().End, sim::SimulationEnd::Cancelled);
    EXPECT_TRUE(window.Status()->text().contains("Имитация прервана"))
        << window.Status()->text().toStdString();
}

TEST(SimulationCheckDialogTest, NetworkThatCannotBeSimulatedIsRefusedWithItsReason) {
    ExampleRun run(0);  // no input flow
    SimulationCheckDialog window(run.dialogs);
    run.dialogs.ClearLog();
    EXPECT_FALSE(window.Start(run.document));
    EXPECT_FALSE(window.Running());
    const auto messages = run.dialogs.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].BoxKind, MessageBoxKind::Error);
    const auto input = sim::ReadSimulationInput(run.document.Model());
    ASSERT_FALSE(input.CanSimulate());
    EXPECT_EQ(messages[0].Text, QString::fromStdString(sim::ProblemMessage(input.Problems[0])));
}

// The results window: a bounded QS's losses in two columns after the report's, never in the
// report; its button runs the check in the simulation window and stops it when that closes.
TEST(SimulationCheckDialogTest, ResultsWindowShowsLossesAndStartsTheCheck) {
    ExampleRun run;
    ResultsDialog results(run.dialogs);
    results.SetDocument(&run.document);
    results.PrepareForOpening(run.document.Tables(), run.document.Model().NodeCount(),
                              &run.document.Figures());
    const QTableWidget* grid = results.QsGrid();
    ASSERT_EQ(grid->columnCount(), 11);
    EXPECT_EQ(grid->horizontalHeaderItem(9)->text(), "Вероятность потери");
    EXPECT_FALSE(grid->isColumnHidden(9));
    const QsLosses& losses = run.document.Engine().Losses(2);
    EXPECT_GT(losses.LossProbability, 0);
    EXPECT_EQ(grid->item(1, 9)->text(), ShownFixed(losses.LossProbability));
    EXPECT_EQ(grid->item(1, 10)->text(), ShownFixed(losses.ServedRate));
    EXPECT_EQ(grid->item(0, 9)->text(), "");
    EXPECT_EQ(grid->item(2, 10)->text(), "");

    int rows = 0;
    run.dialogs.QueueWindowAction([&rows](QWidget& window) {
        auto& check = static_cast<SimulationCheckDialog&>(window);
        ASSERT_TRUE(EndsWithin(check, 120));
        rows = check.Table()->rowCount();
    });
    results.SimulationButton()->click();
    EXPECT_EQ(rows, 23);
    EXPECT_FALSE(results.Simulation().Running());

    run.dialogs.QueueFile("window.txt");
    ASSERT_TRUE(results.SaveReport());
    ASSERT_TRUE(
        WriteResultsReport("tables.txt", run.document.Tables(), run.document.Model().NodeCount())
            .Ok);
    QFile window("window.txt"), tables("tables.txt");
    ASSERT_TRUE(window.open(QIODevice::ReadOnly) && tables.open(QIODevice::ReadOnly));
    EXPECT_EQ(window.readAll(), tables.readAll());
}

}  // namespace
}  // namespace qnetica
