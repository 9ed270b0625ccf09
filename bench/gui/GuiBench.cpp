#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "BenchNetworks.h"
#include "app/ProgramWindows.h"
#include "editor/SchemeEditorWindow.h"
#include "editor/SchemeSurface.h"
#include "editor/SchemeView.h"
#include "model/GenerateModel.h"
#include "runs/QuietRunPresenter.h"
#include "support/ScriptedDialogs.h"
#include "ui/MainWindow.h"
#include "ui/TransferMatrixTableModel.h"
#include "widgets/DocumentDialogs.h"
#include "widgets/QtPlatformDialogs.h"

extern char** environ;

namespace qnetica {
namespace {

constexpr const char* StartupChildFlag = "--startup-child";

// Ends the process the moment the editor window paints for the first time.
class EditorShownWatcher : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && qobject_cast<SchemeEditorWindow*>(widget->window())) std::_Exit(0);
        }
        return false;
    }
};

// The program's start as qnetica does it: Qt loaded, the eleven windows made, the main window
// shown, which opens the editor.
int RunStartupChild(int argc, char** argv) {
    QApplication app(argc, argv);
    EditorShownWatcher watcher;
    app.installEventFilter(&watcher);
    QtPlatformDialogs dialogs;  // nothing modal is asked at start
    ProgramWindows windows(dialogs);
    windows.Main().show();
    app.exec();
    return 1;  // the editor never painted
}

// From the start of the process to the editor's first paint, offscreen.
void BM_StartupUntilEditorShown(benchmark::State& state) {
    char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        state.SkipWithError("cannot find this program");
        return;
    }
    char flag[32];
    std::strcpy(flag, StartupChildFlag);
    char* argv[] = {self, flag, nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, self, nullptr, nullptr, argv, environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the editor was not shown");
            break;
        }
    }
}
BENCHMARK(BM_StartupUntilEditorShown)->Unit(benchmark::kMillisecond)->UseRealTime();

// The generator with n = 7 on an empty network, then the editor redraws the surface.
void BM_GenerateSevenAndRefresh(benchmark::State& state) {
    NetworkModel model;
    SchemeSurface surface(model);
    for (auto _ : state) {
        model.Clear();
        FillGeneratedNetwork(model);
        surface.RefreshScheme();
    }
}
BENCHMARK(BM_GenerateSevenAndRefresh)->Unit(benchmark::kMillisecond);

void BM_DrawSchemeOf150Qs(benchmark::State& state) {
    NetworkModel model;
    FillRandomNetwork(model);
    SchemeSurface surface(model);
    for (auto _ : state) surface.DrawScheme();
}
BENCHMARK(BM_DrawSchemeOf150Qs)->Unit(benchmark::kMillisecond);

// The editor with the 150-QS random network, and the left button of a pointer over its image.
class DragFixture {
  public:
    DragFixture() {
        FillRandomNetwork(windows.Document().Model());
        editor.show();
        editor.showNormal();
        editor.resize(1920, 1200);  // the whole surface in view, as on a large screen
        QApplication::processEvents();
    }
    QPoint Grip(int node) {
        const QsParams& qs = windows.Document().Model().Qs(node);
        return {qs.PosX + 15, qs.PosY + 15};
    }
    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QWidget* image = editor.Image();
        QMouseEvent event(type, at, image->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(image, &event);
    }
    // A motion with the button held, and the window's repaint of what it changed.
    void DragTo(QPoint at) {
        Send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents();
    }
    int ShownPixels() const {
        return editor.VisibleImageArea().width() * editor.VisibleImageArea().height();
    }

    ScriptedDialogs dialogs;
    ProgramWindows windows{dialogs};
    SchemeEditorWindow& editor = windows.Editor();
};

// Node 75 dragged along a circle: one iteration is one pointer motion over the image, with the
// symbol's some 150 links following it, and the repaint.
void DragAlongCircle(benchmark::State& state, DragFixture& drag) {
    constexpr int Node = 75;
    drag.Send(QEvent::MouseButtonPress, drag.Grip(Node), Qt::LeftButton, Qt::LeftButton);
    const QPoint centre(SchemeSurface::Width / 2, SchemeSurface::Height / 2);
    int step = 0;
    for (auto _ : state) {
        const double angle = 0.01 * step++;
        drag.DragTo(centre + QPoint(static_cast<int>(400 * std::cos(angle)),
                                    static_cast<int>(400 * std::sin(angle))));
    }
    if (!drag.editor.ToolState().Dragging()) state.SkipWithError("the symbol was not dragged");
    state.counters["shown_pixels"] = drag.ShownPixels();
}

