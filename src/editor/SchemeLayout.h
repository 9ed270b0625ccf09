#pragma once

#include <QPoint>
#include <QString>

#include "model/NetworkModel.h"

namespace qnetica {

// The scheme as read from the model whenever it is drawn or clicked: node k's symbol is a
// 30 x 30 box at its position (`SourcePosX`/`SourcePosY` for "S0", `PosX`/`PosY` of slot k
// for a QS), and every cell with a non-zero value is a link.
class SchemeLayout {
  public:
    static constexpr int SymbolSize = 30;
    static constexpr int HalfSymbol = SymbolSize / 2;

    explicit SchemeLayout(const NetworkModel& model) : model_(model) {}

    int NodeCount() const { return model_.NodeCount(); }
    QPoint BoxCorner(int node) const;
    QPoint Centre(int node) const { return BoxCorner(node) + QPoint(HalfSymbol, HalfSymbol); }
    static QString Label(int node) { return QStringLiteral("S") + QString::number(node); }
    bool LinkExists(int from, int to) const;

    // The node whose box (edges included) holds the point, or -1. The highest-numbered QS wins
    // over lower ones, and "S0" over every QS.
    int FindNodeAt(QPoint point) const;

  private:
    bool BoxHolds(int node, QPoint point) const;

    const NetworkModel& model_;
};

}  // namespace qnetica
