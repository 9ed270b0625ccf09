// Saves a picture of every window of the program, offscreen, with the example networks open:
//   qnetica_window_shots MODELS_FOLDER HELP_FOLDER OUTPUT_FOLDER
// Each picture is named after the help page that shows it (OUTPUT_FOLDER/<page>.png). The
// windows are driven as a user would drive them (through scripted answers), so the pictures
// show them as they really look. scripts/screenshots keeps the help's and the documents'
// pictures true with it.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

#include "app/ProgramWindows.h"
#include "charts/NetworkChartDialog.h"
#include "charts/QsChartDialog.h"
#include "editor/GeneratorDialog.h"
#include "editor/SchemeEditorWindow.h"
#include "support/ScriptedDialogs.h"
#include "ui/AboutDialog.h"
#include "ui/MainWindow.h"
#include "ui/ProgressWindow.h"
#include "ui/QsParametersDialog.h"
#include "ui/ResultsDialog.h"
#include "ui/RunParametersDialog.h"
#include "ui/ValueInputDialog.h"
#include "widgets/HelpWindow.h"
#include "widgets/ImageSaveDialog.h"
#include "widgets/ProgressGauge.h"
#include "widgets/ReportViewer.h"

namespace {

using namespace qnetica;

int failures = 0;

struct Folders {
    QString Models;
    QString Help;
    QString Out;
};

void Save(QWidget& window, const QString& folder, const QString& page) {
    window.show();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(page + QStringLiteral(".png"));
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++failures;
    }
    window.hide();
}

bool OpenExample(ProgramWindows& program, const Folders& folders, const QString& file) {
    const QString path = QDir(folders.Models).filePath(file);
    if (program.Document().OpenPath(path.toStdString())) return true;
    std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
    return false;
}

// A relative-priority QS, with its classes in the table.
void SaveQsParameters(ProgramWindows& program, const Folders& folders) {
    if (!OpenExample(program, folders, QStringLiteral("emergency.qnf"))) return;
    program.QsParameters().PrepareForQs(2);
    Save(program.QsParameters(), folders.Out, QStringLiteral("qs-parameters"));
}

void SaveSmallWindows(ProgramWindows& program, const Folders& folders) {
    Save(program.About(), folders.Out, QStringLiteral("about"));
    program.ValueInput().SetPrompt(QStringLiteral("Интенсивность входящего потока"));
    program.ValueInput().SetValueText(QStringLiteral("10"));
    Save(program.ValueInput(), folders.Out, QStringLiteral("value-input"));
    GeneratorDialog& generator = program.Generator();
    generator.IntensityEdit()->setText(QStringLiteral("1"));
    generator.ServiceTimeEdit()->setText(QStringLiteral("0.05"));
    generator.QsCountEdit()->setText(QStringLiteral("7"));
    Save(generator, folders.Out, QStringLiteral("generator"));
    program.Progress().Gauge()->SetRange(0, 10);
    program.Progress().Gauge()->SetProgress(6);
    Save(program.Progress(), folders.Out, QStringLiteral("progress"));
}

// The clinic in both editors and its fixed run in the results window.
void SaveClinic(ScriptedDialogs& dialogs, ProgramWindows& program, const Folders& folders) {
    if (!OpenExample(program, folders, QStringLiteral("clinic.qnf"))) return;
    program.Main().resize(900, 600);
    Save(program.Main(), folders.Out, QStringLiteral("main-window"));
    program.Editor().resize(1000, 620);
    program.Editor().show();
    program.Editor().Activate();
    Save(program.Editor(), folders.Out, QStringLiteral("scheme-editor"));
    dialogs.QueueWindowAction([](QWidget& window) {
        auto& parameters = static_cast<RunParametersDialog&>(window);
        parameters.FixedRunButton()->setChecked(true);
        parameters.Continue();
    });
    dialogs.QueueWindowAction([&](QWidget& window) {
        window.resize(1100, 520);
        Save(window, folders.Out, QStringLiteral("results-window"));
    });
    program.Main().Calculate();
}

