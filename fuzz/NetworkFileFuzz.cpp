// Any bytes as a network file: Open must either refuse the file with a message or give a
// network that saves, opens again unchanged and calculates, whatever the bytes hold.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "FuzzSupport.h"
#include "model/NetworkFile.h"
#include "runs/ReportText.h"
#include "runs/ResultsReport.h"
#include "runs/RunCalculation.h"

namespace {

using namespace qnetica;

struct Workspace {
    NetworkModel Opened;
    NetworkModel Reopened;
    VariationPlan Plan;
    ResultTables Tables;
    StepTotals Totals;
    AnalysisEngine Engine;
    WorkFolder Work;
};

void WriteInput(const char* path, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path, "wb");
    fuzz::Require(file != nullptr, "cannot create the input file");
    fuzz::Require(size == 0 || std::fwrite(data, 1, size, file) == size, "cannot write input");
    fuzz::Require(std::fclose(file) == 0, "cannot close the input file");
}

void FixedRun(VariationPlan& plan, const NetworkModel&, void*) {
    plan.VariedRun = false;
    plan.Confirmed = true;
}

void Calculate(Workspace& work) {
    fuzz::SilentPresenter presenter(work.Opened, FixedRun, nullptr);
    const RunOutcome outcome =
        RunCalculation(work.Opened, {work.Plan, work.Tables, work.Totals, work.Engine, work.Work}, presenter);
    if (outcome.End != RunEnd::Completed) return;
    work.Tables.WriteHeaderRows(QsHeaderVariant::ResultsWindow);
    const std::string bytes =
        EncodeReport(BuildResultsReport(work.Tables, work.Opened.NodeCount()));
    fuzz::Require(!bytes.empty(), "empty report");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto work = std::make_unique<Workspace>();
    WriteInput("input.qnf", data, size);
    work->Opened.Clear();
    if (!OpenNetworkFile(work->Opened, "input.qnf").Ok) return 0;
    fuzz::Require(work->Opened.NodeCount() >= 1 && work->Opened.NodeCount() <= MaxNodeCount,
                  "opened a network with a node count out of range");
    fuzz::Require(SaveNetworkFile(work->Opened, "saved.qnf").Ok, "cannot save an opened network");
    work->Reopened.Clear();
    fuzz::Require(OpenNetworkFile(work->Reopened, "saved.qnf").Ok, "a saved network is refused");
    fuzz::Require(BuildNetworkImage(work->Opened) == BuildNetworkImage(work->Reopened),
                  "a network changed on its way through a file");
    Calculate(*work);
    return 0;
}
