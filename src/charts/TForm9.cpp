#include "charts/TForm9.h"

namespace qnetica {

TForm9::TForm9(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Диаграмма"));
    resize(640, 480);
}

}  // namespace qnetica
