#include "app/WindowRunPresenter.h"

#include <QCoreApplication>

#include "app/ProgramWindows.h"
#include "charts/NetworkChartDialog.h"
#include "editor/SchemeEditorWindow.h"
#include "ui/MainWindow.h"
#include "ui/ProgressWindow.h"
#include "ui/ResultsDialog.h"
#include "ui/RunParametersDialog.h"
#include "widgets/DecimalSeparator.h"
#include "widgets/ProgressGauge.h"
#include "widgets/WindowPlacement.h"

namespace qnetica {

WindowRunPresenter::WindowRunPresenter(ProgramWindows& windows, PlatformDialogs& dialogs)
    : windows_(windows), dialogs_(dialogs) {}

void WindowRunPresenter::AskRunParameters(VariationPlan& plan) {
    // The progress window is up before the dialog has gone, as the run is about to start.
    if (windows_.RunParameters().AskRunParameters(plan)) ShowProgressWindow();
}

void WindowRunPresenter::ShowProgressWindow() {
    windows_.Progress().Gauge()->SetRange(0, 0);
    // Where the dialog was, which the toolkit placed over the window that started the run.
    CentreOver(windows_.Progress(), windows_.RunParameters());
    windows_.Progress().show();
    windows_.Progress().raise();
}

void WindowRunPresenter::ProcessPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowRunPresenter::StartProgress(int maximum) {
    ProgressGauge* gauge = windows_.Progress().Gauge();
    gauge->SetRange(0, maximum);
    gauge->SetProgress(0);
}

// The gauge paints at once; the rest of the program's windows are kept painted too (a message
// box of the engine may have covered them), but the user's input waits for the end of the run.
void WindowRunPresenter::SetProgress(int value) {
    windows_.Progress().Gauge()->SetProgress(value);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowRunPresenter::CloseProgress() {
    windows_.Progress().hide();
}

void WindowRunPresenter::ShowMessage(MessageKind kind, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    switch (kind) {
        case MessageKind::Error:
            dialogs_.ShowError(&windows_.Main(), shown);
            break;
        case MessageKind::Information:
            dialogs_.ShowInformation(&windows_.Main(), shown);
            break;
        case MessageKind::Plain:
            dialogs_.ShowPlain(&windows_.Main(), shown);
            break;
    }
}

void WindowRunPresenter::EnableDisplayCommands() {
    windows_.Editor().EnableDisplayCommands();
}

void WindowRunPresenter::ShowResults(ResultTables& tables) {
    NetworkDocument& document = windows_.Document();
    windows_.Results().ShowResults(tables, document.Model().NodeCount(), &document.Figures());
}

bool WindowRunPresenter::ChartRequested() const {
    return windows_.RunParameters().ChartRequested();
}

bool WindowRunPresenter::ReportViewRequested() const {
    return windows_.RunParameters().ReportViewRequested();
}

void WindowRunPresenter::ShowNetworkChart(const StepTotals& totals, int stepCount) {
    windows_.NetworkChart().FillNetworkChart(totals, stepCount);
    dialogs_.ShowModal(windows_.NetworkChart());
}

void WindowRunPresenter::OpenReport(const std::string& fileName) {
    windows_.ShowReport(QString::fromStdString(fileName));
}

char WindowRunPresenter::DecimalSeparator() const {
    return SystemDecimalSeparator();
}

}  // namespace qnetica
