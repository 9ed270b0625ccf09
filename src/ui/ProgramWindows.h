#pragma once

namespace qnetica {

class MainWindow;
class QsParametersDialog;
class ResultsDialog;
class AboutDialog;
class SchemeEditorWindow;
class ValueInputDialog;
class RunParametersDialog;
class ProgressWindow;
class NetworkChartDialog;
class QsChartDialog;
class GeneratorDialog;

// The program's eleven windows, created once at start-up; a window reaches the others here.
struct ProgramWindows {
    MainWindow* Main = nullptr;                    // main window
    QsParametersDialog* QsParameters = nullptr;    // QS parameters
    ResultsDialog* Results = nullptr;              // results
    AboutDialog* About = nullptr;                  // About
    SchemeEditorWindow* Editor = nullptr;          // visual editor
    ValueInputDialog* ValueInput = nullptr;        // value input
    RunParametersDialog* RunParameters = nullptr;  // calculation parameters
    ProgressWindow* Progress = nullptr;            // progress
    NetworkChartDialog* NetworkChart = nullptr;    // network chart
    QsChartDialog* QsChart = nullptr;              // per-QS chart
    GeneratorDialog* Generator = nullptr;          // model generator
};

}  // namespace qnetica
