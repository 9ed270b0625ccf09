#pragma once

#include <QPoint>

#include "editor/EditorCommands.h"
#include "editor/SchemeLayout.h"
#include "editor/SchemeSurface.h"
#include "model/NetworkModel.h"

namespace qnetica {

enum class EditorTool { None, AddQsTool, MoveQsTool, LinkTool, UnlinkTool };

// The editing tools of the left tool bar as a state machine. Every tool is one-shot: it
// switches itself off when its action is done. Points are in surface coordinates; the window
// only forwards its events here and shows ActiveTool() on its buttons.
class EditorToolState {
  public:
    EditorToolState(NetworkModel& model, SchemeSurface& surface, EditorCommands& commands);

    EditorTool ActiveTool() const { return activeTool_; }
    bool NodePicked() const { return nodePicked_; }
    int FirstNode() const { return firstNode_; }
    int SecondNode() const { return secondNode_; }

    // A press of a tool's button or of its menu item.
    void PressTool(EditorTool tool);
    void Click(QPoint point);
    void Motion(QPoint point);
    void DoubleClick(QPoint point);

    // The immediate commands: delete the last QS, and repaint the whole scheme.
    void DeleteLastQs();
    void Refresh();

    // A picked node that the network no longer has is forgotten; its tool stays on.
    void DropVanishedPick();

  private:
    void SwitchOff();
    void AddQsAt(QPoint point);
    void PickNode(QPoint point, bool eraseSymbol);
    void MovePickedNode(QPoint point);
    void PlaceNode(int node, QPoint corner);
    void FinishLink(QPoint point);
    void FinishUnlink(QPoint point);
    double LinkProposal() const;
    void EditInputRate();

    NetworkModel& model_;
    SchemeSurface& surface_;
    EditorCommands& commands_;
    SchemeLayout layout_;
    EditorTool activeTool_ = EditorTool::None;
    bool nodePicked_ = false;
    int firstNode_ = -1;
    int secondNode_ = -1;
};

}  // namespace qnetica
