#include "widgets/ResultsCsvExport.h"

#include "runs/ResultsCsv.h"
#include "widgets/DecimalSeparator.h"
#include "widgets/LastFolder.h"

namespace qnetica {
namespace {

FileDialogRequest CsvFileRequest() {
    FileDialogRequest request;
    request.Title = QStringLiteral("Экспорт в CSV");
    request.Types = {{QStringLiteral("Таблица CSV"), QStringLiteral("*.csv")}};
    request.FileName = QStringLiteral("results.csv");
    request.Folder = LastFolder();
    request.DefaultSuffix = QStringLiteral("csv");
    return request;
}

}  // namespace

bool ExportResultsCsv(QWidget* parent, PlatformDialogs& dialogs, const RunFigures& figures) {
    if (figures.Empty()) {
        dialogs.ShowPlain(parent, QStringLiteral("Нет результатов расчета для экспорта."));
        return false;
    }
    const auto chosen = dialogs.AskSaveFile(parent, CsvFileRequest());
    if (!chosen) return false;
    RememberFolderOf(chosen->Path);
    const FileResult written =
        WriteResultsCsv(chosen->Path.toStdString(), figures, CsvStyleFor(SystemDecimalSeparator()));
    if (!written.Ok) dialogs.ShowError(parent, QString::fromStdString(written.Message));
    return written.Ok;
}

}  // namespace qnetica
