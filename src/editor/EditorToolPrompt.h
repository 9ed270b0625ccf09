#pragma once

#include <QCursor>
#include <QString>

namespace qnetica {

class EditorToolState;

// What the status bar says the tool expects next, e.g. "Выберите СМО, из которой идет связь".
QString ToolPrompt(const EditorToolState& tools);

// The pointer over the scheme: the tool that is on shows beside it, a hand holds a symbol.
QCursor ToolCursor(const EditorToolState& tools);

}  // namespace qnetica
