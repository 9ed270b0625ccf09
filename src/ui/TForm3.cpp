#include "ui/TForm3.h"

namespace qnetica {

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Результат"));
    resize(640, 480);
}

}  // namespace qnetica
