#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

#include "app/ProgramWindows.h"
#include "editor/LoadLegend.h"
#include "editor/SchemeEditorWindow.h"
#include "editor/SchemeLayout.h"
#include "editor/SchemeResultsOverlay.h"
#include "editor/SchemeView.h"
#include "support/ScriptedDialogs.h"
#include "ui/MainWindow.h"
#include "ui/ResultsDialog.h"
#include "ui/RunParametersDialog.h"

namespace qnetica {
namespace {

// S0 -> QS 1 -> .. -> QS 4 -> S0 at input rate 1: loads 0, 0.5, 0.99 and 1.5 (overloaded).
struct ColouredScheme {
    ScriptedDialogs dialogs;
    ProgramWindows program{dialogs};
    SchemeEditorWindow& editor = program.Editor();
    NetworkModel& model = program.Document().Model();

    ColouredScheme() {
        const double services[] = {0, 0.5, 0.99, 1.5};
        for (int k = 1; k <= 4; ++k) {
            program.Main().AddQs();
            model.Qs(k).ServiceTime = services[k - 1];
            model.Qs(k).PosX = 100 * k;
            model.Qs(k).PosY = 200;
            model.Matrix().SetCell(k - 1, k, "1");
        }
        model.Matrix().SetCell(4, 0, "1");
        model.SetSourcePos(0, 200);
        program.Main().InputRateEdit()->setText("1");
        editor.resize(900, 600);
        editor.show();
        QCoreApplication::processEvents();
    }
    void Calculate() {
        dialogs.QueueWindowAction([](QWidget& window) {
            EXPECT_TRUE(static_cast<RunParametersDialog&>(window).Continue());
        });
        editor.CalculateNetwork();
    }
    QImage Picture() { return editor.Image()->grab().toImage(); }
    // A point inside QS k's circle, clear of its label.
    QPoint InCircle(int k) const { return {100 * k + 15, 200 + 25}; }
};

bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 &&
           std::abs(a.blue() - b.blue()) <= 2;
}

int CountInBox(const QImage& picture, QPoint corner, const QColor& colour) {
    int count = 0;
    for (int y = corner.y() + 5; y < corner.y() + 25; ++y)
        for (int x = corner.x() + 5; x < corner.x() + 25; ++x)
            count += picture.pixelColor(x, y) == colour;
    return count;
}

TEST(SchemeColoursTest, QsAreFilledByTheirLoadsAfterACalculation) {
    ColouredScheme scheme;
    QAction* loads = scheme.editor.LoadsAction();
    EXPECT_FALSE(loads->isEnabled());  // nothing calculated yet
    scheme.Calculate();
    EXPECT_FALSE(scheme.program.Results().OverloadNote()->isHidden());  // QS 4 named there
    ASSERT_TRUE(loads->isEnabled());
    loads->trigger();
    EXPECT_TRUE(scheme.editor.Legend()->isVisible());
    const QImage picture = scheme.Picture();
    // Hue 120 degrees at load 0 down to 0 at load 1, full saturation, brightness 235.
    const QColor expected[] = {QColor(0, 235, 0), QColor(235, 235, 0), QColor(235, 5, 0)};
    for (int k = 1; k <= 3; ++k)
        EXPECT_TRUE(Near(picture.pixelColor(scheme.InCircle(k)), expected[k - 1]))
            << k << ": " << picture.pixelColor(scheme.InCircle(k)).name().toStdString();
    // The overloaded QS: dark red, hatched in light red.
    const QPoint fourth(400, 200);
    EXPECT_GT(CountInBox(picture, fourth, QColor(139, 0, 0)), 100);
    EXPECT_GT(CountInBox(picture, fourth, QColor(255, 150, 150)), 20);
    EXPECT_TRUE(scheme.editor.ResultsOverlay().FillOf(4)->Hatched);

    const QString tip = scheme.editor.ResultsOverlay().ToolTip(scheme.InCircle(2));
    EXPECT_TRUE(tip.contains("Коэффициент загрузки: 0.5")) << tip.toStdString();
    EXPECT_TRUE(tip.contains("Среднее время пребывания: 1\n") || tip.endsWith(": 1"))
        << tip.toStdString();  // M/M/1 at load 0.5: 0.5 / (1 - 0.5)
    EXPECT_TRUE(scheme.editor.ResultsOverlay().ToolTip(scheme.InCircle(4)).contains("Перегрузка"));
}

TEST(SchemeColoursTest, ColoursGoWhenTheNetworkChangesButNotWhenASymbolMoves) {
    ColouredScheme scheme;
    scheme.Calculate();
    scheme.editor.LoadsAction()->trigger();
    scheme.model.Qs(1).PosY = 260;
    scheme.program.Document().RecordChange("перемещение СМО");
    EXPECT_TRUE(scheme.editor.LoadsAction()->isChecked());
    scheme.model.Qs(1).PosY = 200;
    scheme.program.Document().RecordChange("перемещение СМО");

    scheme.model.Qs(2).ServiceTime = 0.6;
    scheme.program.Document().RecordChange("параметры СМО");
    EXPECT_FALSE(scheme.editor.LoadsAction()->isChecked());
    EXPECT_FALSE(scheme.editor.LoadsAction()->isEnabled());
    EXPECT_FALSE(scheme.editor.Legend()->isVisible());
    EXPECT_EQ(scheme.Picture().pixelColor(scheme.InCircle(2)), QColor(Qt::white));
    EXPECT_TRUE(scheme.editor.ResultsOverlay().ToolTip(scheme.InCircle(2)).isEmpty());
}

// Distance from a point to the segment between two others.
double Distance(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t =
        length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0;
    const QPointF nearest = a + ab * t;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

// On a random network of 150 QS, every probability written stays clear of the symbols and of
// the others, and lies beside its own link.
TEST(SchemeColoursTest, ProbabilitiesAreWrittenReadablyBesideTheirLinks) {
    ScriptedDialogs dialogs;
    ProgramWindows program(dialogs);
    NetworkDocument& document = program.Document();
    for (int k = 1; k <= 150; ++k) document.AddQs();
    document.RandomFill();
    SchemeEditorWindow& editor = program.Editor();
    editor.ShowProbabilities(true);
    const auto& labels = editor.ResultsOverlay().Labels();
    ASSERT_GT(labels.size(), 100u);
    const SchemeLayout layout(document.Model());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const auto& label = labels[i];
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            ASSERT_FALSE(label.Box.intersects(labels[j].Box)) << i << " " << j;
        for (int node = 0; node < layout.NodeCount(); ++node)
            ASSERT_FALSE(label.Box.intersects(QRect(layout.BoxCorner(node), QSize(30, 30))))
                << i << " " << node;
        const double reach = std::hypot(label.Box.width(), label.Box.height()) / 2 + 3;
        if (label.From != label.To) {
            EXPECT_LE(Distance(QRectF(label.Box).center(), layout.Centre(label.From),
                               layout.Centre(label.To)),
                      reach)
                << i;
        }
        const double value = label.Text.toDouble();
        const double cell = std::stod(document.Model().Matrix().Cell(label.From, label.To));
        EXPECT_NEAR(value, cell, 5e-4 * std::fabs(cell)) << label.Text.toStdString();
    }
    // A small network has room for all of them: the chain of the colours above.
    ColouredScheme chain;
    chain.editor.ShowProbabilities(true);
    EXPECT_EQ(chain.editor.ResultsOverlay().Labels().size(), 5u);
}

}  // namespace
}  // namespace qnetica
