#include "app/QneticaApp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include "app/ProgramWindows.h"
#include "ui/MainWindow.h"
#include "widgets/DataFolder.h"
#include "widgets/QtPlatformDialogs.h"

// The icon is compiled into the static window library, whose resources a program must load
// by name: nothing else refers to them, so the linker would leave them out.
static void LoadIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace qnetica {
namespace {

// The network file named on the command line, if any ("qnetica FILE.qnf", as the desktop
// starts it for a double-clicked file).
QString NetworkFileArgument(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Анализ открытых стохастических сетей массового обслуживания"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("файл"),
                                 QStringLiteral("файл сети (.qnf), открываемый при запуске"),
                                 QStringLiteral("[файл]"));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : files.first();
}

// For the install check: with QNETICA_STARTUP_REPORT=PATH the program writes what it found at
// start-up (its data folder, the network it opened) into PATH once its windows are up, and ends.
void ReportStartupWhenAsked(ProgramWindows& windows, const QString& file) {
    const QString reportPath = qEnvironmentVariable("QNETICA_STARTUP_REPORT");
    if (reportPath.isEmpty()) return;
    QTimer::singleShot(0, &windows.Main(), [&windows, file, reportPath] {
        QFile report(reportPath);
        if (report.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            report.write(QStringLiteral("data=%1\nfile=%2\nqs=%3\n")
                             .arg(DataFolder(), file)
                             .arg(windows.Document().Model().QsCount())
                             .toUtf8());
        }
        QCoreApplication::exit(report.error() == QFileDevice::NoError ? 0 : 1);
    });
}

}  // namespace

int RunQnetica(int argc, char** argv) {
    QApplication app(argc, argv);
    // The name only: a display name would be appended to every window's caption.
    QApplication::setApplicationName(QStringLiteral("Qnetica"));
    // Settings in ~/.config/qnetica/, recovery copies in ~/.local/share/qnetica/Qnetica/.
    QApplication::setOrganizationName(QStringLiteral("qnetica"));
    QApplication::setApplicationVersion(QStringLiteral(QNETICA_VERSION));
    LoadIconResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/qnetica.svg")));
    // Qt's own dialogs (file dialogs) speak Russian like the rest, when the translation exists.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ru"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    const QString file = NetworkFileArgument(app);

    QtPlatformDialogs dialogs;
    ProgramWindows windows(dialogs);
    // A network a crashed program left comes first; a file named on the command line otherwise.
    if (!windows.OfferRecovery() && !file.isEmpty())
        windows.Document().OpenPath(file.toStdString());
    windows.Main().show();
    ReportStartupWhenAsked(windows, file);
    return app.exec();
}

}  // namespace qnetica
