#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QWidget>

namespace qnetica {

std::vector<ScriptedDialogs::Request> ScriptedDialogs::Messages() const {
    std::vector<Request> messages;
    for (const Request& request : log_)
        if (request.Kind == RequestKind::Message) messages.push_back(request);
    return messages;
}

MessageBoxAnswer ScriptedDialogs::ShowMessage(QWidget* /*parent*/, MessageBoxKind kind,
                                              const QString& text, MessageBoxButtons buttons) {
    Request request;
    request.Kind = RequestKind::Message;
    request.BoxKind = kind;
    request.Buttons = buttons;
    request.Text = text;
    log_.push_back(request);
    if (buttons == MessageBoxButtons::Ok) return MessageBoxAnswer::Ok;
    const bool fits = !queue_.empty() && std::holds_alternative<MessageBoxAnswer>(queue_.front());
    if (!fits) {
        unanswered_.push_back("question: " + text);
        return buttons == MessageBoxButtons::YesNoCancel ? MessageBoxAnswer::Cancel
                                                         : MessageBoxAnswer::No;
    }
    const MessageBoxAnswer answer = std::get<MessageBoxAnswer>(queue_.front());
    queue_.pop_front();
    return answer;
}

std::optional<FileDialogAnswer> ScriptedDialogs::NextFile(RequestKind kind,
                                                          const FileDialogRequest& file) {
    Request request;
    request.Kind = kind;
    request.Text = file.Title;
    request.File = file;
    log_.push_back(request);
    if (!queue_.empty() && std::holds_alternative<FileCancel>(queue_.front())) {
        queue_.pop_front();
        return std::nullopt;
    }
    if (!queue_.empty() && std::holds_alternative<FileAsOffered>(queue_.front())) {
        queue_.pop_front();
        return FileDialogAnswer{QDir(file.Folder).filePath(file.FileName), file.TypeIndex};
    }
    if (queue_.empty() || !std::holds_alternative<FileDialogAnswer>(queue_.front())) {
        unanswered_.push_back("file dialog: " + file.Title);
        return std::nullopt;
    }
    FileDialogAnswer answer = std::get<FileDialogAnswer>(queue_.front());
    queue_.pop_front();
    return answer;
}

std::optional<FileDialogAnswer> ScriptedDialogs::AskOpenFile(QWidget* /*parent*/,
                                                             const FileDialogRequest& request) {
    return NextFile(RequestKind::OpenFile, request);
}

std::optional<FileDialogAnswer> ScriptedDialogs::AskSaveFile(QWidget* /*parent*/,
                                                             const FileDialogRequest& request) {
    return NextFile(RequestKind::SaveFile, request);
}

bool ScriptedDialogs::OpenDocument(const QString& path, DocumentWindow window) {
    Request request;
    request.Kind = RequestKind::Document;
    request.Text = path;
    request.Window = window;
    log_.push_back(request);
    return openDocumentResult_;
}

void ScriptedDialogs::ShowModal(QWidget& window) {
    Request request;
    request.Kind = RequestKind::Modal;
    request.Text = window.windowTitle();
    log_.push_back(request);
    if (queue_.empty() || !std::holds_alternative<WindowAction>(queue_.front())) return;
    const WindowAction action = std::get<WindowAction>(queue_.front());
    queue_.pop_front();
    action(window);
}

}  // namespace qnetica
