#pragma once

#include <QPoint>

#include "editor/EditorCommands.h"
#include "editor/SchemeLayout.h"
#include "editor/SchemeSurface.h"
#include "model/NetworkModel.h"

namespace qnetica {

enum class EditorTool { None, AddQsTool, MoveQsTool, LinkTool, UnlinkTool };

// The editing tools of the left tool bar as a state machine. Every tool is one-shot: it
// switches itself off when its action is done. Besides the tools, a symbol can be dragged with
// the left button whenever no tool is on or the move tool waits for its symbol, and the link
// tools take a drag from the source to the target as well as two clicks. Points are in
// surface coordinates; the window only forwards its events here and shows the state. Every
// finished action records its change for undo; an action cancelled half-way changes nothing.
class EditorToolState {
  public:
    static constexpr int DefaultDragDistance = 10;

    EditorToolState(NetworkModel& model, SchemeSurface& surface, EditorCommands& commands);

    EditorTool ActiveTool() const { return activeTool_; }
    bool NodePicked() const { return nodePicked_; }  // also while a symbol is dragged
    bool Dragging() const { return dragging_; }
    int FirstNode() const { return firstNode_; }
    int SecondNode() const { return secondNode_; }
    QPoint Pointer() const { return pointer_; }  // where the pointer was last seen
    int NodeUnderPointer() const { return layout_.FindNodeAt(pointer_); }

    // How far the pointer moves with the button held before a press becomes a drag.
    void SetDragDistance(int pixels) { dragDistance_ = pixels; }

    // A press of a tool's button or of its menu item.
    void PressTool(EditorTool tool);
    // A press and release of the left button at one place (a drag is no click).
    void Click(QPoint point);
    // Pointer motion with no button held.
    void Motion(QPoint point);
    // The left button's press, motion while it is held, and release; Release is true when it
    // ended a drag, and the press and release then make no click.
    void Press(QPoint point);
    void DragMotion(QPoint point);
    bool Release(QPoint point);
    void DoubleClick(QPoint point);

    // The immediate commands: delete the last QS, and repaint the whole scheme.
    void DeleteLastQs();
    void Refresh();

    // Drops a half-done action (a picked node, a symbol on its way): a moved symbol goes back to
    // its place and nothing is recorded. The tool stays on in its first state.
    void CancelAction();
    // Esc: cancels the action and switches the tool off.
    void Escape();
    // The network was replaced under the tool (undo, redo): the pick is forgotten as it is.
    void ForgetAction();
    // A picked node that the network no longer has is forgotten; its tool stays on.
    void DropVanishedPick();

  private:
    void SwitchOff();
    void AddQsAt(QPoint point);
    void PickNode(QPoint point);
    void PickForMove(QPoint point);
    void StartMove(int node);
    void StartDrag();
    bool LinkDragCanStart() const;
    void MoveNodeTo(QPoint corner);
    void FinishMove();
    void PlaceNode(int node, QPoint corner);
    QPoint NodeCorner(int node) const { return layout_.BoxCorner(node); }
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
    QPoint pointer_;

    // A press that may become a drag, and the drag itself.
    int dragDistance_ = DefaultDragDistance;
    int pressNode_ = -1;
    QPoint pressPoint_;
    bool dragging_ = false;
    bool linkDragging_ = false;  // the link tools' source picked by a press and a drag
    QPoint grabOffset_;          // from the symbol's corner to the point that holds it
    QPoint startCorner_;         // where the moved symbol was before, for a cancel
};

}  // namespace qnetica
