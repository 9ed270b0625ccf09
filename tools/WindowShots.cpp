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

#include "app/QneticaWindows.h"
#include "charts/TForm10.h"
#include "charts/TForm9.h"
#include "editor/TForm11.h"
#include "editor/TForm5.h"
#include "ui/ProgressGauge.h"
#include "ui/ScriptedDialogs.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"
#include "ui/TForm3.h"
#include "ui/TForm4.h"
#include "ui/TForm6.h"
#include "ui/TForm7.h"
#include "ui/TForm8.h"

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
    QneticaWindows program(dialogs);
    const ProgramWindows& w = program.Windows();
    TForm1& main = program.MainWindow();
    if (!main.OpenNetworkAt(network)) return 1;

    main.resize(900, 600);
    Save(main, out, QStringLiteral("main-window"));
    w.Form5->resize(1100, 700);
    w.Form5->show();
    w.Form5->Activate();
    Save(*w.Form5, out, QStringLiteral("scheme-editor"));
    w.Form2->PrepareForQs(1);
    Save(*w.Form2, out, QStringLiteral("qs-parameters"));
    Save(*w.Form4, out, QStringLiteral("about"));
    w.Form6->SetPrompt(QStringLiteral("S0"));
    w.Form6->SetValueText(QStringLiteral("1.0000000000"));
    Save(*w.Form6, out, QStringLiteral("value-input"));
    Save(*w.Form11, out, QStringLiteral("generator"));
    w.Form8->Gauge1()->SetRange(0, 10);
    w.Form8->Gauge1()->SetProgress(6);
    Save(*w.Form8, out, QStringLiteral("progress"));

    // A fixed run: the results window.
    dialogs.QueueWindowAction([](QWidget& window) {
        auto& parameters = static_cast<TForm7&>(window);
        parameters.RadioButton1()->setChecked(true);
        parameters.ContinueClick();
    });
    dialogs.QueueWindowAction([&](QWidget& window) { Save(window, out, "results"); });
    main.RunCalculation();

    // A varied run of the input rate with the network chart at its end.
    dialogs.QueueWindowAction([&](QWidget& window) {
        auto& parameters = static_cast<TForm7&>(window);
        parameters.RadioButton2()->setChecked(true);
        parameters.CheckBox(1)->setChecked(true);
        parameters.CheckBox(5)->setChecked(true);
        Save(parameters, out, QStringLiteral("run-parameters"));
        parameters.ContinueClick();
    });
    dialogs.QueueWindowAction([&](QWidget& window) {
        window.resize(1000, 620);
        Save(window, out, QStringLiteral("network-chart"));
    });
    main.RunCalculation();
    w.Form10->resize(1000, 620);
    w.Form10->show();
    w.Form10->BuildQsChart();
    Save(*w.Form10, out, QStringLiteral("qs-chart"));
    return failures == 0 ? 0 : 1;
}
