#pragma once

#include <QString>
#include <string>

namespace qnetica {

// What the editing tools ask of the window they work in: the document's add and remove commands,
// the QS parameters dialog, the value input dialog and the undo history.
class EditorCommands {
  public:
    virtual ~EditorCommands() = default;

    // The document's add command; false when it refused (the network is full).
    virtual bool AddQs() = 0;
    virtual void RemoveQs() = 0;
    // The QS parameters dialog for the node, as the table editor's command opens it.
    virtual void EditQsParameters(int node) = 0;
    // Shows the value input dialog modally; returns its text however it was closed.
    virtual QString AskValue(const QString& prompt, const QString& text) = 0;
    // A finished action's change of the network, named for "Отменить <what>".
    virtual void RecordChange(const std::string& what) = 0;
};

}  // namespace qnetica
