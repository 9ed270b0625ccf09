#include "model/NetworkModel.h"

#include <algorithm>

#include "model/NumberText.h"

namespace qnetica {

NetworkModel::NetworkModel() = default;

template <typename Call>
void NetworkModel::Notify(Call call) {
    // A copy, so that a listener may remove itself from inside its callback.
    const auto listeners = listeners_;
    for (auto* listener : listeners) call(*listener);
}

std::vector<std::string> NetworkModel::NodeLabels() const {
    std::vector<std::string> labels;
    labels.reserve(NodeCount());
    for (int node = 0; node < NodeCount(); ++node) labels.push_back(NodeLabel(node));
    return labels;
}

void NetworkModel::SetSourcePos(int x, int y) {
    content_.SourcePosX = x;
    content_.SourcePosY = y;
}

void NetworkModel::SetInputRateText(const std::string& text) {
    if (text == inputRateText_) return;
    inputRateText_ = text;
    SetModified(true);
    Notify([&](NetworkModelListener& l) { l.InputRateTextChanged(inputRateText_); });
}

void NetworkModel::SetModified(bool modified) {
    if (modified == modified_) return;
    modified_ = modified;
    Notify([&](NetworkModelListener& l) { l.ModifiedChanged(modified_); });
}

void NetworkModel::ResetSlot(int k) {
    QsParams& slot = Qs(k);
    slot.ServiceTime = 0;
    slot.Channels = 1;
    slot.Name.clear();
}

bool NetworkModel::AddNode() {
    if (NodeCount() >= MaxNodeCount) return false;
    SetNodeCount(NodeCount() + 1);
    SetModified(true);
    return true;
}

bool NetworkModel::RemoveLastNode() {
    if (NodeCount() < 2) return false;
    const int last = NodeCount() - 1;
    SetModified(true);
    ResetSlot(last);
    for (int other = 0; other <= last; ++other) {
        Matrix().SetCell(last, other, {});
        Matrix().SetCell(other, last, {});
    }
    SetNodeCount(last);
    return true;
}

void NetworkModel::Clear() {
    Matrix().ClearAll();
    // The first free slot is reset too, so a QS added next starts from defaults.
    for (int k = 1; k <= std::min(NodeCount(), SlotCount); ++k) ResetSlot(k);
    if (clearHook_) clearHook_(NodeCount());
    content_.InputRate = 0;
    SetInputRateText("");
    SetNodeCount(1);
    Notify([](NetworkModelListener& l) { l.MatrixReplaced(); });
    // Last, so that emptying the input-rate text does not leave the network marked changed.
    SetModified(false);
}

void NetworkModel::Restore(NetworkContent&& content) {
    content_.Slots = content.Slots;
    content_.Matrix.Swap(content.Matrix);
    content_.InputRate = content.InputRate;
    content_.SourcePosX = content.SourcePosX;
    content_.SourcePosY = content.SourcePosY;
    SetInputRateText(FormatFixed(content_.InputRate));
    SetNodeCount(content.NodeCount);
    Notify([](NetworkModelListener& l) { l.MatrixReplaced(); });
    SetModified(false);
}

void NetworkModel::ResizeTo(int nodeCount) {
    if (nodeCount != NodeCount()) SetNodeCount(nodeCount);
}

void NetworkModel::NotifyMatrixReplaced() {
    Notify([](NetworkModelListener& l) { l.MatrixReplaced(); });
}

void NetworkModel::AddListener(NetworkModelListener* listener) {
    listeners_.push_back(listener);
}

void NetworkModel::RemoveListener(NetworkModelListener* listener) {
    std::erase(listeners_, listener);
}

void NetworkModel::SetNodeCount(int count) {
    content_.NodeCount = count;
    Notify([](NetworkModelListener& l) { l.NodeListChanged(); });
}

}  // namespace qnetica
