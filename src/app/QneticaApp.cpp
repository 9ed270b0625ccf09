#include "app/QneticaApp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/QneticaWindows.h"
#include "ui/QtPlatformDialogs.h"
#include "ui/TForm1.h"

namespace qnetica {

int RunQnetica(int argc, char** argv) {
    QApplication app(argc, argv);
    // The name only: a display name would be appended to every window's caption.
    QApplication::setApplicationName(QStringLiteral("Qnetica"));
    // Qt's own dialogs (file dialogs) speak Russian like the rest, when the translation exists.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ru"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    QtPlatformDialogs dialogs;
    QneticaWindows windows(dialogs);
    windows.MainWindow().show();
    return app.exec();
}

}  // namespace qnetica
