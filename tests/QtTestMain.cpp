// The main of the widget test programs: widgets need a QApplication before the first test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Offscreen unless told otherwise, also when the build lists the tests without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Numbers shown with "." whatever the locale of the machine; a test of the comma chooses it.
    QLocale::setDefault(QLocale::c());
    return RUN_ALL_TESTS();
}
