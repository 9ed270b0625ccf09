#include "document/NetworkChange.h"

#include <algorithm>

namespace qnetica {
namespace {

// The parameters and the place of a QS: what the user edits. Results and meaningless bytes are
// left out of the comparison.
bool SameEdited(const QsParams& a, const QsParams& b) {
    return a.ServiceTime == b.ServiceTime && a.BoundedQueue == b.BoundedQueue &&
           a.RelativePriority == b.RelativePriority && a.Channels == b.Channels &&
           a.PosX == b.PosX && a.PosY == b.PosY && a.QueuePlaces == b.QueuePlaces &&
           a.PriorityClasses == b.PriorityClasses && a.ClassShares == b.ClassShares &&
           a.Name == b.Name;
}

void CopyEdited(const QsParams& from, QsParams& to) {
    const QsResults results = to.Results;
    const SlotReservedBytes reserved = to.Reserved;
    to = from;
    to.Results = results;
    to.Reserved = reserved;
}

template <typename T>
bool Differs(const NetworkChange::Both<T>& both) {
    return both.Before != both.After;
}

}  // namespace

void NetworkBaseline::Reset(const NetworkModel& model) {
    content_ = model.Content();
    inputRateText_ = model.InputRateText();
}

NetworkChange NetworkBaseline::TakeChange(const NetworkModel& model, std::string what) {
    NetworkChange change;
    change.What = std::move(what);
    const NetworkContent& now = model.Content();
    for (int k = 1; k <= SlotCount; ++k) {
        QsParams& before = content_.Slots[k - 1];
        const QsParams& after = now.Slots[k - 1];
        if (SameEdited(before, after)) continue;
        change.Slots.push_back({k, before, after});
        CopyEdited(after, before);
    }
    for (int from = 0; from < TransferMatrix::Size; ++from)
        for (int to = 0; to < TransferMatrix::Size; ++to) {
            const std::string& after = now.Matrix.Cell(from, to);
            if (content_.Matrix.Cell(from, to) == after) continue;
            change.Cells.push_back({from, to, content_.Matrix.Cell(from, to), after});
            content_.Matrix.SetCell(from, to, after);
        }
    change.NodeCount = {content_.NodeCount, now.NodeCount};
    change.InputRate = {content_.InputRate, now.InputRate};
    change.InputRateText = {inputRateText_, model.InputRateText()};
    change.SourceX = {content_.SourcePosX, now.SourcePosX};
    change.SourceY = {content_.SourcePosY, now.SourcePosY};
    content_.NodeCount = now.NodeCount;
    content_.InputRate = now.InputRate;
    content_.SourcePosX = now.SourcePosX;
    content_.SourcePosY = now.SourcePosY;
    inputRateText_ = model.InputRateText();
    return change;
}

bool NetworkBaseline::IsEmpty(const NetworkChange& change) {
    return change.Slots.empty() && change.Cells.empty() && !Differs(change.NodeCount) &&
           !Differs(change.InputRate) && !Differs(change.InputRateText) &&
           !Differs(change.SourceX) && !Differs(change.SourceY);
}

bool LeavesResults(const NetworkChange& change) {
    const auto calculatedSame = [](const NetworkChange::Slot& slot) {
        QsParams before = slot.Before;
        before.PosX = slot.After.PosX;
        before.PosY = slot.After.PosY;
        before.Name = slot.After.Name;
        return SameEdited(before, slot.After);
    };
    return change.Cells.empty() && !Differs(change.NodeCount) && !Differs(change.InputRate) &&
           !Differs(change.InputRateText) &&
           std::all_of(change.Slots.begin(), change.Slots.end(), calculatedSame);
}

void ApplyChange(NetworkModel& model, const NetworkChange& change, ChangeDirection direction) {
    const bool undo = direction == ChangeDirection::Undo;
    auto pick = [undo](const auto& both) { return undo ? both.Before : both.After; };
    for (const NetworkChange::Slot& slot : change.Slots)
        CopyEdited(undo ? slot.Before : slot.After, model.Qs(slot.K));
    for (const NetworkChange::Cell& cell : change.Cells)
        model.Matrix().SetCell(cell.From, cell.To, undo ? cell.Before : cell.After);
    model.SetSourcePos(pick(change.SourceX), pick(change.SourceY));
    model.SetInputRate(pick(change.InputRate));
    model.SetInputRateText(pick(change.InputRateText));
    model.ResizeTo(pick(change.NodeCount));
    model.NotifyMatrixReplaced();
}

}  // namespace qnetica
