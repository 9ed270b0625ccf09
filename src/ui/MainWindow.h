#pragma once

#include <QMainWindow>
#include <QString>

#include <memory>

#include "engine/AnalysisEngine.h"
#include "model/NetworkModel.h"
#include "model/RandomFill.h"
#include "runs/ResultTables.h"
#include "runs/StepTotals.h"
#include "runs/VariationPlan.h"
#include "ui/PlatformDialogs.h"
#include "ui/ProgramWindows.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;

namespace qnetica {

class TransferMatrixTableModel;

// The visual editor's drawing area; the random fill places the symbols inside it.
inline constexpr int SchemeAreaWidth = 1858;
inline constexpr int SchemeAreaHeight = 1334;

// The main window: owns the network and is its table editor (node list, input rate, transfer
// matrix). Its commands are public so that the visual editor can invoke them as well.
class MainWindow : public QMainWindow, private NetworkModelListener {
    Q_OBJECT

  public:
    explicit MainWindow(PlatformDialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    NetworkModel& Model() { return model_; }
    // What the calculations keep for the whole program: the parameters of the runs, the totals
    // of the last varied run for the network chart, and the tables of the last step.
    VariationPlan& Plan() { return runState_->Plan; }
    const StepTotals& Totals() const { return runState_->Totals; }
    ResultTables& Tables() { return runState_->Tables; }
    PlatformDialogs& Dialogs() { return dialogs_; }
    void SetWindows(const ProgramWindows& windows) { windows_ = windows; }

    // Commands. Those that may be abandoned return false when the network was kept as it was.
    bool NewNetwork();
    bool OpenNetwork();
    bool OpenNetworkAt(const QString& path);  // without asking for a file; refusals are shown
    bool SaveNetwork();
    bool AddQs();
    bool RemoveQs();
    void EditQsParameters();  // for the node selected in the list
    void RandomFillNetwork();
    void ShowVisualEditor();
    void Calculate();
    void ShowHelp();  // the page beside the program, by the desktop's viewer
    void ShowAbout();
    bool ExitProgram();  // true when the window closed

    // The calculate controls: button "Рассчитать >>", tool button and menu item.
    void SetCalculateEnabled(bool enabled);

    int SelectedNode() const;  // -1 when no node is selected
    void SelectNode(int node);

    // Controls, for the windows that work with this one and for tests.
    QLineEdit* InputRateEdit() const { return inputRateEdit_; }
    QListWidget* NodeList() const { return nodeList_; }
    QTableView* MatrixView() const { return matrixView_; }
    TransferMatrixTableModel* MatrixTable() const { return matrixTable_; }
    QPushButton* CalculateButton() const { return calculateButton_; }
    QAction* CalculateToolButton() const { return calculateToolButton_; }
    QAction* CalculateMenuItem() const { return calculateMenuItem_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    struct RunState {  // large: kept apart from the window's own fields
        VariationPlan Plan;
        ResultTables Tables;
        StepTotals Totals;
        AnalysisEngine Engine;
    };
    struct FileDialogMemory {
        QString Folder;
        QString FileName = QStringLiteral("*.qnf");
    };

    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    QWidget* CreateNodeGroup();
    QWidget* CreateMatrixGroup();
    QWidget* CreateBottomButtons();
    void ConnectControls();
    void PrepareOnFirstShow();

    bool AskToSaveChanges();  // false when the command that asked is to be abandoned
    FileDialogRequest NetworkFileRequest(const QString& title,
                                         const FileDialogMemory& memory) const;
    static void Remember(FileDialogMemory& memory, const QString& path);
    void ResetPlanOnClear(int nodeCount);
    static void DeleteRunResultsFile();  // "qnrep.tmp" in the working folder

    // NetworkModelListener
    void NodeListChanged() override;
    void InputRateTextChanged(const std::string& text) override;
    void MatrixReplaced() override;

    NetworkModel model_;
    std::unique_ptr<RunState> runState_ = std::make_unique<RunState>();
    RandomGenerator random_;
    PlatformDialogs& dialogs_;
    ProgramWindows windows_;
    FileDialogMemory openMemory_;
    FileDialogMemory saveMemory_;
    bool shownBefore_ = false;

    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* editorAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* calculateToolButton_ = nullptr;
    QAction* calculateMenuItem_ = nullptr;
    QAction* helpAction_ = nullptr;
    QAction* aboutAction_ = nullptr;

    QLineEdit* inputRateEdit_ = nullptr;
    QListWidget* nodeList_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPushButton* parametersButton_ = nullptr;
    QTableView* matrixView_ = nullptr;
    TransferMatrixTableModel* matrixTable_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* editorButton_ = nullptr;
    QPushButton* randomFillButton_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
};

}  // namespace qnetica
