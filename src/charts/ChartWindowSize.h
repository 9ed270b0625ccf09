#pragma once

#include <QSize>
#include <QStringList>

class QDialog;

namespace qnetica {

struct StepAxis;

// A chart window that the user sizes, minimises and maximises, its chart following the window:
// it opens at the preferred size, or smaller on a smaller screen, and later at the size it had
// when it was closed.
void MakeResizable(QDialog& window, QSize preferred);

// The labels of steps 1..count as the windows show them: the varied parameter's values with the
// user's decimal separator, or the step numbers.
QStringList AxisLabels(const StepAxis& axis, int count);

}  // namespace qnetica
