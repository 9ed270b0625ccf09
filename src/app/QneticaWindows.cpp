#include "app/QneticaWindows.h"

#include "charts/NetworkChartDialog.h"
#include "charts/QsChartDialog.h"
#include "editor/GeneratorDialog.h"
#include "editor/SchemeEditorWindow.h"
#include "ui/AboutDialog.h"
#include "ui/MainWindow.h"
#include "ui/ProgressWindow.h"
#include "ui/QsParametersDialog.h"
#include "ui/ResultsDialog.h"
#include "ui/RunParametersDialog.h"
#include "ui/ValueInputDialog.h"

namespace qnetica {

QneticaWindows::QneticaWindows(PlatformDialogs& dialogs) {
    // The dialogs have the main window as parent, so that they open over it; the editor is a
    // main window of its own.
    main_ = std::make_unique<MainWindow>(dialogs);
    MainWindow* main = main_.get();
    NetworkModel& model = main->Model();
    qsParameters_ = std::make_unique<QsParametersDialog>(model, dialogs, main);
    results_ = std::make_unique<ResultsDialog>(dialogs, main);
    about_ = std::make_unique<AboutDialog>(main);
    editor_ = std::make_unique<SchemeEditorWindow>(model, dialogs);
    valueInput_ = std::make_unique<ValueInputDialog>(model, dialogs, main);
    runParameters_ = std::make_unique<RunParametersDialog>(model, dialogs, main);
    progress_ = std::make_unique<ProgressWindow>(main);
    // The charts save their images through the editor's dialog, which remembers the folder.
    const ChartDialogs chartDialogs{dialogs, editor_->ImageDialog()};
    networkChart_ = std::make_unique<NetworkChartDialog>(chartDialogs, main);
    qsChart_ = std::make_unique<QsChartDialog>(chartDialogs, main);
    generator_ = std::make_unique<GeneratorDialog>(model, dialogs, main);
    windows_ = {main,
                qsParameters_.get(),
                results_.get(),
                about_.get(),
                editor_.get(),
                valueInput_.get(),
                runParameters_.get(),
                progress_.get(),
                networkChart_.get(),
                qsChart_.get(),
                generator_.get()};
    main->SetWindows(windows_);
    editor_->SetWindows(windows_);
    // The editor's report and chart commands show what the last varied run left.
    editor_->SetVariationPlan(&main->Plan());
    editor_->SetStepTotals(&main->Totals());
    generator_->SetWindows(windows_);
}

// Members go in the reverse order of their declaration: GeneratorDialog first, MainWindow last.
QneticaWindows::~QneticaWindows() = default;

}  // namespace qnetica
