#include "charts/ChartWindowSize.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

#include "runs/StepAxis.h"
#include "widgets/DecimalSeparator.h"
#include "widgets/WindowSizeKeeper.h"

namespace qnetica {
namespace {

const QSize SmallestChart(480, 360);
constexpr double ScreenShare = 0.9;

}  // namespace

void MakeResizable(QDialog& window, QSize preferred) {
    window.setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    window.setSizeGripEnabled(true);
    // Never narrower than its controls: a caption cut in the middle reads as another word.
    const QSize smallest = SmallestChart.expandedTo(window.minimumSizeHint());
    window.setMinimumSize(smallest);
    QSize size = preferred;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * ScreenShare);
    size = size.expandedTo(smallest);
    window.resize(size);
    KeepWindowSize(window, size);
}

QStringList AxisLabels(const StepAxis& axis, int count) {
    QStringList labels;
    for (const std::string& label : axis.Labels(count)) labels << ShownNumber(label);
    return labels;
}

}  // namespace qnetica
