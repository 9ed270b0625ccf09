#pragma once

#include <QString>

namespace qnetica {

// What the editing tools ask of the other windows: the main window's add and remove commands
// and its QS parameters command, and the value input dialog.
class EditorCommands {
  public:
    virtual ~EditorCommands() = default;

    // The main window's add command; false when it refused (the network is full).
    virtual bool AddQs() = 0;
    virtual void RemoveQs() = 0;
    // Selects the node in the main window's list and runs its QS parameters command.
    virtual void EditQsParameters(int node) = 0;
    // Shows the value input dialog modally; returns its text however it was closed.
    virtual QString AskValue(const QString& prompt, const QString& text) = 0;
};

}  // namespace qnetica
