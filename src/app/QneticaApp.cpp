#include "app/QneticaApp.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

namespace qnetica {

int RunQnetica(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Qnetica");
    QApplication::setApplicationDisplayName("Qnetica");
    // The windows of the program arrive with their own changes; until then a plain frame.
    QMainWindow window;
    window.setWindowTitle("Qnetica");
    window.setCentralWidget(new QLabel(QString::fromUtf8("Qnetica: анализ стохастических сетей"),
                                       &window));
    window.resize(748, 568);
    window.show();
    return app.exec();
}

}  // namespace qnetica