// A symbol of the 150-QS random network dragged.
void BM_DragSymbolOf150Qs(benchmark::State& state) {
    DragFixture drag;
    DragAlongCircle(state, drag);
}
BENCHMARK(BM_DragSymbolOf150Qs)->Unit(benchmark::kMillisecond);

// A fixed calculation that shows nothing.
class QuietFixedRun : public QuietRunPresenter {
  public:
    explicit QuietFixedRun(const NetworkModel& model) : model_(model) {}
    void AskRunParameters(VariationPlan& plan) override {
        plan.LoadPlanDefaults(model_);
        (void)plan.ConfirmPlan(model_, false);
    }

  private:
    const NetworkModel& model_;
};

// The same drag over the scheme coloured by its loads, with the transfer probabilities shown.
void BM_DragColouredSymbolOf150Qs(benchmark::State& state) {
    DragFixture drag;
    NetworkDocument& document = drag.windows.Document();
    QuietFixedRun run(document.Model());
    document.Calculate(run);
    drag.editor.ShowLoads(true);
    drag.editor.ShowProbabilities(true);
    QApplication::processEvents();
    if (!drag.editor.LoadsAction()->isChecked()) state.SkipWithError("no loads to colour by");
    DragAlongCircle(state, drag);
}
BENCHMARK(BM_DragColouredSymbolOf150Qs)->Unit(benchmark::kMillisecond);

// What a drag costs once, when it begins: the press, the first motion beyond the drag distance
// (which draws the other nodes' parts for the drag) and the release that places the symbol.
void BM_DragStartAndDropOf150Qs(benchmark::State& state) {
    DragFixture drag;
    constexpr int Node = 75;
    int direction = 1;
    for (auto _ : state) {
        const QPoint grip = drag.Grip(Node);
        const QPoint to = grip + QPoint(20 * direction, 0);
        drag.Send(QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
        drag.DragTo(to);
        drag.Send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        QApplication::processEvents();
        direction = -direction;
    }
}
BENCHMARK(BM_DragStartAndDropOf150Qs)->Unit(benchmark::kMillisecond);

// The table editor with 151 x 151 cells: one iteration scrolls to the next page of the grid
// (walking the whole grid, row pages within column pages) and paints it; every 50th iteration
// edits a cell through the grid's model, which writes the model's cell in place.
void BM_ScrollMatrixGridPage(benchmark::State& state) {
    ScriptedDialogs dialogs;
    DocumentDialogs questions(dialogs);
    NetworkDocument document(questions);
    MainWindow window(document, dialogs);
    FillRandomNetwork(document.Model());
    window.MatrixTable()->CellsChanged();
    window.resize(1024, 768);
    window.show();
    QApplication::processEvents();  // lays the grid out, so the scroll bars know their range
    QTableView* grid = window.MatrixView();
    QScrollBar* rows = grid->verticalScrollBar();
    QScrollBar* columns = grid->horizontalScrollBar();
    std::vector<std::pair<int, int>> pages;
    for (int column = 0; column <= columns->maximum(); column += columns->pageStep())
        for (int row = 0; row <= rows->maximum(); row += rows->pageStep())
            pages.emplace_back(column, row);
    std::size_t next = 0;
    for (auto _ : state) {
        const auto [column, row] = pages[next++ % pages.size()];
        columns->setValue(column);
        rows->setValue(row);
        grid->viewport()->repaint();
        if (next % 50 == 0)
            window.MatrixTable()->setData(window.MatrixTable()->index(75, 75), "0.5", Qt::EditRole);
    }
    state.counters["pages_in_grid"] = static_cast<double>(pages.size());
}
BENCHMARK(BM_ScrollMatrixGridPage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qnetica

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], qnetica::StartupChildFlag) == 0)
        return qnetica::RunStartupChild(argc, argv);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
