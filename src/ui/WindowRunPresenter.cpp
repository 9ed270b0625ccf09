#include "ui/WindowRunPresenter.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRect>

#include "charts/NetworkChartDialog.h"
#include "editor/SchemeEditorWindow.h"
#include "ui/MainWindow.h"
#include "ui/ProgressGauge.h"
#include "ui/ProgressWindow.h"
#include "ui/ResultsDialog.h"
#include "ui/RunParametersDialog.h"

namespace qnetica {

char SystemDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1 && point[0].unicode() < 128) return static_cast<char>(point[0].unicode());
    return '.';
}

WindowRunPresenter::WindowRunPresenter(const ProgramWindows& windows, PlatformDialogs& dialogs,
                                       const NetworkModel& model)
    : windows_(windows), dialogs_(dialogs), model_(model) {}

void WindowRunPresenter::AskRunParameters(VariationPlan& plan) {
    if (!windows_.RunParameters) return;  // nothing to ask with: the plan stays unconfirmed
    // The progress window is up before the dialog has gone, as the run is about to start.
    if (windows_.RunParameters->AskRunParameters(plan)) ShowProgressWindow();
}

void WindowRunPresenter::ShowProgressWindow() {
    if (!windows_.Progress) return;
    windows_.Progress->Gauge()->SetRange(0, 0);
    // Where the dialog was, which the toolkit placed over the window that started the run.
    QRect place = windows_.Progress->frameGeometry();
    place.moveCenter(windows_.RunParameters->frameGeometry().center());
    windows_.Progress->move(place.topLeft());
    windows_.Progress->show();
    windows_.Progress->raise();
}

void WindowRunPresenter::ProcessPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowRunPresenter::StartProgress(int maximum) {
    if (!windows_.Progress) return;
    ProgressGauge* gauge = windows_.Progress->Gauge();
    gauge->SetRange(0, maximum);
    gauge->SetProgress(0);
}

// The gauge paints at once; the rest of the program's windows are kept painted too (a message
// box of the engine may have covered them), but the user's input waits for the end of the run.
void WindowRunPresenter::SetProgress(int value) {
    if (!windows_.Progress) return;
    windows_.Progress->Gauge()->SetProgress(value);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowRunPresenter::CloseProgress() {
    if (windows_.Progress) windows_.Progress->hide();
}

void WindowRunPresenter::ShowMessage(MessageKind kind, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    switch (kind) {
        case MessageKind::Error:
            dialogs_.ShowError(windows_.Main, shown);
            break;
        case MessageKind::Information:
            dialogs_.ShowInformation(windows_.Main, shown);
            break;
        case MessageKind::Plain:
            dialogs_.ShowPlain(windows_.Main, shown);
            break;
    }
}

void WindowRunPresenter::EnableDisplayCommands() {
    if (windows_.Editor) windows_.Editor->EnableDisplayCommands();
}

void WindowRunPresenter::ShowResults(ResultTables& tables) {
    if (windows_.Results) windows_.Results->ShowResults(tables, model_.NodeCount());
}

bool WindowRunPresenter::ChartRequested() const {
    return windows_.RunParameters && windows_.RunParameters->ChartRequested();
}

bool WindowRunPresenter::ReportViewRequested() const {
    return windows_.RunParameters && windows_.RunParameters->ReportViewRequested();
}

void WindowRunPresenter::ShowNetworkChart(const StepTotals& totals, int stepCount) {
    if (!windows_.NetworkChart) return;
    windows_.NetworkChart->FillNetworkChart(totals, stepCount);
    dialogs_.ShowModal(*windows_.NetworkChart);
}

void WindowRunPresenter::OpenReport(const std::string& fileName) {
    dialogs_.OpenDocument(QString::fromStdString(fileName), DocumentWindow::Normal);
}

char WindowRunPresenter::DecimalSeparator() const {
    return SystemDecimalSeparator();
}

}  // namespace qnetica
