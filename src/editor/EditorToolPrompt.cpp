#include "editor/EditorToolPrompt.h"

#include "editor/EditorIcons.h"
#include "editor/EditorToolState.h"

namespace qnetica {
namespace {

QString Node(int node) {
    return QStringLiteral("S") + QString::number(node);
}

const QString CancelHint = QStringLiteral(" (Esc — отмена)");

}  // namespace

QString ToolPrompt(const EditorToolState& tools) {
    const int node = tools.FirstNode();
    if (tools.Dragging())
        return QStringLiteral("Отпустите кнопку мыши там, куда переместить %1").arg(Node(node)) +
               CancelHint;
    const bool picked = tools.NodePicked();
    switch (tools.ActiveTool()) {
        case EditorTool::None:
            break;
        case EditorTool::AddQsTool:
            return QStringLiteral("Щелкните место, где поставить новую СМО") + CancelHint;
        case EditorTool::MoveQsTool:
            return picked ? QStringLiteral("Щелкните место, куда переместить %1").arg(Node(node)) +
                                CancelHint
                          : QStringLiteral("Выберите СМО, которую нужно переместить") + CancelHint;
        case EditorTool::LinkTool:
            return picked ? QStringLiteral("Выберите СМО, в которую идет связь из %1")
                                    .arg(Node(node)) +
                                CancelHint
                          : QStringLiteral("Выберите СМО, из которой идет связь") + CancelHint;
        case EditorTool::UnlinkTool:
            return picked ? QStringLiteral("Выберите СМО, в которую идет удаляемая связь из %1")
                                    .arg(Node(node)) +
                                CancelHint
                          : QStringLiteral("Выберите СМО, из которой идет удаляемая связь") +
                                CancelHint;
    }
    return QStringLiteral(
        "Выберите инструмент слева. СМО можно перетащить мышью; двойной щелчок по СМО открывает "
        "ее параметры, по S0 — интенсивность входящего потока");
}

QCursor ToolCursor(const EditorToolState& tools) {
    // Made once: the window asks at every pointer motion.
    static const QCursor add = EditorIcons::ToolCursor(EditorIcons::AddQs());
    static const QCursor move = EditorIcons::ToolCursor(EditorIcons::MoveQs());
    static const QCursor link = EditorIcons::ToolCursor(EditorIcons::Link());
    static const QCursor unlink = EditorIcons::ToolCursor(EditorIcons::Unlink());
    if (tools.Dragging()) return Qt::ClosedHandCursor;
    switch (tools.ActiveTool()) {
        case EditorTool::None:
            break;
        case EditorTool::AddQsTool:
            return add;
        case EditorTool::MoveQsTool:
            return tools.NodePicked() ? QCursor(Qt::ClosedHandCursor) : move;
        case EditorTool::LinkTool:
            return link;
        case EditorTool::UnlinkTool:
            return unlink;
    }
    // With no tool on, a symbol under the pointer can be taken and dragged.
    return tools.NodeUnderPointer() >= 0 ? Qt::OpenHandCursor : Qt::ArrowCursor;
}

}  // namespace qnetica
