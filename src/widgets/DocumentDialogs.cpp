#include "widgets/DocumentDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>


namespace qnetica {

namespace {

const QString LastFolderKey = QStringLiteral("lastFolder");

}  // namespace

DocumentDialogs::DocumentDialogs(PlatformDialogs& dialogs, QWidget* parent)
    : dialogs_(dialogs), parent_(parent) {}

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

std::optional<std::string> DocumentDialogs::AskPath(bool save, QString& lastName) {
    QSettings settings;
    FileDialogRequest request;
    request.Title = save ? QStringLiteral("Сохранить файл") : QStringLiteral("Открыть файл");
    request.Types = {{QStringLiteral("Стохастическая сеть"), QStringLiteral("*.qnf")}};
    request.FileName = lastName;
    request.Folder = settings.value(LastFolderKey, QDir::homePath()).toString();
    request.DefaultSuffix = QStringLiteral("qnf");
    const auto chosen =
        save ? dialogs_.AskSaveFile(parent_, request) : dialogs_.AskOpenFile(parent_, request);
    if (!chosen) return std::nullopt;
    lastName = chosen->Path;
    settings.setValue(LastFolderKey, QFileInfo(chosen->Path).absolutePath());
    return chosen->Path.toStdString();
}

std::optional<std::string> DocumentDialogs::AskOpenPath() {
    return AskPath(false, lastOpened_);
}

std::optional<std::string> DocumentDialogs::AskSavePath() {
    return AskPath(true, lastSaved_);
}

void DocumentDialogs::ShowError(const std::string& message) {
    dialogs_.ShowError(parent_, QString::fromStdString(message));
}

void DocumentDialogs::ShowNotice(const std::string& message) {
    dialogs_.ShowPlain(parent_, QString::fromStdString(message));
}

}  // namespace qnetica
