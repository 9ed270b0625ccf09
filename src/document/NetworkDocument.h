#pragma once

#include <memory>
#include <string>

#include "document/DocumentQuestions.h"
#include "engine/AnalysisEngine.h"
#include "formats/NetworkFiles.h"
#include "model/GenerateModel.h"
#include "model/NetworkModel.h"
#include "model/RandomFill.h"
#include "runs/ResultTables.h"
#include "runs/RunCalculation.h"
#include "runs/StepTotals.h"
#include "runs/VariationPlan.h"
#include "runs/WorkFolder.h"

namespace qnetica {

// The one network the program works on, with everything that belongs to it: the model, the
// state of the calculations (the variation plan, the tables of the last step and the totals of
// the last varied run, the runs' work folder), the random fill's generator and the file it came
// from. The windows show
// it and observe its model through NetworkModelListener; they change it through these commands.
// Commands that may be abandoned return false when the network was kept as it was.
class NetworkDocument {
  public:
    explicit NetworkDocument(DocumentQuestions& questions);
    ~NetworkDocument();
    NetworkDocument(const NetworkDocument&) = delete;
    NetworkDocument& operator=(const NetworkDocument&) = delete;

    NetworkModel& Model() { return model_; }
    const NetworkModel& Model() const { return model_; }
    VariationPlan& Plan() { return run_->Plan; }
    const VariationPlan& Plan() const { return run_->Plan; }
    ResultTables& Tables() { return run_->Tables; }
    StepTotals& Totals() { return run_->Totals; }
    const StepTotals& Totals() const { return run_->Totals; }
    // The runs' private folder, kept for the document's whole life: the per-QS chart reads the
    // records of the last varied run from it.
    WorkFolder& Work() { return run_->Work; }
    const WorkFolder& Work() const { return run_->Work; }
    // The file the network was last opened from or saved into; empty before either.
    const std::string& FilePath() const { return filePath_; }
    // The form of that file: a .qnf image or JSON (an image before either).
    NetworkForm FileForm() const { return fileForm_; }

    // "Save changes?" when the network was changed; false when the user keeps it (Cancel, or a
    // save that was cancelled or failed).
    bool ConfirmDiscard();
    bool New();
    bool Open();                             // asks for the file
    bool OpenPath(const std::string& path);  // .qnf or JSON; a refusal is shown, network kept
    bool Save();                             // asks for the file; saves a .qnf image
    bool AddQs();                            // false, after a notice, when 150 QS are there
    bool RemoveQs();                         // false when there is no QS
    // Saves into the file in the form given, without asking; a failure is shown.
    bool SaveAs(const std::string& path, NetworkForm form);
    void RandomFill();
    GenerationOutcome Generate(const GenerationRequest& request,
                               const std::function<void(const std::string&)>& showIntensityText);
    RunOutcome Calculate(RunPresenter& presenter);

  private:
    struct RunState {  // large: kept apart from the document's own fields
        VariationPlan Plan;
        ResultTables Tables;
        StepTotals Totals;
        AnalysisEngine Engine;
        WorkFolder Work;
    };

    DocumentQuestions& questions_;
    NetworkModel model_;
    std::unique_ptr<RunState> run_ = std::make_unique<RunState>();
    RandomGenerator random_;
    std::string filePath_;
    NetworkForm fileForm_ = NetworkForm::Image;
};

}  // namespace qnetica
