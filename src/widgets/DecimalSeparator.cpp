#include "widgets/DecimalSeparator.h"

#include <QLocale>
#include <QString>

namespace qnetica {

char SystemDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1 && point[0].unicode() < 128) return static_cast<char>(point[0].unicode());
    return '.';
}

}  // namespace qnetica
