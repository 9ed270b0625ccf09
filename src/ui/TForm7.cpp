#include "ui/TForm7.h"

namespace qnetica {

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Параметры расчета сети"));
    resize(560, 420);
}

}  // namespace qnetica
