#pragma once

#include <QKeySequence>
#include <QMainWindow>
#include <QSize>
#include <functional>
#include <memory>

#include "document/NetworkDocument.h"
#include "editor/EditorCommands.h"
#include "editor/EditorHost.h"
#include "editor/EditorToolState.h"
#include "editor/SchemeSurface.h"
#include "widgets/ImageSaveDialog.h"
#include "widgets/PlatformDialogs.h"

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;

namespace qnetica {

class DocumentHistory;
class LoadLegend;
class RecentFiles;
class SchemeResultsOverlay;
class SchemeView;

// The visual editor, the program's working window: the scheme of the network document, the
// editing tools on the left, and on top the commands; what concerns other windows it asks of its
// host. The program shows it modally over the main window; closing it ends the program, except
// by the return to the table.
class SchemeEditorWindow : public QMainWindow, private EditorCommands, private DocumentListener {
    Q_OBJECT

  public:
    SchemeEditorWindow(NetworkDocument& document, PlatformDialogs& dialogs,
                       ImageSaveDialog& imageDialog, EditorHost& host, QWidget* parent = nullptr);
    ~SchemeEditorWindow() override;

    // Undo and redo of the document's history, at the top of the Edit menu.
    void InstallHistory(DocumentHistory& history);
    // The recently used files, as a submenu of the File menu.
    void InstallRecentFiles(RecentFiles& recent);

    SchemeSurface& Surface() { return surface_; }
    const EditorToolState& ToolState() const { return toolState_; }
    bool CloseAppOnClose() const { return closeAppOnClose_; }
    QSize VisibleImageArea() const;  // the part of the surface that the window shows

    // Each time the program shows the editor: closing ends the program again, and the
    // scheme is drawn over the surface as it was left.
    void Activate();

    // The commands of the top tool bar and the menus.
    bool NewNetwork();  // false when the "save changes?" question kept the network
    void OpenNetwork();
    void SaveNetwork();
    void SaveNetworkAs();
    bool OpenRecentNetwork(const QString& path);  // "save changes?" first
    void OpenExample(const QString& path);        // as a network without a file of its own
    void SaveSchemeImage();  // through the picture save dialog shared with the charts
    void ReturnToTable();
    void GenerateNetwork();
    void CalculateNetwork();
    void ShowReport();
    void ShowNetworkChart();
    void ShowQsChart();
    // "Экспорт результатов в CSV": the figures of the last calculation.
    void ExportCsv();
    // "Раскрасить СМО по загрузке": possible while the results of the last calculation belong
    // to the network; they are switched off when it changes.
    void ShowLoads(bool shown);
    // "Показать вероятности передач" on the links.
    void ShowProbabilities(bool shown);
    void ShowHelp();
    void ShowAbout();
    void ExitProgram();
    // A varied run makes the report and chart buttons useful.
    void EnableDisplayCommands();

    // The tools and immediate commands of the left tool bar, and the image's events.
    void PressTool(EditorTool tool);
    void DeleteQs();  // the last QS, after a question
    void RefreshScreen();
    void CancelTool();  // Esc: the current action and the tool
    void ImageClicked(QPoint point);
    void ImagePressed(QPoint point);
    void ImageReleased(QPoint point, bool onImage);
    void ImagePointerMoved(QPoint point, bool buttonHeld = false);
    void ImageDoubleClicked(QPoint point);

    // Controls, for the tests.
    QToolBar* TopBar() const { return topBar_; }
    QToolBar* ToolsBar() const { return toolsBar_; }
    QAction* ToolButton(EditorTool tool) const;
    QAction* ReportButton() const { return reportButton_; }
    QAction* NetworkChartButton() const { return networkChartButton_; }
    QAction* QsChartButton() const { return qsChartButton_; }
    QAction* LoadsAction() const { return loadsAction_; }
    QAction* ProbabilitiesAction() const { return probabilitiesAction_; }
    SchemeResultsOverlay& ResultsOverlay() const { return *overlay_; }
    LoadLegend* Legend() const { return legend_; }
    SchemeView* Image() const { return image_; }
    QScrollArea* ImageArea() const { return imageArea_; }
    QString StatusText() const;  // what the tool expects next
    QAction* CancelToolAction() const { return cancelToolAction_; }
    QAction* DeleteQsButton() const { return deleteQsButton_; }

    void setVisible(bool visible) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    using Command = std::function<void()>;

    void CreateTopBar();
    void CreateToolsBar();
    void CreateMenus();
    void CreateImageArea();
    void CreateStatusBar();
    void CreateToolKeys();
    QAction* AddBarButton(QToolBar* bar, const QIcon& icon, const QString& hint,
                          const Command& command);
    QAction* AddMenuItem(QMenu* menu, const QString& text, const Command& command,
                         const QKeySequence& shortcut = {});
    QAction* AddToolButton(const QIcon& icon, const QString& hint, EditorTool tool);
    void AddToolMenuItem(QMenu* menu, const QString& text, EditorTool tool);
    void AfterToolEvent();
    void ShowPickMark();
    // Commands from the menus and the top bar first drop what a tool has half done.
    void CancelToolAction();
    void FillTheScreen();
    void RedrawAfter(const std::function<void()>& command);

    // DocumentListener: an undo or redo may have changed anything, so the scheme is drawn anew.
    void NetworkRestored() override;
    void ResultsCurrentChanged(bool current) override;
    void ShowOverlay();
    void RepaintImage(const QRect& changed);

    // EditorCommands
    bool AddQs() override;
    void RemoveQs() override;
    void EditQsParameters(int node) override;
    QString AskValue(const QString& prompt, const QString& text) override;
    void RecordChange(const std::string& what) override;

    NetworkDocument& document_;
    PlatformDialogs& dialogs_;
    ImageSaveDialog& imageDialog_;
    EditorHost& host_;
    SchemeSurface surface_;
    EditorToolState toolState_;
    bool closeAppOnClose_ = true;

    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QAction* exitMenuItem_ = nullptr;
    QToolBar* topBar_ = nullptr;
    QToolBar* toolsBar_ = nullptr;
    QAction* addQsButton_ = nullptr;
    QAction* moveQsButton_ = nullptr;
    QAction* linkButton_ = nullptr;
    QAction* unlinkButton_ = nullptr;
    QAction* deleteQsButton_ = nullptr;
    QAction* cancelToolAction_ = nullptr;
    QAction* reportButton_ = nullptr;
    QAction* networkChartButton_ = nullptr;
    QAction* qsChartButton_ = nullptr;
    QScrollArea* imageArea_ = nullptr;
    SchemeView* image_ = nullptr;
    QLabel* statusText_ = nullptr;
    std::unique_ptr<SchemeResultsOverlay> overlay_;
    LoadLegend* legend_ = nullptr;
    QAction* loadsAction_ = nullptr;
    QAction* probabilitiesAction_ = nullptr;
    bool wasMoving_ = false;
};

}  // namespace qnetica
