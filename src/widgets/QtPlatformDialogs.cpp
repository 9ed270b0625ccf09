#include "widgets/QtPlatformDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QUrl>
#include <utility>

#include "widgets/WindowPlacement.h"

namespace qnetica {
namespace {

QMessageBox::Icon IconOf(MessageBoxKind kind) {
    switch (kind) {
        case MessageBoxKind::Error:
            return QMessageBox::Critical;
        case MessageBoxKind::Warning:
            return QMessageBox::Warning;
        case MessageBoxKind::Information:
            return QMessageBox::Information;
        case MessageBoxKind::Plain:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MessageBoxButtons buttons) {
    switch (buttons) {
        case MessageBoxButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageBoxButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageBoxButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

MessageBoxAnswer AnswerOf(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return MessageBoxAnswer::Yes;
        case QMessageBox::No:
            return MessageBoxAnswer::No;
        case QMessageBox::Cancel:
            return MessageBoxAnswer::Cancel;
        default:
            return MessageBoxAnswer::Ok;
    }
}

// The window the user looks at: boxes and dialogs open centred over it. The windows ask with the
// window that owns the question, which may lie hidden behind the editor.
QWidget* WindowInFront(QWidget* parent) {
    QWidget* active = QApplication::activeWindow();
    if (active && (!parent || !parent->window()->isVisible() || parent->window() != active))
        return active;
    // No window is up yet (a question at start): the middle of the screen.
    if (parent && !parent->window()->isVisible()) return nullptr;
    return parent;
}

void PlaceOver(QWidget& window, const QWidget* over) {
    if (!over || over == &window) return;
    window.adjustSize();
    CentreOver(window, *over);
}

// Runs a prepared file dialog; the caller has set its accept and file modes.
std::optional<FileDialogAnswer> RunFileDialog(QFileDialog& dialog,
                                              const FileDialogRequest& request) {
    const QStringList filters = QtFileFilter(request.Types).split(";;");
    dialog.setWindowTitle(request.Title);
    dialog.setNameFilters(filters);
    if (request.TypeIndex >= 1 && request.TypeIndex <= filters.size())
        dialog.selectNameFilter(filters[request.TypeIndex - 1]);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    dialog.setDirectory(request.Folder);
    // A pattern as the offered name only repeats the filter: offer no name then.
    const bool isPattern = request.FileName.contains('*') || request.FileName.contains('?');
    if (!request.FileName.isEmpty() && !isPattern) dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const int chosenType = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return FileDialogAnswer{dialog.selectedFiles().first(), chosenType > 0 ? chosenType : 1};
}

}  // namespace

MessageBoxAnswer QtPlatformDialogs::ShowMessage(QWidget* parent, MessageBoxKind kind,
                                                const QString& text, MessageBoxButtons buttons) {
    QMessageBox box(IconOf(kind), QApplication::applicationDisplayName(), text, ButtonsOf(buttons),
                    WindowInFront(parent));
    // Russian captions whether or not Qt's own translations are installed.
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
        {QMessageBox::Ok, "OK"},
        {QMessageBox::Yes, "Да"},
        {QMessageBox::No, "Нет"},
        {QMessageBox::Cancel, "Отмена"}};
    for (const auto& [button, caption] : captions)
        if (QAbstractButton* shown = box.button(button)) shown->setText(QString::fromUtf8(caption));
    if (buttons != MessageBoxButtons::Ok) box.setDefaultButton(QMessageBox::Yes);
    return AnswerOf(box.exec());
}

std::optional<FileDialogAnswer> QtPlatformDialogs::AskOpenFile(QWidget* parent,
                                                               const FileDialogRequest& request) {
    QFileDialog dialog(WindowInFront(parent));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog, request);
}

std::optional<FileDialogAnswer> QtPlatformDialogs::AskSaveFile(QWidget* parent,
                                                               const FileDialogRequest& request) {
    QFileDialog dialog(WindowInFront(parent));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt puts the chosen type's suffix on a typed name that has one; a name typed without one
    // gets the suffix of the type chosen last, not of the type shown first.
    if (!request.DefaultSuffix.isEmpty())
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
                static const QRegularExpression pattern(QStringLiteral(R"(\(\*\.(\w+))"));
                const QRegularExpressionMatch match = pattern.match(filter);
                if (match.hasMatch()) dialog.setDefaultSuffix(match.captured(1));
            });
    return RunFileDialog(dialog, request);
}

bool QtPlatformDialogs::OpenDocument(const QString& path, DocumentWindow /*window*/) {
    // The desktop decides how its viewer's window opens; Qt offers no way to ask for maximised.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

void QtPlatformDialogs::ShowModal(QWidget& window) {
    if (auto* dialog = qobject_cast<QDialog*>(&window)) {
        if (QWidget* front = WindowInFront(dialog->parentWidget()); front != dialog->parentWidget())
            PlaceOver(*dialog, front);
        dialog->exec();
        return;
    }
    // A main window shown modally: a local event loop that ends when the window is hidden.
    const Qt::WindowModality previous = window.windowModality();
    window.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QPointer<QWidget> guard(&window);
    struct HideWatcher : QObject {
        QEventLoop* Loop;
        explicit HideWatcher(QEventLoop* loop) : Loop(loop) {}
        bool eventFilter(QObject*, QEvent* event) override {
            // Minimising hides spontaneously; only a real hide or close ends the loop.
            if (event->type() == QEvent::Hide && !event->spontaneous()) Loop->quit();
            return false;
        }
    } watcher(&loop);
    window.installEventFilter(&watcher);
    window.show();
    loop.exec();
    if (guard) {
        guard->removeEventFilter(&watcher);
        guard->setWindowModality(previous);
    }
}

}  // namespace qnetica
