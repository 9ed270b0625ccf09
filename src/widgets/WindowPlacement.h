#pragma once

class QWidget;

namespace qnetica {

// Moves a window so that its frame is centred over another window's frame.
void CentreOver(QWidget& window, const QWidget& over);

}  // namespace qnetica
