#pragma once

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/AnalysisEngine.h"
#include "model/NetworkFile.h"
#include "model/NetworkModel.h"
#include "runs/QuietRunPresenter.h"
#include "runs/RunCalculation.h"

namespace qnetica::test {

// The folders of the sources that the program installs beside itself.
inline std::string SourceFolder(const std::string& name) {
    return std::string(QNETICA_SOURCE_DIR) + "/" + name;
}

// One line of models/examples.tsv.
struct ExampleEntry {
    std::string File;
    std::string Title;
    std::string Description;
};

// The lines after the header, each split at its tabs; a line without three fields is kept with
// what it has, so that a test sees it.
inline std::vector<ExampleEntry> ReadExampleIndex(const std::string& modelsFolder) {
    std::ifstream index(modelsFolder + "/examples.tsv");
    std::vector<ExampleEntry> entries;
    std::string line;
    std::getline(index, line);
    while (std::getline(index, line)) {
        if (line.empty()) continue;
        std::vector<std::string> fields;
        std::stringstream stream(line);
        for (std::string field; std::getline(stream, field, '\t');) fields.push_back(field);
        fields.resize(3);
        entries.push_back({fields[0], fields[1], fields[2]});
    }
    return entries;
}

// A fixed run of a network file as the window makes it: the parameters dialog confirmed in the
// fixed mode, every message recorded.
class FixedRun : public QuietRunPresenter {
  public:
    NetworkModel Model;
    VariationPlan Plan;
    ResultTables Tables;
    StepTotals Totals;
    AnalysisEngine Engine;
    WorkFolder Work;
    std::vector<std::string> Messages;
    std::string OpenMessage;  // why the file could not be opened
    RunEnd End = RunEnd::Cancelled;
    bool ResultsShown = false;

    explicit FixedRun(const std::string& path) {
        const FileResult opened = OpenNetworkFile(Model, path);
        if (!opened.Ok) {
            OpenMessage = opened.Message;
            return;
        }
        End = RunCalculation(Model, {Plan, Tables, Totals, Engine, Work}, *this).End;
    }

    void ShowMessage(MessageKind, const std::string& text) override { Messages.push_back(text); }
    void AskRunParameters(VariationPlan& plan) override {
        plan.LoadPlanDefaults(Model);
        if (auto refusal = plan.ConfirmPlan(Model, false)) Messages.push_back(*refusal);
    }
    void ShowResults(ResultTables&) override { ResultsShown = true; }
};

}  // namespace qnetica::test
