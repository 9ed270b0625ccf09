#include "widgets/DocumentDialogs.h"

#include <QFileInfo>

#include "widgets/LastFolder.h"

namespace qnetica {

namespace {

constexpr int JsonTypeIndex = 2;

// The form follows a typed ".qnf" or ".json"; any other name gets the suffix of the type chosen,
// so that the name always says which form the file holds.
QString WithSuffixOfType(const QString& path, int typeIndex) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("qnf") || suffix == QStringLiteral("json")) return path;
    return path + (typeIndex == JsonTypeIndex ? QStringLiteral(".json") : QStringLiteral(".qnf"));
}

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
    FileDialogRequest request;
    request.Title = save ? QStringLiteral("Сохранить файл") : QStringLiteral("Открыть файл");
    // Saving offers the two forms; opening shows both at once first (the form is read from the
    // content).
    request.Types = {{QStringLiteral("Стохастическая сеть"), QStringLiteral("*.qnf")},
                     {QStringLiteral("Сеть в JSON"), QStringLiteral("*.json")}};
    if (!save)
        request.Types.prepend({QStringLiteral("Сети Qnetica"), QStringLiteral("*.qnf *.json")});
    request.FileName = lastName;
    request.Folder = LastFolder();
    // The suffix is the chosen type's, added below: a fixed default would contradict the type.
    request.DefaultSuffix = save ? QString() : QStringLiteral("qnf");
    auto chosen =
        save ? dialogs_.AskSaveFile(parent_, request) : dialogs_.AskOpenFile(parent_, request);
    if (!chosen) return std::nullopt;
    if (save) chosen->Path = WithSuffixOfType(chosen->Path, chosen->TypeIndex);
    lastName = chosen->Path;
    RememberFolderOf(chosen->Path);
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
