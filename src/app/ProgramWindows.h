#pragma once

#include <memory>

#include "app/RecoveryKeeper.h"
#include "document/NetworkDocument.h"
#include "editor/EditorHost.h"
#include "widgets/DocumentDialogs.h"
#include "widgets/DocumentHistory.h"
#include "widgets/ImageSaveDialog.h"
#include "widgets/PlatformDialogs.h"
#include "widgets/RecentFiles.h"

namespace qnetica {

class AboutDialog;
class GeneratorDialog;
class MainWindow;
class NetworkChartDialog;
class ProgressWindow;
class QsChartDialog;
class QsParametersDialog;
class ResultsDialog;
class RunParametersDialog;
class SchemeEditorWindow;
class ReportViewer;
class ValueInputDialog;

// The program's network document and its eleven windows, created once at start-up and kept until
// the end, and the wiring between them: the windows know the document, not each other; what one
// asks of another (the main window's signals, the editor's host) is answered here. Members go in
// the reverse order of their creation, so the windows go before the document.
class ProgramWindows : private EditorHost, private DocumentListener, private NetworkModelListener {
  public:
    explicit ProgramWindows(PlatformDialogs& dialogs);
    ~ProgramWindows() override;
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    NetworkDocument& Document() { return *document_; }
    DocumentHistory& History() { return *history_; }
    MainWindow& Main() const { return *main_; }
    QsParametersDialog& QsParameters() const { return *qsParameters_; }
    ResultsDialog& Results() const { return *results_; }
    AboutDialog& About() const { return *about_; }
    SchemeEditorWindow& Editor() const { return *editor_; }
    ValueInputDialog& ValueInput() const { return *valueInput_; }
    RunParametersDialog& RunParameters() const { return *runParameters_; }
    ProgressWindow& Progress() const { return *progress_; }
    NetworkChartDialog& NetworkChart() const { return *networkChart_; }
    QsChartDialog& QsChart() const { return *qsChart_; }
    GeneratorDialog& Generator() const { return *generator_; }

    RecentFiles& Recent() { return recent_; }
    ReportViewer& Reports() { return *reportViewer_; }
    RecoveryKeeper& Recovery() { return *recovery_; }

    // The calculation command of the main window and of the editor.
    void Calculate();
    // A report file in the program's report viewer ("Просмотреть отчет", the end of a run).
    void ShowReport(const QString& path) override;
    // At start: a copy of a changed network that a program left when it ended abnormally is
    // offered back; true when the user took it.
    bool OfferRecovery();

  private:
    void ConnectMainWindow();
    void ShowTitles();
    // DocumentListener, NetworkModelListener
    void FilePathChanged() override;
    void ModifiedChanged(bool modified) override;
    void ShowVisualEditor();
    void EditQsParameters(int node) override;

    // EditorHost
    bool ExitProgram() override;
    void ReturnToTable() override;
    void ShowGenerator() override;
    QString AskValue(const QString& prompt, const QString& text) override;
    void ShowNetworkChart() override;
    void ShowQsChart() override;
    void ShowAbout() override;

    PlatformDialogs& dialogs_;
    DocumentDialogs documentDialogs_;
    std::unique_ptr<NetworkDocument> document_;
    std::unique_ptr<DocumentHistory> history_;
    ImageSaveDialog imageDialog_;
    RecentFiles recent_;
    std::unique_ptr<RecoveryKeeper> recovery_;
    std::unique_ptr<ReportViewer> reportViewer_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<QsParametersDialog> qsParameters_;
    std::unique_ptr<ResultsDialog> results_;
    std::unique_ptr<AboutDialog> about_;
    std::unique_ptr<SchemeEditorWindow> editor_;
    std::unique_ptr<ValueInputDialog> valueInput_;
    std::unique_ptr<RunParametersDialog> runParameters_;
    std::unique_ptr<ProgressWindow> progress_;
    std::unique_ptr<NetworkChartDialog> networkChart_;
    std::unique_ptr<QsChartDialog> qsChart_;
    std::unique_ptr<GeneratorDialog> generator_;
};

}  // namespace qnetica
