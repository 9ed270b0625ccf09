#include "widgets/ModelessWindow.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QWidget>

#include "widgets/WindowPlacement.h"

namespace qnetica {

void ShowModeless(QWidget& window) {
    // Opened over the window the user looks at, and closed again with Esc.
    if (!window.isVisible()) {
        if (const QWidget* front = QApplication::activeWindow(); front && front != &window)
            CentreOver(window, *front);
    }
    if (!window.property("closesWithEsc").toBool()) {
        auto* close = new QAction(&window);
        close->setShortcut(QKeySequence(Qt::Key_Escape));
        QObject::connect(close, &QAction::triggered, &window, &QWidget::close);
        window.addAction(close);
        window.setProperty("closesWithEsc", true);
    }
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted = modal ? Qt::ApplicationModal : Qt::NonModal;
    // The window that is itself the modal one in front stays so.
    if (modal != &window && window.windowModality() != wanted) {
        // Qt takes a new modality only when the window is shown again.
        window.hide();
        window.setWindowModality(wanted);
    }
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace qnetica