// The rework example with its input rate varied from 1 to 3.5 over 6 steps: the parameters,
// the network chart at the end, the per-QS chart and the report of the run.
void SaveVariedRun(ScriptedDialogs& dialogs, ProgramWindows& program, const Folders& folders) {
    if (!OpenExample(program, folders, QStringLiteral("rework.qnf"))) return;
    dialogs.QueueWindowAction([&](QWidget& window) {
        auto& parameters = static_cast<RunParametersDialog&>(window);
        parameters.VariedRunButton()->setChecked(true);
        parameters.VaryInputRateBox()->setChecked(true);
        parameters.InputRateFromField()->setText(QStringLiteral("1"));
        parameters.InputRateToField()->setText(QStringLiteral("3.5"));
        parameters.StepCountField()->setText(QStringLiteral("6"));
        parameters.ChartBox()->setChecked(true);
        Save(parameters, folders.Out, QStringLiteral("run-parameters"));
        parameters.Continue();
    });
    dialogs.QueueWindowAction([&](QWidget& window) {
        window.resize(1000, 620);
        Save(window, folders.Out, QStringLiteral("network-chart"));
    });
    program.Main().Calculate();
    QsChartDialog& chart = program.QsChart();
    chart.resize(1000, 620);
    chart.show();
    chart.CharacteristicList()->setCurrentIndex(5);  // the mean queue length
    chart.BuildQsChart();
    Save(chart, folders.Out, QStringLiteral("qs-chart"));

    ReportViewer viewer(dialogs);
    viewer.resize(900, 560);
    if (viewer.Open(QDir::current().filePath(QStringLiteral("report.txt"))))
        Save(viewer, folders.Out, QStringLiteral("report-viewer"));
}

// Qt's own file dialog, as the picture save dialog shows it, in a folder with two pictures. The
// folder has a fixed name, so that the picture stays the same from run to run.
void SaveImageDialog(const Folders& folders) {
    QDir pictures(QDir::temp().filePath(QStringLiteral("qnetica-pictures")));
    pictures.mkpath(QStringLiteral("."));
    const QStringList names = {QStringLiteral("поликлиника.bmp"), QStringLiteral("очередь.bmp")};
    for (const QString& name : names) QFile(pictures.filePath(name)).open(QIODevice::WriteOnly);
    const FileDialogRequest request = ImageSaveDialog::Request(QStringLiteral("схема.bmp"));
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setObjectName(QStringLiteral("ImageSaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setViewMode(QFileDialog::List);  // no dates
    dialog.setWindowTitle(request.Title);
    dialog.setNameFilters(QtFileFilter(request.Types).split(QStringLiteral(";;")));
    dialog.setDirectory(pictures);
    dialog.selectFile(request.FileName);
    dialog.resize(760, 460);
    dialog.show();
    // The dialog lists the folder in a thread of its own.
    for (int i = 0; i < 100; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
    Save(dialog, folders.Out, QStringLiteral("image-save"));
    pictures.removeRecursively();
}

void SaveHelpWindow(const Folders& folders) {
    HelpWindow help(folders.Help);
    help.resize(980, 640);
    help.Open(QStringLiteral("quickstart.htm"));
    Save(help, folders.Out, QStringLiteral("help-window"));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir work;  // the runs' files, and settings and recovery copies apart from the user's
    qputenv("XDG_CONFIG_HOME", QDir(work.path()).filePath("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", QDir(work.path()).filePath("data").toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setCursorFlashTime(0);  // a text cursor that does not blink: steady pictures
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s MODELS_FOLDER HELP_FOLDER OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    auto absolute = [](const char* path) {
        return QFileInfo(QString::fromLocal8Bit(path)).absoluteFilePath();
    };
    const Folders folders{absolute(argv[1]), absolute(argv[2]), absolute(argv[3])};
    QDir().mkpath(folders.Out);
    QDir::setCurrent(work.path());

    ScriptedDialogs dialogs;
    ProgramWindows program(dialogs);
    SaveQsParameters(program, folders);
    SaveSmallWindows(program, folders);
    SaveClinic(dialogs, program, folders);
    SaveVariedRun(dialogs, program, folders);
    SaveImageDialog(folders);
    SaveHelpWindow(folders);
    if (!dialogs.Unanswered().empty()) {
        for (const QString& prompt : dialogs.Unanswered())
            std::fprintf(stderr, "unanswered: %s\n", qPrintable(prompt));
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
