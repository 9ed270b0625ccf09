#pragma once

#include <QCursor>
#include <QIcon>

namespace qnetica::EditorIcons {

// The editor's own tool bar pictures, drawn in the scheme's black, white and red.
QIcon AddQs();
QIcon MoveQs();
QIcon Link();
QIcon Unlink();
QIcon DeleteQs();
QIcon SaveImage();
QIcon MatrixEditor();
QIcon GenerateModel();
QIcon NetworkChart();
QIcon QsChart();

// The pointer with a tool's picture beside it, for the scheme while that tool is on.
QCursor ToolCursor(const QIcon& tool);

}  // namespace qnetica::EditorIcons
