#include <gtest/gtest.h>

#include <algorithm>

#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QSvgRenderer>
#include <filesystem>
#include <memory>

#include "ChartTestSupport.h"
#include "charts/NetworkChartDialog.h"
#include "charts/QsChartDialog.h"
#include "charts/StepBarChart.h"
#include "support/ScriptedDialogs.h"

namespace qnetica {
namespace {

enum class Window { Network, Qs };

// Both chart windows, shown with bars, and what their "Сохранить" needs.
struct ShownChart {
    ScriptedDialogs dialogs;
    ImageSaveDialog saveDialog{dialogs};
    std::unique_ptr<QWidget> window;
    StepBarChart* chart = nullptr;
    QPushButton* save = nullptr;
    QColor barColour;

    explicit ShownChart(Window kind) {
        const ChartDialogs both{dialogs, saveDialog};
        if (kind == Window::Network) {
            auto form = std::make_unique<NetworkChartDialog>(both);
            StepTotals totals;
            totals.QueuedTotal = {0.5, 1.25, 2};
            totals.InNetworkTotal = {1, 2, 3};
            form->FillNetworkChart(totals, 3);
            chart = form->Chart();
            save = form->SaveButton();
            barColour = QColor(255, 0, 0);
            window = std::move(form);
        } else {
            test::VariedRunOfFiveQs run;
            run.Run(3);
            auto form = std::make_unique<QsChartDialog>(both);
            form->SetWorkFolder(&run.work);
            form->BuildQsChart();
            form->SetWorkFolder(nullptr);  // the run and its folder end with this block
            chart = form->Chart();
            save = form->SaveButton();
            barColour = QColor(166, 202, 240);
            window = std::move(form);
        }
        window->resize(900, 600);
        window->show();
    }
};

struct SaveCase {
    Window Kind;
    int TypeIndex;        // 1 BMP, 2 SVG, 3 PNG
    const char* Name;     // as the dialog returns it
    const char* Written;  // the file that holds the picture, in its suffix's format
};

class SaveChartImageTest : public ::testing::TestWithParam<SaveCase> {};

std::string SaveCaseName(const ::testing::TestParamInfo<SaveCase>& info) {
    static const char* const types[] = {"", "Bmp", "Svg", "Png"};
    std::string name = std::string(types[info.param.TypeIndex]) + "Type_" + info.param.Name;
    std::replace(name.begin(), name.end(), '.', '_');
    return name;
}

TEST_P(SaveChartImageTest, WritesAValidImageOfTheChartsSize) {
    const SaveCase& c = GetParam();
    ShownChart shown(c.Kind);
    shown.dialogs.QueueFile(c.Name, c.TypeIndex);
    shown.save->click();
    EXPECT_TRUE(shown.dialogs.Messages().empty());
    EXPECT_TRUE(shown.window->isVisible());
    ASSERT_TRUE(QFile::exists(c.Written));
    QFile file(c.Written);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QSize size = shown.chart->size();
    const QByteArray suffix = QByteArray(c.Written).split('.').last();
    if (suffix != "svg") {
        // The format's own signature at the start of the file.
        EXPECT_TRUE(bytes.startsWith(suffix == "bmp" ? QByteArray("BM") : QByteArray("\x89PNG")));
        QImage image;
        ASSERT_TRUE(image.loadFromData(bytes, suffix.toUpper().constData()));
        EXPECT_EQ(image.size(), size);
        // It is the chart as shown: white ground and the bars' colour.
        EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
        EXPECT_EQ(image, shown.chart->grab().toImage().convertToFormat(image.format()));
    } else {
        EXPECT_TRUE(bytes.startsWith("<?xml") || bytes.startsWith("<svg"));
        QSvgRenderer svg(bytes);
        ASSERT_TRUE(svg.isValid());
        EXPECT_EQ(svg.defaultSize(), size);
        // Vector bars in their colour, not a picture of them.
        EXPECT_TRUE(bytes.contains(shown.barColour.name().toLatin1()));
        EXPECT_FALSE(bytes.contains("<image"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Charts, SaveChartImageTest,
    ::testing::Values(SaveCase{Window::Network, 1, "network.bmp", "network.bmp"},
                      SaveCase{Window::Network, 1, "network.wmf", "network.wmf.bmp"},
                      SaveCase{Window::Network, 2, "network.svg", "network.svg"},
                      SaveCase{Window::Network, 3, "network", "network.png"},
                      SaveCase{Window::Network, 1, "typed.png", "typed.png"},
                      SaveCase{Window::Qs, 1, "qs.bmp", "qs.bmp"},
                      SaveCase{Window::Qs, 2, "qs", "qs.svg"},
                      SaveCase{Window::Qs, 3, "qs.png", "qs.png"},
                      SaveCase{Window::Qs, 3, "typed.svg", "typed.svg"}),
    SaveCaseName);

TEST(SaveChartImageFailureTest, UnwritableFileGivesAnErrorAndTheWindowStaysOpen) {
    for (Window kind : {Window::Network, Window::Qs}) {
        ShownChart shown(kind);
        shown.dialogs.QueueFile("no-such-folder/chart.bmp", 1);
        shown.dialogs.QueueFile("no-such-folder/chart.svg", 2);
        shown.save->click();
        shown.save->click();
        const auto messages = shown.dialogs.Messages();
        ASSERT_EQ(messages.size(), 2u);
        for (const auto& message : messages) {
            EXPECT_EQ(message.BoxKind, MessageBoxKind::Error);
            EXPECT_TRUE(message.Text.contains("no-such-folder/chart."))
                << message.Text.toStdString();
        }
        EXPECT_TRUE(shown.window->isVisible());
    }
}

TEST(SaveChartImageFailureTest, CancelledDialogWritesNothing) {
    ShownChart shown(Window::Network);
    const auto count = [] {
        const std::filesystem::directory_iterator here(std::filesystem::current_path());
        return std::distance(begin(here), end(here));
    };
    const auto before = count();
    shown.dialogs.QueueFileCancel();
    shown.save->click();
    EXPECT_TRUE(shown.dialogs.Messages().empty());
    EXPECT_EQ(count(), before);
    const auto& log = shown.dialogs.Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].Text, "Сохранить диаграмму");
}

}  // namespace
}  // namespace qnetica
