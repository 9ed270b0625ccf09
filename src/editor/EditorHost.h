#pragma once

#include <QString>

namespace qnetica {

// What the editor asks of the rest of the program: the other windows and the calculation. The
// program's wiring answers; the editor knows no other window.
class EditorHost {
  public:
    virtual ~EditorHost() = default;

    // The program's exit with its "save changes?" question; true when the program ends.
    virtual bool ExitProgram() = 0;
    // The editor closes to show the table editor, whose grid reads the cells the tools wrote.
    virtual void ReturnToTable() = 0;
    virtual void Calculate() = 0;
    virtual void ShowGenerator() = 0;
    // The QS parameters dialog for a node, as the table editor's command opens it.
    virtual void EditQsParameters(int node) = 0;
    // Shows the value input dialog modally; returns its text however it was closed.
    virtual QString AskValue(const QString& prompt, const QString& text) = 0;
    virtual void ShowNetworkChart() = 0;
    virtual void ShowQsChart() = 0;
    virtual void ShowAbout() = 0;
    // A report file in the program's report viewer.
    virtual void ShowReport(const QString& path) = 0;
};

}  // namespace qnetica
