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
#include "runs/WorkFolder.h"
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
class TForm1 : public QMainWindow, private NetworkModelListener {
    Q_OBJECT

  public:
    explicit TForm1(PlatformDialogs& dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    NetworkModel& Model() { return model_; }
    // What the calculations keep for the whole program: the parameters of the runs, the totals
    // of the last varied run for the network chart, and the tables of the last step.
    VariationPlan& Plan() { return runState_->Plan; }
    const StepTotals& Totals() const { return runState_->Totals; }
    ResultTables& Tables() { return runState_->Tables; }
    // The runs' private folder, kept while the window lives for the per-QS chart.
    WorkFolder& Work() { return runState_->Work; }
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
    void RunCalculation();
    void ShowHelp();  // the page beside the program, by the desktop's viewer
    void ShowAbout();
    bool ExitProgram();  // true when the window closed

    // The calculate controls: button "Рассчитать >>", tool button and menu item.
    void Button4Click();
    void SetCalculateEnabled(bool enabled);

    int SelectedNode() const;  // -1 when no node is selected
    void SelectNode(int node);

    // Controls, for the windows that work with this one and for tests.
    QLineEdit* InputRateEdit() const { return inputRateEdit_; }
    QListWidget* NodeList() const { return nodeList_; }
    QTableView* StringGrid1() const { return StringGrid1_; }
    TransferMatrixTableModel* MatrixTable() const { return matrixTable_; }
    QPushButton* Button4() const { return Button4_; }
    QAction* ToolButton7() const { return ToolButton7_; }
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
        WorkFolder Work;
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
    QAction* ToolButton7_ = nullptr;
    QAction* calculateMenuItem_ = nullptr;
    QAction* helpAction_ = nullptr;
    QAction* aboutAction_ = nullptr;

    QLineEdit* inputRateEdit_ = nullptr;
    QListWidget* nodeList_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPushButton* parametersButton_ = nullptr;
    QTableView* StringGrid1_ = nullptr;
    TransferMatrixTableModel* matrixTable_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* editorButton_ = nullptr;
    QPushButton* randomFillButton_ = nullptr;
    QPushButton* Button4_ = nullptr;
};

}  // namespace qnetica
