#include "widgets/DocumentTitle.h"

#include <QFileInfo>

namespace qnetica {

QString DocumentTitle(const std::string& filePath, bool modified, const QString& windowName) {
    const QString name = filePath.empty() ? QStringLiteral("Без имени")
                                          : QFileInfo(QString::fromStdString(filePath)).fileName();
    return name + (modified ? QStringLiteral("*") : QString()) + QStringLiteral(" — ") + windowName;
}

}  // namespace qnetica
