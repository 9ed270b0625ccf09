#pragma once

#include <QSize>

class QWidget;

namespace qnetica {

// Whoever shows a window may first fit it to its contents (the platform dialogs do, to centre
// it): at every showing the window takes back the size it had when it was last closed (size at
// the first), about the same centre. A maximised window is left as it is.
void KeepWindowSize(QWidget& window, QSize size);

}  // namespace qnetica
