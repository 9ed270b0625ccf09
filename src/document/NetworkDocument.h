#pragma once

#include <memory>
#include <string>

#include "document/DocumentQuestions.h"
#include "document/NetworkChange.h"
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

// What the windows hear of the document beside its model: the changes recorded for undo, and
// the moments that make a new starting point (a new or opened network, a save).
class DocumentListener {
  public:
    virtual ~DocumentListener() = default;
    virtual void ChangeRecorded(const std::shared_ptr<const NetworkChange>& /*change*/) {}
    virtual void HistoryCleared() {}   // New, Open: nothing before them can be undone
    virtual void Saved() {}            // the network as it is now is in its file
    virtual void NetworkRestored() {}  // an undo or redo put a state of the network back
    virtual void FilePathChanged() {}
    // A calculation completed, or the network changed so that its results no longer belong to it.
    virtual void ResultsCurrentChanged(bool /*current*/) {}
};

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
    // The engine of the runs: after a step, the losses of each bounded QS (Losses(k)) and the
    // network totals, which the comparison with a simulation reads.
    const AnalysisEngine& Engine() const { return run_->Engine; }
    // Every figure of every step of the last run that reached its steps (fixed or varied).
    const RunFigures& Figures() const { return run_->Figures; }
    // The figures belong to the network as it is: the last run completed and nothing that the
    // results depend on changed since (moving a symbol changes none of them).
    bool ResultsCurrent() const { return resultsCurrent_; }
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
    bool Open();                             // "save changes?", then asks for the file
    bool OpenFile(const std::string& path);  // "save changes?", then opens that file
    bool OpenPath(const std::string& path);  // .qnf or JSON; a refusal is shown, network kept
    // An example network: "save changes?", then opened as a network without a file of its own,
    // so that Save asks where (the examples' folder is the program's).
    bool OpenExample(const std::string& path);
    // Into the network's own file, in its form; asks for a file when it has none yet.
    bool Save();
    bool SaveAs();  // asks for the file; a name ending in ".json" saves the network as JSON
    // Saves into the file in the form given, without asking; a failure is shown.
    bool SaveAs(const std::string& path, NetworkForm form);
    // A copy left by a program that ended abnormally: the network comes back changed, with the
    // file it belonged to (empty: none).
    bool OpenRecovered(const std::string& copyPath, const std::string& ownPath);
    // Adding and removing a QS are parts of larger commands (a tool places the new QS): the
    // caller records the change when its command is done.
    bool AddQs();     // false, after a notice, when 150 QS are there
    bool RemoveQs();  // false when there is no QS
    void RandomFill();
    GenerationOutcome Generate(const GenerationRequest& request,
                               const std::function<void(const std::string&)>& showIntensityText);
    RunOutcome Calculate(RunPresenter& presenter);

    // Undo history. A command that changed the network ends with RecordChange, which finds what
    // the command altered since the last record and tells the listeners (nothing when nothing
    // altered). Undo and Redo put one recorded change back or forward.
    void RecordChange(const std::string& what);
    void Undo(const NetworkChange& change);
    void Redo(const NetworkChange& change);

    void AddListener(DocumentListener* listener);
    void RemoveListener(DocumentListener* listener);

  private:
    struct RunState {  // large: kept apart from the document's own fields
        VariationPlan Plan;
        ResultTables Tables;
        StepTotals Totals;
        AnalysisEngine Engine;
        WorkFolder Work;
        RunFigures Figures;
    };

    bool ReadFile(const std::string& path, const std::string& ownPath);
    void StartHistory();  // a new starting point: New, Open
    void SetResultsCurrent(bool current);
    void Restore(const NetworkChange& change, ChangeDirection direction);
    template <typename Call>
    void Notify(Call call);

    DocumentQuestions& questions_;
    NetworkModel model_;
    NetworkBaseline baseline_{model_};
    std::vector<DocumentListener*> listeners_;
    bool restoring_ = false;
    std::unique_ptr<RunState> run_ = std::make_unique<RunState>();
    RandomGenerator random_;
    std::string filePath_;
    NetworkForm fileForm_ = NetworkForm::Image;
    bool resultsCurrent_ = false;
};

}  // namespace qnetica
