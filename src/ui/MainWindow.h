#pragma once

#include <QMainWindow>
#include <QString>

#include <memory>

#include "document/NetworkDocument.h"
#include "widgets/PlatformDialogs.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTableView;

namespace qnetica {

class DocumentHistory;
class RecentFiles;
class TransferMatrixTableModel;

// The main window, the table editor of the network document: the node list, the input rate and
// the transfer matrix as a grid. What it cannot do itself (the other windows, the calculation) it
// asks for with its signals, which the program's wiring answers.
class MainWindow : public QMainWindow, private NetworkModelListener {
    Q_OBJECT

  public:
    MainWindow(NetworkDocument& document, PlatformDialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    NetworkDocument& Document() { return document_; }
    // Undo and redo of the document's history, at the top of the Edit menu.
    void InstallHistory(DocumentHistory& history);
    // The example networks and the recently used files, as submenus of the File menu.
    void InstallRecentFiles(RecentFiles& recent);

    // Commands. Those that may be abandoned return false when the network was kept as it was.
    bool NewNetwork();
    bool OpenNetwork();
    bool SaveNetwork();
    bool SaveNetworkAs();
    bool OpenRecentNetwork(const QString& path);  // "save changes?" first
    bool OpenExample(const QString& path);        // as a network without a file of its own
    bool AddQs();
    bool RemoveQs();
    void EditQsParameters();  // for the QS selected in the list; nothing for S0 or no node
    void RandomFillNetwork();
    void ShowVisualEditor();
    void Calculate();
    void ShowHelp();
    void ShowAbout();
    bool ExitProgram();  // true when the window closed

    // The calculate controls: button "Рассчитать >>", tool button and menu item.
    void SetCalculateEnabled(bool enabled);

    int SelectedNode() const;  // -1 when no node is selected
    void SelectNode(int node);

    QLineEdit* InputRateEdit() const { return inputRateEdit_; }
    QListWidget* NodeList() const { return nodeList_; }
    QPushButton* ParametersButton() const { return parametersButton_; }
    QTableView* MatrixView() const { return matrixView_; }
    TransferMatrixTableModel* MatrixTable() const { return matrixTable_; }
    QPushButton* CalculateButton() const { return calculateButton_; }
    QAction* CalculateToolButton() const { return calculateToolButton_; }
    QAction* CalculateMenuItem() const { return calculateMenuItem_; }

  signals:
    void VisualEditorRequested();
    void CalculationRequested();
    void QsParametersRequested(int node);  // a QS: 1..150
    void AboutRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    QWidget* CreateNodeGroup();
    QWidget* CreateMatrixGroup();
    QWidget* CreateBottomButtons();
    void ConnectControls();
    void PrepareOnFirstShow();
    void UpdateParametersCommand();
    void InputRateTyped(const QString& text);
    void InputRateFinished();
    void ShowInputRate(const std::string& text);  // the model's text as the field shows it

    // NetworkModelListener
    void NodeListChanged() override;
    void InputRateTextChanged(const std::string& text) override;
    void MatrixReplaced() override;

    NetworkDocument& document_;
    NetworkModel& model_;
    PlatformDialogs& dialogs_;
    bool shownBefore_ = false;
    bool typingInputRate_ = false;
    std::string finishedInputRate_;  // the input rate text after the last finished edit

    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
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
