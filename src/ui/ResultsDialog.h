#pragma once

#include <QDialog>

#include "document/NetworkDocument.h"
#include "runs/ResultTables.h"
#include "runs/RunFigures.h"
#include "widgets/PlatformDialogs.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace qnetica {

class SimulationCheckDialog;

// The results window of a fixed calculation: the source data of every QS, the characteristics
// of every QS and those of the network, in three read-only grids, and the report of them. With
// the figures of the run, the rows of overloaded QS are tinted and a note under the totals
// names them, a bounded QS's loss probability and served flow follow in columns of their own
// (never in the report), "Экспорт в CSV" writes the figures and "Проверить имитацией" checks
// them by a simulation of the document's network. Ctrl+C copies from any grid.
class ResultsDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ResultsDialog(PlatformDialogs& dialogs, QWidget* parent = nullptr);

    // The end of a fixed run: shows the tables of a network of nodeCount nodes modally.
    void ShowResults(ResultTables& tables, int nodeCount, const RunFigures* figures = nullptr);
    // The steps of every opening: the window's header rows go into the tables, and the grids
    // show the header and one row per QS (for a network with QS) and the network's five rows.
    void PrepareForOpening(ResultTables& tables, int nodeCount,
                           const RunFigures* figures = nullptr);

    // "Отчет": false when nothing was written (cancelled or failed; a failure shows its box).
    bool SaveReport();
    // "Экспорт в CSV": false when nothing was written.
    bool ExportCsv();
    // The network whose fixed run the window shows, for "Проверить имитацией".
    void SetDocument(const NetworkDocument* document) { document_ = document; }
    // "Проверить имитацией": the simulation window, its run going while it is shown and
    // stopped when it closes; false when the network was refused.
    bool CheckBySimulation();

    // The background of an overloaded QS's rows.
    static const QColor OverloadTint;

    // The header row counts as a row, as the tables count it.
    int RowCount(const QTableWidget* grid) const;

    QTableWidget* SourceGrid() const { return grids_[0]; }   // source data
    QTableWidget* QsGrid() const { return grids_[1]; }       // QS characteristics
    QTableWidget* NetworkGrid() const { return grids_[2]; }  // network characteristics
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* ReportButton() const { return reportButton_; }
    QPushButton* CsvButton() const { return csvButton_; }
    QPushButton* SimulationButton() const { return simulationButton_; }
    SimulationCheckDialog& Simulation() const { return *simulation_; }
    QLabel* OverloadNote() const { return overloadNote_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void CreateControls();
    QTableWidget* CreateGrid(int columns, bool headerRow);
    void ShowRows(int rows);
    void ShowOverloads(int rows);
    void ShowLosses(int rows);
    void FitColumns();

    PlatformDialogs& dialogs_;
    const ResultTables* tables_ = nullptr;  // those of the last opening
    const RunFigures* figures_ = nullptr;
    const NetworkDocument* document_ = nullptr;
    int nodeCount_ = 1;
    int shownRows_ = 1;  // rows of the first two tables, header included
    QTableWidget* grids_[3] = {};
    QPushButton* okButton_ = nullptr;
    QPushButton* reportButton_ = nullptr;
    QPushButton* csvButton_ = nullptr;
    QPushButton* simulationButton_ = nullptr;
    SimulationCheckDialog* simulation_ = nullptr;
    QLabel* overloadNote_ = nullptr;
};

}  // namespace qnetica
