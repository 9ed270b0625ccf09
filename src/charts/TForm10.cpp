#include "charts/TForm10.h"

namespace qnetica {

TForm10::TForm10(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Диаграмма по характеристикам отдельных СМО"));
    resize(640, 480);
}

}  // namespace qnetica
