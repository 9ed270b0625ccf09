#include "app/ProgramWindows.h"

#include "app/WindowRunPresenter.h"
#include "charts/NetworkChartDialog.h"
#include "charts/QsChartDialog.h"
#include "editor/GeneratorDialog.h"
#include "editor/SchemeEditorWindow.h"
#include "ui/AboutDialog.h"
#include "ui/MainWindow.h"
#include "ui/ProgressWindow.h"
#include "ui/QsParametersDialog.h"
#include "ui/ResultsDialog.h"
#include "ui/RunParametersDialog.h"
#include "ui/TransferMatrixTableModel.h"
#include "ui/ValueInputDialog.h"
#include "widgets/DocumentTitle.h"
#include "widgets/HelpWindow.h"
#include "widgets/ReportViewer.h"

#include <QFileInfo>

namespace qnetica {

ProgramWindows::ProgramWindows(PlatformDialogs& dialogs)
    : dialogs_(dialogs),
      documentDialogs_(dialogs),
      document_(std::make_unique<NetworkDocument>(documentDialogs_)),
      history_(std::make_unique<DocumentHistory>(*document_)),
      imageDialog_(dialogs),
      recovery_(std::make_unique<RecoveryKeeper>(*document_)) {
    // The dialogs have the main window as parent, so that they open over it; the editor is a
    // main window of its own.
    main_ = std::make_unique<MainWindow>(*document_, dialogs);
    MainWindow* parent = main_.get();
    documentDialogs_.SetParent(parent);
    NetworkModel& model = document_->Model();
    qsParameters_ = std::make_unique<QsParametersDialog>(*document_, dialogs, parent);
    results_ = std::make_unique<ResultsDialog>(dialogs, parent);
    results_->SetDocument(document_.get());
    about_ = std::make_unique<AboutDialog>(parent);
    EditorHost& host = *this;
    editor_ = std::make_unique<SchemeEditorWindow>(*document_, dialogs, imageDialog_, host);
    valueInput_ = std::make_unique<ValueInputDialog>(model, dialogs, parent);
    runParameters_ = std::make_unique<RunParametersDialog>(model, dialogs, parent);
    progress_ = std::make_unique<ProgressWindow>(parent);
    // The charts save their pictures through the editor's dialog, which remembers the last name.
    const ChartDialogs chartDialogs{dialogs, imageDialog_};
    networkChart_ = std::make_unique<NetworkChartDialog>(chartDialogs, parent);
    qsChart_ = std::make_unique<QsChartDialog>(chartDialogs, parent);
    qsChart_->SetWorkFolder(&document_->Work());  // the records of the document's runs
    qsChart_->SetStepTotals(&document_->Totals());
    generator_ = std::make_unique<GeneratorDialog>(*document_, dialogs, parent);
    generator_->SetImageAreaSource([this] { return editor_->VisibleImageArea(); });
    generator_->SetIntensityShown([this](const QString& text) { valueInput_->SetValueText(text); });
    reportViewer_ = std::make_unique<ReportViewer>(dialogs);
    // F1 in each dialog opens its page of the help; the two main windows have their own key.
    for (QWidget* dialog : std::initializer_list<QWidget*>{
             qsParameters_.get(), results_.get(), about_.get(), valueInput_.get(),
             runParameters_.get(), progress_.get(), networkChart_.get(), qsChart_.get(),
             generator_.get(), reportViewer_.get()})
        InstallHelpKey(dialog);
    main_->InstallHistory(*history_);
    editor_->InstallHistory(*history_);
    main_->InstallRecentFiles(recent_);
    editor_->InstallRecentFiles(recent_);
    ConnectMainWindow();
    document_->AddListener(this);
    model.AddListener(this);
    ShowTitles();
}

// Members go in the reverse order of their declaration: the generator first, the document last.
// The program ends normally here, so its recovery copy goes.
ProgramWindows::~ProgramWindows() {
    recovery_->Finish();
    document_->Model().RemoveListener(this);
    document_->RemoveListener(this);
}

void ProgramWindows::ShowTitles() {
    const std::string& file = document_->FilePath();
    const bool modified = document_->Model().Modified();
    main_->setWindowTitle(DocumentTitle(file, modified, QStringLiteral("Qnetica")));
    editor_->setWindowTitle(
        DocumentTitle(file, modified, QStringLiteral("Qnetica (визуальный редактор)")));
}

void ProgramWindows::FilePathChanged() {
    if (!document_->FilePath().empty()) recent_.Add(QString::fromStdString(document_->FilePath()));
    ShowTitles();
}

void ProgramWindows::ModifiedChanged(bool) {
    ShowTitles();
}

bool ProgramWindows::OfferRecovery() {
    const auto leftover = recovery_->FindLeftover();
    if (!leftover) return false;
    const QString name = leftover->OwnPath.isEmpty() ? QStringLiteral("Без имени")
                                                     : QFileInfo(leftover->OwnPath).fileName();
    const QString question =
        QStringLiteral(
            "Работа программы была прервана, и изменения сети «%1» остались несохраненными.\n"
            "Восстановить их?")
            .arg(name);
    const bool restore = dialogs_.ShowMessage(main_.get(), MessageBoxKind::Warning, question,
                                              MessageBoxButtons::YesNo) == MessageBoxAnswer::Yes;
    const bool restored = restore && document_->OpenRecovered(leftover->CopyPath.toStdString(),
                                                              leftover->OwnPath.toStdString());
    recovery_->Discard(*leftover);
    return restored;
}

void ProgramWindows::ConnectMainWindow() {
    QObject::connect(main_.get(), &MainWindow::VisualEditorRequested, main_.get(),
                     [this] { ShowVisualEditor(); });
    QObject::connect(main_.get(), &MainWindow::CalculationRequested, main_.get(),
                     [this] { Calculate(); });
    QObject::connect(main_.get(), &MainWindow::QsParametersRequested, main_.get(),
                     [this](int node) { EditQsParameters(node); });
    QObject::connect(main_.get(), &MainWindow::AboutRequested, main_.get(),
                     [this] { ShowAbout(); });
}

void ProgramWindows::Calculate() {
    WindowRunPresenter presenter(*this, dialogs_);
    document_->Calculate(presenter);
}

void ProgramWindows::ShowVisualEditor() {
    dialogs_.ShowModal(*editor_);
}

// Through the table editor's list, as its own command does: the node is selected there first.
void ProgramWindows::EditQsParameters(int node) {
    main_->SelectNode(node);
    qsParameters_->EditQs(main_->SelectedNode());
}

bool ProgramWindows::ExitProgram() {
    return main_->ExitProgram();
}

void ProgramWindows::ReturnToTable() {
    main_->MatrixTable()->CellsChanged();
}

void ProgramWindows::ShowGenerator() {
    dialogs_.ShowModal(*generator_);
}

QString ProgramWindows::AskValue(const QString& prompt, const QString& text) {
    return valueInput_->AskValue(prompt, text);
}

// The totals of the last varied run, zeros before any.
void ProgramWindows::ShowNetworkChart() {
    networkChart_->FillNetworkChart(document_->Totals(), document_->Plan().StepCount);
    dialogs_.ShowModal(*networkChart_);
}

void ProgramWindows::ShowQsChart() {
    dialogs_.ShowModal(*qsChart_);
}

void ProgramWindows::ShowReport(const QString& path) {
    reportViewer_->ShowReport(path);
}

void ProgramWindows::ShowAbout() {
    dialogs_.ShowModal(*about_);
}

}  // namespace qnetica
