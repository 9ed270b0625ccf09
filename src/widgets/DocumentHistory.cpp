#include "widgets/DocumentHistory.h"

#include <QAction>
#include <QUndoCommand>

namespace qnetica {
namespace {

// One recorded change. It is already done when it is pushed, so its first redo does nothing.
class ChangeCommand : public QUndoCommand {
  public:
    ChangeCommand(NetworkDocument& document, std::shared_ptr<const NetworkChange> change)
        : QUndoCommand(QString::fromStdString(change->What)),
          document_(document),
          change_(std::move(change)) {}

    void undo() override { document_.Undo(*change_); }
    void redo() override {
        if (done_) document_.Redo(*change_);
        done_ = true;
    }

  private:
    NetworkDocument& document_;
    std::shared_ptr<const NetworkChange> change_;
    bool done_ = false;
};

}  // namespace

DocumentHistory::DocumentHistory(NetworkDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
    document_.AddListener(this);
    connect(&stack_, &QUndoStack::indexChanged, this, [this] { ShowModified(); });
    connect(&stack_, &QUndoStack::cleanChanged, this, [this] { ShowModified(); });
}

DocumentHistory::~DocumentHistory() {
    document_.RemoveListener(this);
}

void DocumentHistory::Undo() {
    document_.RecordChange("изменение сети");
    stack_.undo();
}

void DocumentHistory::Redo() {
    document_.RecordChange("изменение сети");
    stack_.redo();
}

QAction* DocumentHistory::CreateUndoAction(QObject* parent) {
    QAction* action = stack_.createUndoAction(parent, QStringLiteral("Отменить"));
    action->setShortcuts(QKeySequence::Undo);
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, &DocumentHistory::Undo);
    return action;
}

QAction* DocumentHistory::CreateRedoAction(QObject* parent) {
    QAction* action = stack_.createRedoAction(parent, QStringLiteral("Повторить"));
    action->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, &DocumentHistory::Redo);
    return action;
}

void DocumentHistory::ChangeRecorded(const std::shared_ptr<const NetworkChange>& change) {
    stack_.push(new ChangeCommand(document_, change));
}

void DocumentHistory::HistoryCleared() {
    stack_.clear();
}

void DocumentHistory::Saved() {
    stack_.setClean();
}

// Only an undo or redo that reaches the saved state clears the mark; any other move sets it.
void DocumentHistory::ShowModified() {
    document_.Model().SetModified(!stack_.isClean());
}

}  // namespace qnetica
