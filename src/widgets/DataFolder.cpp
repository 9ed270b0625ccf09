#include "widgets/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace qnetica {

QString DataFolder() {
    const QDir program(QCoreApplication::applicationDirPath());
    const QString installed = program.filePath(QStringLiteral("../share/qnetica"));
    if (QFileInfo(installed).isDir()) return QDir::cleanPath(installed);
    return program.path();
}

QString DataPath(const QString& relative) {
    return QDir(DataFolder()).filePath(relative);
}

}  // namespace qnetica
