#pragma once

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

}  // namespace qnetica::EditorIcons
