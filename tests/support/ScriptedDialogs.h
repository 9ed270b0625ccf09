#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <variant>
#include <vector>

#include "widgets/PlatformDialogs.h"

namespace qnetica {

// The tests' stand-in for the platform: answers come from a queue written in advance, every
// request is logged, and nothing ever waits for a user.
//
// Boxes with a single OK button answer themselves. Questions and file dialogs take the next
// queued answer; one that finds no fitting answer is noted in Unanswered() and gets the safe
// answer (Cancel, or No without Cancel; no file). ShowModal runs the next queued window action
// if one is at the front, as if the user worked in the window and then closed it; otherwise
// the window counts as closed at once with its close box.
class ScriptedDialogs : public PlatformDialogs {
  public:
    using WindowAction = std::function<void(QWidget& window)>;
    struct FileCancel {};
    struct FileAsOffered {};

    enum class RequestKind { Message, OpenFile, SaveFile, Document, Modal };
    struct Request {
        RequestKind Kind = RequestKind::Message;
        MessageBoxKind BoxKind = MessageBoxKind::Plain;
        MessageBoxButtons Buttons = MessageBoxButtons::Ok;
        QString Text;  // message text, file dialog title, document path or window caption
        FileDialogRequest File;
        DocumentWindow Window = DocumentWindow::Normal;
    };

    void QueueAnswer(MessageBoxAnswer answer) { queue_.emplace_back(answer); }
    void QueueFile(const QString& path, int typeIndex = 1) {
        queue_.emplace_back(FileDialogAnswer{path, typeIndex});
    }
    void QueueFileCancel() { queue_.emplace_back(FileCancel{}); }
    // The user accepts what the dialog offers: its name (in its folder) and its type.
    void QueueFileAsOffered() { queue_.emplace_back(FileAsOffered{}); }
    void QueueWindowAction(WindowAction action) { queue_.emplace_back(std::move(action)); }
    void SetOpenDocumentResult(bool result) { openDocumentResult_ = result; }

    const std::vector<Request>& Log() const { return log_; }
    std::vector<Request> Messages() const;  // the message boxes only, in order
    const std::vector<QString>& Unanswered() const { return unanswered_; }
    std::size_t PendingAnswers() const { return queue_.size(); }
    void ClearLog() { log_.clear(); }

    MessageBoxAnswer ShowMessage(QWidget* parent, MessageBoxKind kind, const QString& text,
                                 MessageBoxButtons buttons) override;
    std::optional<FileDialogAnswer> AskOpenFile(QWidget* parent,
                                                const FileDialogRequest& request) override;
    std::optional<FileDialogAnswer> AskSaveFile(QWidget* parent,
                                                const FileDialogRequest& request) override;
    bool OpenDocument(const QString& path, DocumentWindow window) override;
    void ShowModal(QWidget& window) override;

  private:
    using Answer =
        std::variant<MessageBoxAnswer, FileDialogAnswer, FileCancel, FileAsOffered, WindowAction>;
    std::optional<FileDialogAnswer> NextFile(RequestKind kind, const FileDialogRequest& request);

    std::deque<Answer> queue_;
    std::vector<Request> log_;
    std::vector<QString> unanswered_;
    bool openDocumentResult_ = true;
};

}  // namespace qnetica
