#include "widgets/WindowPlacement.h"

#include <QRect>
#include <QWidget>

namespace qnetica {

void CentreOver(QWidget& window, const QWidget& over) {
    QRect place = window.frameGeometry();
    place.moveCenter(over.frameGeometry().center());
    window.move(place.topLeft());
}

}  // namespace qnetica
