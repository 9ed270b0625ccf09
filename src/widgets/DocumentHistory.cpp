#include "widgets/DocumentHistory.h"

#include <QAction>
#include <QMenu>
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

void DocumentHistory::AddToMenu(QMenu* edit, QWidget* owner, std::function<void()> beforeStep) {
    QAction* undo = stack_.createUndoAction(owner, QStringLiteral("Отменить"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = stack_.createRedoAction(owner, QStringLiteral("Повторить"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // The stack's own steps would skip recording what a window did but did not record yet.
    for (auto [action, step] :
         {std::pair{undo, &DocumentHistory::Undo}, std::pair{redo, &DocumentHistory::Redo}}) {
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, this, [this, beforeStep, step = step] {
            if (beforeStep) beforeStep();
            (this->*step)();
        });
    }
    QAction* first = edit->actions().value(0);
    edit->insertAction(first, undo);
    edit->insertAction(first, redo);
    edit->insertSeparator(first);
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
