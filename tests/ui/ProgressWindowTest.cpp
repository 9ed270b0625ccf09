#include "ui/ProgressWindow.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QToolTip>

#include "widgets/ProgressGauge.h"

namespace qnetica {
namespace {

// Counts the paint events that reach a widget.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST(ProgressWindowTest, HasItsCaptionAndOneGaugeFillingTheWindow) {
    ProgressWindow progress;
    progress.show();
    EXPECT_EQ(progress.windowTitle(), "Подождите идет расчет...");
    EXPECT_EQ(progress.Gauge()->geometry(), progress.rect());
}

TEST(ProgressWindowTest, GaugeRepaintsAtOnceOnEveryValue) {
    ProgressWindow progress;
    progress.show();
    QCoreApplication::processEvents();
    PaintCounter counter;
    progress.Gauge()->installEventFilter(&counter);
    progress.Gauge()->SetRange(0, 3);
    for (int value = 1; value <= 3; ++value) {
        const int before = counter.paints;
        progress.Gauge()->SetProgress(value);  // no event processing in between
        EXPECT_GT(counter.paints, before) << value;
    }
}

TEST(ProgressWindowTest, GaugeShowsAMaroonBarOnTheTooltipColour) {
    ProgressWindow progress;
    progress.resize(400, 40);
    progress.Gauge()->SetRange(0, 4);
    progress.Gauge()->SetProgress(1);
    EXPECT_EQ(progress.Gauge()->PercentDone(), 25);
    const QImage image = progress.Gauge()->grab().toImage();
    EXPECT_EQ(image.pixelColor(2, 2), QColor(128, 0, 0));
    EXPECT_EQ(image.pixelColor(image.width() - 3, 2),
              QToolTip::palette().color(QPalette::ToolTipBase));
}

}  // namespace
}  // namespace qnetica
