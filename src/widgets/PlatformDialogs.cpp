#include "widgets/PlatformDialogs.h"

#include <QStringList>

namespace qnetica {

void PlatformDialogs::ShowPlain(QWidget* parent, const QString& text) {
    ShowMessage(parent, MessageBoxKind::Plain, text, MessageBoxButtons::Ok);
}

void PlatformDialogs::ShowError(QWidget* parent, const QString& text) {
    ShowMessage(parent, MessageBoxKind::Error, text, MessageBoxButtons::Ok);
}

void PlatformDialogs::ShowInformation(QWidget* parent, const QString& text) {
    ShowMessage(parent, MessageBoxKind::Information, text, MessageBoxButtons::Ok);
}

QString QtFileFilter(const QList<FileType>& types) {
    QStringList entries;
    for (const FileType& type : types) {
        // Several patterns of one type are separated by ";" in the old notation, by " " in Qt's.
        QString patterns = type.Pattern;
        patterns.replace(';', ' ');
        entries << type.Description + " (" + patterns + ")";
    }
    return entries.join(";;");
}

}  // namespace qnetica
