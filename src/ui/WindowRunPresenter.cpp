#include "ui/WindowRunPresenter.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRect>

#include "charts/TForm9.h"
#include "editor/TForm5.h"
#include "ui/ProgressGauge.h"
#include "ui/TForm1.h"
#include "ui/TForm3.h"
#include "ui/TForm7.h"
#include "ui/TForm8.h"

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
    if (!windows_.Form7) return;  // nothing to ask with: the plan stays unconfirmed
    // The progress window is up before the dialog has gone, as the run is about to start.
    if (windows_.Form7->AskRunParameters(plan)) ShowProgressWindow();
}

void WindowRunPresenter::ShowProgressWindow() {
    if (!windows_.Form8) return;
    windows_.Form8->Gauge1()->SetRange(0, 0);
    // Where the dialog was, which the toolkit placed over the window that started the run.
    QRect place = windows_.Form8->frameGeometry();
    place.moveCenter(windows_.Form7->frameGeometry().center());
    windows_.Form8->move(place.topLeft());
    windows_.Form8->show();
    windows_.Form8->raise();
}

void WindowRunPresenter::ProcessPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowRunPresenter::StartProgress(int maximum) {
    if (!windows_.Form8) return;
    ProgressGauge* gauge = windows_.Form8->Gauge1();
    gauge->SetRange(0, maximum);
    gauge->SetProgress(0);
}

// The gauge paints at once; the rest of the program's windows are kept painted too (a message
// box of the engine may have covered them), but the user's input waits for the end of the run.
void WindowRunPresenter::SetProgress(int value) {
    if (!windows_.Form8) return;
    windows_.Form8->Gauge1()->SetProgress(value);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowRunPresenter::CloseProgress() {
    if (windows_.Form8) windows_.Form8->hide();
}

void WindowRunPresenter::ShowMessage(MessageKind kind, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    switch (kind) {
        case MessageKind::Error:
            dialogs_.ShowError(windows_.Form1, shown);
            break;
        case MessageKind::Information:
            dialogs_.ShowInformation(windows_.Form1, shown);
            break;
        case MessageKind::Plain:
            dialogs_.ShowPlain(windows_.Form1, shown);
            break;
    }
}

void WindowRunPresenter::EnableDisplayCommands() {
    if (windows_.Form5) windows_.Form5->EnableDisplayCommands();
}

void WindowRunPresenter::ShowResults(ResultTables& tables) {
    if (windows_.Form3) windows_.Form3->ShowResults(tables, model_.NodeCount());
}

bool WindowRunPresenter::ChartRequested() const {
    return windows_.Form7 && windows_.Form7->ChartRequested();
}

bool WindowRunPresenter::ReportViewRequested() const {
    return windows_.Form7 && windows_.Form7->ReportViewRequested();
}

void WindowRunPresenter::ShowNetworkChart(const StepTotals& totals, int stepCount) {
    if (!windows_.Form9) return;
    windows_.Form9->FillNetworkChart(totals, stepCount);
    dialogs_.ShowModal(*windows_.Form9);
}

void WindowRunPresenter::OpenReport(const std::string& fileName) {
    dialogs_.OpenDocument(QString::fromStdString(fileName), DocumentWindow::Normal);
}

char WindowRunPresenter::DecimalSeparator() const {
    return SystemDecimalSeparator();
}

}  // namespace qnetica
