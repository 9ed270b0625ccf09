#include "editor/EditorToolState.h"

#include "model/NumberText.h"

namespace qnetica {
namespace {

const QString InputRatePrompt = QStringLiteral("Интенсивность входящего потока");

QString LinkPrompt(int from, int to) {
    return QStringLiteral("Вероятность перехода из S%1 в S%2").arg(from).arg(to);
}

}  // namespace

EditorToolState::EditorToolState(NetworkModel& model, SchemeSurface& surface,
                                 EditorCommands& commands)
    : model_(model), surface_(surface), commands_(commands), layout_(model) {}

void EditorToolState::PressTool(EditorTool tool) {
    // A press in the middle of a pick keeps it; a symbol erased by an abandoned move stays
    // erased until the scheme is next drawn.
    if (tool == activeTool_ && nodePicked_) return;
    activeTool_ = tool == activeTool_ ? EditorTool::None : tool;
    nodePicked_ = false;
}

void EditorToolState::SwitchOff() {
    activeTool_ = EditorTool::None;
    nodePicked_ = false;
}

void EditorToolState::Click(QPoint point) {
    DropVanishedPick();
    switch (activeTool_) {
        case EditorTool::None:
            return;
        case EditorTool::AddQsTool:
            AddQsAt(point);
            return;
        case EditorTool::MoveQsTool:
            if (nodePicked_) {
                MovePickedNode(point);
                SwitchOff();
            } else {
                PickNode(point, true);
            }
            return;
        case EditorTool::LinkTool:
            if (nodePicked_)
                FinishLink(point);
            else
                PickNode(point, false);
            return;
        case EditorTool::UnlinkTool:
            if (nodePicked_)
                FinishUnlink(point);
            else
                PickNode(point, false);
            return;
    }
}

void EditorToolState::Motion(QPoint point) {
    DropVanishedPick();
    if (activeTool_ == EditorTool::MoveQsTool && nodePicked_) MovePickedNode(point);
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
    commands_.AddQs();
}

void EditorToolState::PickNode(QPoint point, bool eraseSymbol) {
    const int node = layout_.FindNodeAt(point);
    if (node < 0) {
        SwitchOff();
        return;
    }
    firstNode_ = node;
    if (eraseSymbol) surface_.EraseNodeSymbol(node);
    nodePicked_ = true;
}

void EditorToolState::MovePickedNode(QPoint point) {
    surface_.EraseScheme();
    PlaceNode(firstNode_, point);
    surface_.DrawScheme();
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
}

void EditorToolState::EditInputRate() {
    const QString text =
        commands_.AskValue(InputRatePrompt, QString::fromStdString(model_.InputRateText()));
    model_.SetInputRateText(text.toStdString());
}

void EditorToolState::DeleteLastQs() {
    surface_.EraseScheme();
    commands_.RemoveQs();
    surface_.DrawScheme();
}

void EditorToolState::Refresh() {
    surface_.RefreshScheme();
}

void EditorToolState::DropVanishedPick() {
    if (!nodePicked_ || firstNode_ < model_.NodeCount()) return;
    nodePicked_ = false;
    firstNode_ = -1;
}

}  // namespace qnetica
