#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

#include "document/NetworkDocument.h"
#include "editor/SchemeOverlay.h"

namespace qnetica {

// The scheme coloured by the results of the last calculation: every QS's symbol filled with the
// colour of its load per channel (an overloaded one dark red and hatched) with its figures as a
// tooltip; and, apart from that, every link's transfer probability written beside it where it
// stays readable: clear of the symbols and of the other probabilities, each direction on its
// own side of the line. A probability that finds no free place is left out.
class SchemeResultsOverlay : public SchemeOverlay {
  public:
    explicit SchemeResultsOverlay(const NetworkDocument& document);

    void ShowLoads(bool shown) { loads_ = shown; }
    bool LoadsShown() const { return loads_; }
    void ShowProbabilities(bool shown) { probabilities_ = shown; }
    bool ProbabilitiesShown() const { return probabilities_; }
    bool Active() const { return loads_ || probabilities_; }
    // While a symbol is dragged the probabilities are not drawn: their places are found anew
    // when it is put down.
    void SetMoving(bool moving) { moving_ = moving; }
    // The links or the positions changed: the probabilities' places are found again.
    void Invalidate() { placed_ = false; }

    void Paint(QPainter& painter, const QRect& area) override;
    QString ToolTip(QPoint point) const override;

    // What QS k is filled with: none while the loads are not shown or without figures for it.
    struct Fill {
        QColor Colour;
        bool Hatched = false;
    };
    std::optional<Fill> FillOf(int k) const;
    // The probabilities as placed now: their boxes and texts, in link order.
    struct Label {
        int From = 0;
        int To = 0;
        QRect Box;
        QString Text;
    };
    const std::vector<Label>& Labels();

  private:
    const QsFigures* FiguresOf(int k) const;
    void PaintLoads(QPainter& painter, const QRect& area);
    void PaintLabels(QPainter& painter, const QRect& area);
    void PlaceLabels();

    const NetworkDocument& document_;
    bool loads_ = false;
    bool probabilities_ = false;
    bool moving_ = false;
    bool placed_ = false;
    std::vector<Label> labels_;
};

}  // namespace qnetica
