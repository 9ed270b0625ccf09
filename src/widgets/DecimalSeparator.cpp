#include "widgets/DecimalSeparator.h"

#include <QLocale>

#include "model/NumberText.h"

namespace qnetica {

// The default locale is the system's unless the program (or a test) chose another.
char SystemDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point[0].unicode() < 128) return static_cast<char>(point[0].unicode());
    return '.';
}

char ShownDecimalSeparator() {
    return SystemDecimalSeparator() == ',' ? ',' : '.';
}

QString ShownNumber(const std::string& modelText, char separator) {
    return QString::fromStdString(WithDecimalSeparator(modelText, separator));
}

QString ShownFixed(double value, char separator) {
    return ShownNumber(FormatFixed(value), separator);
}

QString ShownGeneral(double value, int digits, char separator) {
    return ShownNumber(QString::number(value, 'g', digits).toStdString(), separator);
}

}  // namespace qnetica
