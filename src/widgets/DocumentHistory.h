#pragma once

#include <QObject>
#include <QUndoStack>
#include <functional>

#include "document/NetworkDocument.h"

class QAction;
class QMenu;
class QWidget;

namespace qnetica {

// The document's undo history as Qt's undo stack: every change the document records becomes a
// command, New and Open clear the stack, a save marks its clean point, and the network counts
// as changed exactly while the stack is away from that point.
class DocumentHistory : public QObject, private DocumentListener {
    Q_OBJECT

  public:
    explicit DocumentHistory(NetworkDocument& document, QObject* parent = nullptr);
    ~DocumentHistory() override;

    QUndoStack& Stack() { return stack_; }
    // Undo and redo: what a command of a window did but did not record yet is recorded first.
    void Undo();
    void Redo();
    // "Отменить <что>" and "Повторить <что>" with their shortcuts at the top of a window's Edit
    // menu; beforeStep, when given, runs before each step (a window dropping a half-done action).
    void AddToMenu(QMenu* edit, QWidget* owner, std::function<void()> beforeStep = {});

  private:
    void ChangeRecorded(const std::shared_ptr<const NetworkChange>& change) override;
    void HistoryCleared() override;
    void Saved() override;
    void ShowModified();

    NetworkDocument& document_;
    QUndoStack stack_;
};

}  // namespace qnetica
