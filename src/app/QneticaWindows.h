#pragma once

#include <memory>

#include "ui/PlatformDialogs.h"
#include "ui/ProgramWindows.h"

namespace qnetica {

// The program's eleven windows, created in the order MainWindow..GeneratorDialog and kept until the
// end; they are destroyed in the reverse order, so the main window and its model go last.
class QneticaWindows {
  public:
    explicit QneticaWindows(PlatformDialogs& dialogs);
    ~QneticaWindows();
    QneticaWindows(const QneticaWindows&) = delete;
    QneticaWindows& operator=(const QneticaWindows&) = delete;

    const ProgramWindows& Windows() const { return windows_; }
    MainWindow& Main() const { return *windows_.Main; }

  private:
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<QsParametersDialog> qsParameters_;
    std::unique_ptr<ResultsDialog> results_;
    std::unique_ptr<AboutDialog> about_;
    std::unique_ptr<SchemeEditorWindow> editor_;
    std::unique_ptr<ValueInputDialog> valueInput_;
    std::unique_ptr<RunParametersDialog> runParameters_;
    std::unique_ptr<ProgressWindow> progress_;
    std::unique_ptr<NetworkChartDialog> networkChart_;
    std::unique_ptr<QsChartDialog> qsChart_;
    std::unique_ptr<GeneratorDialog> generator_;
    ProgramWindows windows_;
};

}  // namespace qnetica
