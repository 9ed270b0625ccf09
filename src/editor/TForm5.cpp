#include "editor/TForm5.h"

namespace qnetica {

TForm5::TForm5(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Qnetica (визуальный редактор)"));
    resize(1024, 768);
}

}  // namespace qnetica
