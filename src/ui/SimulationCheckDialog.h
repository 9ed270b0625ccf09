#pragma once

#include <QDialog>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "document/NetworkDocument.h"
#include "sim/AnalysisComparison.h"
#include "sim/SimulationOptions.h"
#include "sim/SimulationProgress.h"
#include "sim/SimulationResult.h"
#include "widgets/PlatformDialogs.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace qnetica {

// "Проверить имитацией": the network of the last fixed run simulated in the background, with a
// progress bar and a Cancel button, then per QS and for the network the analysis's value, the
// simulated value with the half-width of its confidence interval and their difference, each row
// whose analytic value lies outside the interval marked. The simulation works on a copy of the
// network; the analysis's figures are read from the document when it ends.
class SimulationCheckDialog : public QDialog {
    Q_OBJECT

  public:
    explicit SimulationCheckDialog(PlatformDialogs& dialogs, QWidget* parent = nullptr);
    ~SimulationCheckDialog() override;

    void SetOptions(const sim::SimulationOptions& options) { options_ = options; }
    // Starts the simulation of the document's network; a network that cannot be simulated is
    // refused with a box saying why (false). The QS that may be overloaded are named above the
    // table, and the run goes on.
    bool Start(const NetworkDocument& document);
    // "Отмена": the run stops within milliseconds and shows what it measured so far.
    void Cancel();
    // Cancels a run still going and waits for it to end: closing the window.
    void Stop();
    bool Running() const { return running_; }

    const sim::SimulationResult& Result() const { return result_; }
    const std::vector<sim::ComparedFigure>& Comparison() const { return comparison_; }
    // The table's columns.
    enum Column {
        QsColumn,
        FigureColumn,
        AnalysisColumn,
        SimulationColumn,
        HalfWidthColumn,
        DifferenceColumn,
        OutsideColumn,
        ColumnCount
    };

    QTableWidget* Table() const { return table_; }
    QProgressBar* ProgressBar() const { return progress_; }
    QLabel* Status() const { return status_; }
    QLabel* Warnings() const { return warnings_; }
    QPushButton* CancelButton() const { return cancelButton_; }
    QPushButton* CloseButton() const { return closeButton_; }

  public slots:
    void reject() override;

  private:
    class PostedProgress;

    void ShowProgress(const sim::ProgressReport& report);
    void Finish(int run, std::shared_ptr<sim::SimulationResult> result, QString failure);
    void FillTable();
    void Join();

    PlatformDialogs& dialogs_;
    sim::SimulationOptions options_;
    const NetworkDocument* document_ = nullptr;
    std::unique_ptr<PostedProgress> reporter_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    bool running_ = false;
    int run_ = 0;  // the number of the run whose results are awaited
    sim::SimulationResult result_;
    std::vector<sim::ComparedFigure> comparison_;

    QLabel* warnings_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

}  // namespace qnetica
