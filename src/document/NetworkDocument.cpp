#include "document/NetworkDocument.h"

#include "model/SchemeArea.h"

namespace qnetica {
namespace {

// "\n\r", not "\r\n": the question has always been worded so, and users know it.
const std::string SaveChangesQuestion = "Схема была изменена.\n\rСохранить изменения?";
const std::string TooManyQsNotice = "Сеть может содержать не более 150 СМО.";

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
    return true;
}

bool NetworkDocument::Open() {
    const auto path = questions_.AskOpenPath();
    return path && OpenPath(*path);
}

bool NetworkDocument::OpenPath(const std::string& path) {
    const OpenedNetwork opened = OpenNetworkFileByContent(model_, path);
    if (!opened.Result.Ok) {
        questions_.ShowError(opened.Result.Message);
        return false;
    }
    filePath_ = path;
    fileForm_ = opened.Form;
    return true;
}

bool NetworkDocument::Save() {
    const auto path = questions_.AskSavePath();
    return path && SaveAs(*path, NetworkForm::Image);
}

bool NetworkDocument::SaveAs(const std::string& path, NetworkForm form) {
    const FileResult result = SaveNetworkFileAs(model_, path, form);
    if (!result.Ok) {
        questions_.ShowError(result.Message);
        return false;
    }
    filePath_ = path;
    fileForm_ = form;
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
}

GenerationOutcome NetworkDocument::Generate(
    const GenerationRequest& request,
    const std::function<void(const std::string&)>& showIntensityText) {
    return GenerateModel(model_, request, showIntensityText);
}

RunOutcome NetworkDocument::Calculate(RunPresenter& presenter) {
    RunState& run = *run_;
    return RunCalculation(model_, {run.Plan, run.Tables, run.Totals, run.Engine, run.Work},
                          presenter);
}

}  // namespace qnetica
