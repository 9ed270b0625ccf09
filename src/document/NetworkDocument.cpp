#include "document/NetworkDocument.h"

#include <algorithm>
#include <cctype>

#include "model/SchemeArea.h"

namespace qnetica {
namespace {

// "\n\r", not "\r\n": the question has always been worded so, and users know it.
const std::string SaveChangesQuestion = "Схема была изменена.\n\rСохранить изменения?";
const std::string TooManyQsNotice = "Сеть может содержать не более 150 СМО.";

// The form a chosen file name asks for: JSON for a ".json" name, the .qnf image otherwise.
NetworkForm FormOfName(const std::string& path) {
    const std::string suffix = ".json";
    const bool json = path.size() >= suffix.size() &&
                      std::equal(suffix.rbegin(), suffix.rend(), path.rbegin(), [](char a, char b) {
                          return a == std::tolower(static_cast<unsigned char>(b));
                      });
    return json ? NetworkForm::Json : NetworkForm::Image;
}

}  // namespace

NetworkDocument::NetworkDocument(DocumentQuestions& questions) : questions_(questions) {
    // The plan forgets the QS of a network that is discarded, with that network's node count.
    model_.SetClearHook([this](int nodeCount) { run_->Plan.ResetPlan(nodeCount); });
}

// The work folder goes with the document, and the records of the last varied run with it.
NetworkDocument::~NetworkDocument() {
    model_.SetClearHook(nullptr);
}

bool NetworkDocument::ConfirmDiscard() {
    if (!model_.Modified()) return true;
    switch (questions_.AskSaveChanges(SaveChangesQuestion)) {
        case SaveChangesAnswer::Save:
            return Save();  // a cancelled or failed save keeps all
        case SaveChangesAnswer::Discard:
            return true;
        case SaveChangesAnswer::Cancel:
            break;
    }
    return false;
}

bool NetworkDocument::New() {
    if (!ConfirmDiscard()) return false;
    model_.Clear();
    filePath_.clear();
    StartHistory();
    Notify([](DocumentListener& l) { l.FilePathChanged(); });
    return true;
}

bool NetworkDocument::Open() {
    if (!ConfirmDiscard()) return false;
    const auto path = questions_.AskOpenPath();
    return path && OpenPath(*path);
}

bool NetworkDocument::OpenFile(const std::string& path) {
    return ConfirmDiscard() && OpenPath(path);
}

bool NetworkDocument::OpenExample(const std::string& path) {
    return ConfirmDiscard() && ReadFile(path, {});
}

bool NetworkDocument::OpenRecovered(const std::string& copyPath, const std::string& ownPath) {
    if (!ReadFile(copyPath, ownPath)) return false;
    model_.SetModified(true);
    return true;
}

bool NetworkDocument::OpenPath(const std::string& path) {
    return ReadFile(path, path);
}

// The file's network becomes the document's, which then belongs to ownPath (empty: to no file).
bool NetworkDocument::ReadFile(const std::string& path, const std::string& ownPath) {
    const OpenedNetwork opened = OpenNetworkFileByContent(model_, path);
    if (!opened.Result.Ok) {
        questions_.ShowError(opened.Result.Message);
        return false;
    }
    filePath_ = ownPath;
    fileForm_ = ownPath.empty() ? NetworkForm::Image : opened.Form;
    StartHistory();
    Notify([](DocumentListener& l) { l.FilePathChanged(); });
    return true;
}

bool NetworkDocument::Save() {
    return filePath_.empty() ? SaveAs() : SaveAs(filePath_, fileForm_);
}

bool NetworkDocument::SaveAs() {
    const auto path = questions_.AskSavePath();
    return path && SaveAs(*path, FormOfName(*path));
}

bool NetworkDocument::SaveAs(const std::string& path, NetworkForm form) {
    RecordChange("изменение сети");  // anything not yet recorded goes into the file as well
    const FileResult result = SaveNetworkFileAs(model_, path, form);
    if (!result.Ok) {
        questions_.ShowError(result.Message);
        return false;
    }
    filePath_ = path;
    fileForm_ = form;
    Notify([](DocumentListener& l) {
        l.Saved();
        l.FilePathChanged();
    });
    return true;
}

bool NetworkDocument::AddQs() {
    if (model_.AddNode()) return true;
    questions_.ShowNotice(TooManyQsNotice);
    return false;
}

bool NetworkDocument::RemoveQs() {
    return model_.RemoveLastNode();
}

void NetworkDocument::RandomFill() {
    qnetica::RandomFill(model_, random_, SchemeAreaWidth, SchemeAreaHeight);
    RecordChange("случайное заполнение");
}

GenerationOutcome NetworkDocument::Generate(
    const GenerationRequest& request,
    const std::function<void(const std::string&)>& showIntensityText) {
    GenerationOutcome outcome = GenerateModel(model_, request, showIntensityText);
    RecordChange("генерацию модели");
    return outcome;
}

// A run reads the input rate from its text and writes results; neither is a change to undo.
RunOutcome NetworkDocument::Calculate(RunPresenter& presenter) {
    RecordChange("изменение сети");
    RunState& run = *run_;
    RunOutcome outcome = RunCalculation(
        model_, {run.Plan, run.Tables, run.Totals, run.Engine, run.Work, &run.Figures}, presenter);
    baseline_.Reset(model_);
    // A cancelled run computed nothing: the results of the one before stay what they were.
    if (outcome.End != RunEnd::Cancelled) SetResultsCurrent(outcome.End == RunEnd::Completed);
    return outcome;
}

void NetworkDocument::RecordChange(const std::string& what) {
    if (restoring_) return;  // the windows follow an undo; what they hear is no new change
    auto change = std::make_shared<NetworkChange>(baseline_.TakeChange(model_, what));
    if (NetworkBaseline::IsEmpty(*change)) return;
    if (!LeavesResults(*change)) SetResultsCurrent(false);
    const std::shared_ptr<const NetworkChange> recorded = change;
    Notify([&](DocumentListener& l) { l.ChangeRecorded(recorded); });
}

void NetworkDocument::Undo(const NetworkChange& change) {
    Restore(change, ChangeDirection::Undo);
}

void NetworkDocument::Redo(const NetworkChange& change) {
    Restore(change, ChangeDirection::Redo);
}

void NetworkDocument::Restore(const NetworkChange& change, ChangeDirection direction) {
    restoring_ = true;
    ApplyChange(model_, change, direction);
    restoring_ = false;
    baseline_.Reset(model_);
    if (!LeavesResults(change)) SetResultsCurrent(false);
    Notify([](DocumentListener& l) { l.NetworkRestored(); });
}

void NetworkDocument::SetResultsCurrent(bool current) {
    if (current == resultsCurrent_) return;
    resultsCurrent_ = current;
    Notify([current](DocumentListener& l) { l.ResultsCurrentChanged(current); });
}

void NetworkDocument::StartHistory() {
    SetResultsCurrent(false);
    baseline_.Reset(model_);
    Notify([](DocumentListener& l) { l.HistoryCleared(); });
}

void NetworkDocument::AddListener(DocumentListener* listener) {
    listeners_.push_back(listener);
}

void NetworkDocument::RemoveListener(DocumentListener* listener) {
    std::erase(listeners_, listener);
}

template <typename Call>
void NetworkDocument::Notify(Call call) {
    const auto listeners = listeners_;  // a listener may remove itself while it is called
    for (auto* listener : listeners) call(*listener);
}

}  // namespace qnetica
