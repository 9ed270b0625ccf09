#include "widgets/ModelessWindow.h"

#include <QApplication>
#include <QWidget>

namespace qnetica {

void ShowModeless(QWidget& window) {
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
