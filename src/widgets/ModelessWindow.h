#pragma once

class QWidget;

namespace qnetica {

// Shows one of the program's free-standing windows (help, report viewer) in front. While a modal
// window is up (the scheme editor, a dialog) every other window is blocked, so the window is then
// shown modal over it, to be read and closed; otherwise it is an ordinary window beside the rest.
void ShowModeless(QWidget& window);

}  // namespace qnetica
