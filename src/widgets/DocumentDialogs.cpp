#include "widgets/DocumentDialogs.h"

#include <QFileInfo>

#include "widgets/DataFolder.h"

namespace qnetica {

DocumentDialogs::DocumentDialogs(PlatformDialogs& dialogs, QWidget* parent)
    : dialogs_(dialogs), parent_(parent) {
    openMemory_.Folder = saveMemory_.Folder = DataPath(QStringLiteral("models"));
}

SaveChangesAnswer DocumentDialogs::AskSaveChanges(const std::string& question) {
    switch (dialogs_.ShowMessage(parent_, MessageBoxKind::Warning, QString::fromStdString(question),
                                 MessageBoxButtons::YesNoCancel)) {
        case MessageBoxAnswer::Yes:
            return SaveChangesAnswer::Save;
        case MessageBoxAnswer::No:
            return SaveChangesAnswer::Discard;
        default:
            return SaveChangesAnswer::Cancel;
    }
}

std::optional<std::string> DocumentDialogs::AskPath(bool save, FileMemory& memory) {
    FileDialogRequest request;
    request.Title = save ? QStringLiteral("Сохранить файл") : QStringLiteral("Открыть файл");
    request.Types = {{QStringLiteral("Стохастическая сеть"), QStringLiteral("*.qnf")}};
    request.FileName = memory.FileName;
    request.Folder = memory.Folder;
    request.DefaultSuffix = QStringLiteral("qnf");
    const auto chosen =
        save ? dialogs_.AskSaveFile(parent_, request) : dialogs_.AskOpenFile(parent_, request);
    if (!chosen) return std::nullopt;
    memory.FileName = chosen->Path;
    memory.Folder = QFileInfo(chosen->Path).absolutePath();
    return chosen->Path.toStdString();
}

std::optional<std::string> DocumentDialogs::AskOpenPath() {
    return AskPath(false, openMemory_);
}

std::optional<std::string> DocumentDialogs::AskSavePath() {
    return AskPath(true, saveMemory_);
}

void DocumentDialogs::ShowError(const std::string& message) {
    dialogs_.ShowError(parent_, QString::fromStdString(message));
}

void DocumentDialogs::ShowNotice(const std::string& message) {
    dialogs_.ShowPlain(parent_, QString::fromStdString(message));
}

}  // namespace qnetica
