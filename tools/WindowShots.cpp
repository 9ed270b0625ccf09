// Saves a picture of every window of the program, offscreen, with an example network open:
//   qnetica_window_shots NETWORK.qnf OUTPUT_FOLDER
// The windows are driven as a user would drive them (through scripted answers), so the pictures
// show them as they really look. Used to keep the help's and the documents' pictures true.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

#include "app/ProgramWindows.h"
#include "support/ScriptedDialogs.h"
#include "charts/NetworkChartDialog.h"
#include "charts/QsChartDialog.h"
#include "editor/GeneratorDialog.h"
#include "editor/SchemeEditorWindow.h"
#include "ui/AboutDialog.h"
#include "ui/MainWindow.h"
#include "widgets/ProgressGauge.h"
#include "ui/ProgressWindow.h"
#include "ui/QsParametersDialog.h"
#include "ui/ResultsDialog.h"
#include "ui/RunParametersDialog.h"

#include "ui/ValueInputDialog.h"

namespace {

using namespace qnetica;

int failures = 0;

void Save(QWidget& window, const QString& folder, const QString& name) {
    window.show();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++failures;
    }
    window.hide();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s NETWORK.qnf OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString network = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const QString out = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    QDir().mkpath(out);
    QTemporaryDir work;  // the runs' files
    QDir::setCurrent(work.path());

    ScriptedDialogs dialogs;
    ProgramWindows program(dialogs);
    MainWindow& main = program.Main();
    if (!program.Document().OpenPath(network.toStdString())) return 1;

    main.resize(900, 600);
    Save(main, out, QStringLiteral("main-window"));
    program.Editor().resize(1100, 700);
    program.Editor().show();
    program.Editor().Activate();
    Save(program.Editor(), out, QStringLiteral("scheme-editor"));
    program.QsParameters().PrepareForQs(1);
    Save(program.QsParameters(), out, QStringLiteral("qs-parameters"));
    Save(program.About(), out, QStringLiteral("about"));
    program.ValueInput().SetPrompt(QStringLiteral("S0"));
    program.ValueInput().SetValueText(QStringLiteral("1.0000000000"));
    Save(program.ValueInput(), out, QStringLiteral("value-input"));
    Save(program.Generator(), out, QStringLiteral("generator"));
    program.Progress().Gauge()->SetRange(0, 10);
    program.Progress().Gauge()->SetProgress(6);
    Save(program.Progress(), out, QStringLiteral("progress"));

    // A fixed run: the results window.
    dialogs.QueueWindowAction([](QWidget& window) {
        auto& parameters = static_cast<RunParametersDialog&>(window);
        parameters.FixedRunButton()->setChecked(true);
        parameters.Continue();
    });
    dialogs.QueueWindowAction([&](QWidget& window) { Save(window, out, "results"); });
    main.Calculate();

    // A varied run of the input rate with the network chart at its end.
    dialogs.QueueWindowAction([&](QWidget& window) {
        auto& parameters = static_cast<RunParametersDialog&>(window);
        parameters.VariedRunButton()->setChecked(true);
        parameters.VaryInputRateBox()->setChecked(true);
        parameters.ChartBox()->setChecked(true);
        Save(parameters, out, QStringLiteral("run-parameters"));
        parameters.Continue();
    });
    dialogs.QueueWindowAction([&](QWidget& window) {
        window.resize(1000, 620);
        Save(window, out, QStringLiteral("network-chart"));
    });
    main.Calculate();
    program.QsChart().resize(1000, 620);
    program.QsChart().show();
    program.QsChart().BuildQsChart();
    Save(program.QsChart(), out, QStringLiteral("qs-chart"));
    return failures == 0 ? 0 : 1;
}
