#include "widgets/ReportFileRequest.h"

#include <QDir>

namespace qnetica {

FileDialogRequest ReportFileRequest() {
    FileDialogRequest request;
    request.Title = QStringLiteral("Сохранить отчет");
    request.Types = {{QStringLiteral("Файлы отчета"), QStringLiteral("*.txt")}};
    request.FileName = QStringLiteral("*.txt");
    request.Folder = QDir::currentPath();
    request.DefaultSuffix = QStringLiteral("txt");
    return request;
}

}  // namespace qnetica
