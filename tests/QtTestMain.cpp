// The main of the widget test programs: widgets need a QApplication before the first test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLocale>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Offscreen unless told otherwise, also when the build lists the tests without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings and recovery copies in the test process's own folder, never the user's.
    qputenv("XDG_CONFIG_HOME", QDir::current().filePath("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", QDir::current().filePath("data").toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Qnetica"));
    QApplication::setOrganizationName(QStringLiteral("qnetica"));
    // Numbers shown with "." whatever the locale of the machine; a test of the comma chooses it.
    QLocale::setDefault(QLocale::c());
    return RUN_ALL_TESTS();
}
