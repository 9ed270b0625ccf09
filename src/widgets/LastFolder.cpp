#include "widgets/LastFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace qnetica {
namespace {

const QString LastFolderKey = QStringLiteral("lastFolder");

}  // namespace

QString LastFolder() {
    return QSettings().value(LastFolderKey, QDir::homePath()).toString();
}

void RememberFolderOf(const QString& path) {
    QSettings().setValue(LastFolderKey, QFileInfo(path).absolutePath());
}

}  // namespace qnetica
