#include "editor/EditorToolState.h"

#include "model/NumberText.h"
#include "model/TextConcat.h"

namespace qnetica {
namespace {

const QString InputRatePrompt = QStringLiteral("Интенсивность входящего потока");

QString LinkPrompt(int from, int to) {
    return QStringLiteral("Вероятность перехода из S%1 в S%2").arg(from).arg(to);
}

std::string LinkName(int from, int to) {
    return Concat({"S", std::to_string(from), " → S", std::to_string(to)});
}

}  // namespace

EditorToolState::EditorToolState(NetworkModel& model, SchemeSurface& surface,
                                 EditorCommands& commands)
    : model_(model), surface_(surface), commands_(commands), layout_(model) {}

void EditorToolState::PressTool(EditorTool tool) {
    // A press in the middle of a pick keeps it; any other press abandons the action.
    if (tool == activeTool_ && nodePicked_ && !dragging_) return;
    CancelAction();
    activeTool_ = tool == activeTool_ ? EditorTool::None : tool;
}

void EditorToolState::SwitchOff() {
    activeTool_ = EditorTool::None;
    nodePicked_ = false;
    linkDragging_ = false;
}

void EditorToolState::Click(QPoint point) {
    DropVanishedPick();
    pointer_ = point;
    switch (activeTool_) {
        case EditorTool::None:
            return;
        case EditorTool::AddQsTool:
            AddQsAt(point);
            return;
        case EditorTool::MoveQsTool:
            if (nodePicked_) {
                MoveNodeTo(point);
                FinishMove();
                SwitchOff();
            } else {
                PickForMove(point);
            }
            return;
        case EditorTool::LinkTool:
            if (nodePicked_)
                FinishLink(point);
            else
                PickNode(point);
            return;
        case EditorTool::UnlinkTool:
            if (nodePicked_)
                FinishUnlink(point);
            else
                PickNode(point);
            return;
    }
}

void EditorToolState::Motion(QPoint point) {
    pointer_ = point;
    pressNode_ = -1;  // the button is up: its release went elsewhere
    linkDragging_ = false;
    DropVanishedPick();
    if (dragging_) {
        Release(point);
        return;
    }
    if (activeTool_ == EditorTool::MoveQsTool && nodePicked_) MoveNodeTo(point);
}

void EditorToolState::Press(QPoint point) {
    DropVanishedPick();
    pointer_ = point;
    pressPoint_ = point;
    const bool canDrag =
        activeTool_ == EditorTool::None || (activeTool_ == EditorTool::MoveQsTool && !nodePicked_);
    pressNode_ = (canDrag || LinkDragCanStart()) && !dragging_ ? layout_.FindNodeAt(point) : -1;
}

// A link (or its removal) can also be drawn as one drag from its source to its target.
bool EditorToolState::LinkDragCanStart() const {
    return (activeTool_ == EditorTool::LinkTool || activeTool_ == EditorTool::UnlinkTool) &&
           !nodePicked_;
}

void EditorToolState::DragMotion(QPoint point) {
    DropVanishedPick();
    pointer_ = point;
    if (dragging_) {
        MoveNodeTo(point - grabOffset_);
        return;
    }
    if (pressNode_ >= 0 && (point - pressPoint_).manhattanLength() >= dragDistance_) {
        if (LinkDragCanStart()) {
            PickNode(pressPoint_);  // ringed, with the line following the pointer
            pressNode_ = -1;
            linkDragging_ = true;
            return;
        }
        StartDrag();
        MoveNodeTo(point - grabOffset_);
        return;
    }
    if (activeTool_ == EditorTool::MoveQsTool && nodePicked_ && pressNode_ < 0) MoveNodeTo(point);
}

bool EditorToolState::Release(QPoint point) {
    pointer_ = point;
    pressNode_ = -1;
    if (linkDragging_) {
        // Released off every symbol, the source stays picked and a click names the target.
        linkDragging_ = false;
        if (activeTool_ == EditorTool::LinkTool) FinishLink(point);
        if (activeTool_ == EditorTool::UnlinkTool) FinishUnlink(point);
        return true;
    }
    if (!dragging_) return false;
    MoveNodeTo(point - grabOffset_);
    FinishMove();
    if (activeTool_ == EditorTool::MoveQsTool) SwitchOff();  // one-shot, as by two clicks
    return true;
}

void EditorToolState::DoubleClick(QPoint point) {
    if (activeTool_ != EditorTool::None) return;
    const int node = layout_.FindNodeAt(point);
    if (node > 0) commands_.EditQsParameters(node);
    if (node == 0) EditInputRate();
}

void EditorToolState::AddQsAt(QPoint point) {
    SwitchOff();
    const int node = model_.NodeCount();
    // A full network: the document's command refuses with its notice, and nothing is drawn.
    if (node >= MaxNodeCount) {
        commands_.AddQs();
        return;
    }
    PlaceNode(node, point);
    surface_.DrawNodeSymbol(node);
    if (commands_.AddQs()) commands_.RecordChange("добавление СМО");
}

void EditorToolState::PickNode(QPoint point) {
    const int node = layout_.FindNodeAt(point);
    if (node < 0) {
        SwitchOff();
        return;
    }
    firstNode_ = node;
    nodePicked_ = true;
}

// The picked symbol is erased and then follows the pointer with its corner.
void EditorToolState::PickForMove(QPoint point) {
    const int node = layout_.FindNodeAt(point);
    if (node < 0) {
        SwitchOff();
        return;
    }
    surface_.EraseNodeSymbol(node);
    StartMove(node);
}

void EditorToolState::StartMove(int node) {
    firstNode_ = node;
    startCorner_ = NodeCorner(node);
    surface_.BeginMove(node);
    nodePicked_ = true;
}

// The symbol keeps its place under the pointer, wherever in the symbol it was taken.
void EditorToolState::StartDrag() {
    StartMove(pressNode_);
    grabOffset_ = pressPoint_ - startCorner_;
    pressNode_ = -1;
    dragging_ = true;
}

void EditorToolState::MoveNodeTo(QPoint corner) {
    PlaceNode(firstNode_, corner);
    surface_.RedrawMovedNode();
}

// Positions are saved with the network: a symbol that moved is a change.
void EditorToolState::FinishMove() {
    surface_.EndMove();
    nodePicked_ = false;
    dragging_ = false;
    if (NodeCorner(firstNode_) == startCorner_) return;
    model_.SetModified(true);
    commands_.RecordChange("перемещение S" + std::to_string(firstNode_));
}

// The symbol's top-left corner goes to the point; the symbol is not centred on it.
void EditorToolState::PlaceNode(int node, QPoint corner) {
    if (node == 0) {
        model_.SetSourcePos(corner.x(), corner.y());
        return;
    }
    model_.Qs(node).PosX = corner.x();
    model_.Qs(node).PosY = corner.y();
}

// What is left over in the source's row if its other cells stay as they are.
double EditorToolState::LinkProposal() const {
    const TransferMatrix& matrix = model_.Matrix();
    double sum = 0;
    for (int to = 0; to < model_.NodeCount(); ++to) sum += ParseNumber(matrix.Cell(firstNode_, to));
    const double current = ParseNumber(matrix.Cell(firstNode_, secondNode_));
    return 1 - sum + current;
}

void EditorToolState::FinishLink(QPoint point) {
    const int node = layout_.FindNodeAt(point);
    if (node < 0) return;  // still waiting for the target
    secondNode_ = node;
    const bool linked = ParseNumber(model_.Matrix().Cell(firstNode_, secondNode_)) != 0;
    const QString proposal = QString::fromStdString(FormatFixed(LinkProposal()));
    const QString text = commands_.AskValue(LinkPrompt(firstNode_, secondNode_), proposal);
    model_.Matrix().SetCell(firstNode_, secondNode_, text.toStdString());
    // A zero value draws nothing: an earlier arrow of the pair stays until the next redraw.
    if (ParseNumber(text.toStdString()) != 0) {
        surface_.EraseNodeSymbol(firstNode_);
        surface_.EraseNodeSymbol(secondNode_);
        surface_.DrawLinkArrow(firstNode_, secondNode_);
        surface_.DrawNodeSymbol(firstNode_);
        surface_.DrawNodeSymbol(secondNode_);
    }
    SwitchOff();
    commands_.RecordChange(linked ? "изменение вероятности передачи " + LinkName(firstNode_, node)
                                  : "связь " + LinkName(firstNode_, node));
}

void EditorToolState::FinishUnlink(QPoint point) {
    const int node = layout_.FindNodeAt(point);
    if (node < 0) return;  // still waiting for the target
    secondNode_ = node;
    surface_.EraseScheme();
    model_.Matrix().SetCell(firstNode_, secondNode_, {});
    surface_.DrawScheme();
    model_.SetModified(true);
    SwitchOff();
    commands_.RecordChange("удаление связи " + LinkName(firstNode_, node));
}

void EditorToolState::EditInputRate() {
    const QString text =
        commands_.AskValue(InputRatePrompt, QString::fromStdString(model_.InputRateText()));
    model_.SetInputRateText(text.toStdString());
    commands_.RecordChange("изменение интенсивности входного потока");
}

void EditorToolState::DeleteLastQs() {
    surface_.EraseScheme();
    commands_.RemoveQs();
    surface_.DrawScheme();
    commands_.RecordChange("удаление СМО");
}

void EditorToolState::Refresh() {
    surface_.RefreshScheme();
}

void EditorToolState::CancelAction() {
    pressNode_ = -1;
    linkDragging_ = false;
    if (!nodePicked_) return;
    if (surface_.Moving()) {
        MoveNodeTo(startCorner_);
        surface_.EndMove();
    }
    nodePicked_ = false;
    dragging_ = false;
}

void EditorToolState::Escape() {
    CancelAction();
    SwitchOff();
}

void EditorToolState::ForgetAction() {
    surface_.EndMove();
    pressNode_ = -1;
    linkDragging_ = false;
    nodePicked_ = false;
    dragging_ = false;
}

void EditorToolState::DropVanishedPick() {
    if (pressNode_ >= model_.NodeCount()) pressNode_ = -1;
    if (!nodePicked_ || firstNode_ < model_.NodeCount()) return;
    ForgetAction();
    firstNode_ = -1;
}

}  // namespace qnetica
