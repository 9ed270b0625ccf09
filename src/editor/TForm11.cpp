#include "editor/TForm11.h"

namespace qnetica {

TForm11::TForm11(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Автоматическая генерация модели"));
    resize(420, 240);
}

}  // namespace qnetica
